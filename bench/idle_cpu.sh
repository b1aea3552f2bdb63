#!/usr/bin/env bash
# The processor time the idle controller costs, against the 333 ms SetTimer
# poller: PAIRS alternating windows of SECONDS each, every program started
# alone in the same prefix. Per window: the program's time on a processor
# (all its threads, the scheduler's exact count from /proc/PID/task/*/schedstat;
# its user + system time from /proc/PID/stat beside it, which advances in
# clock ticks), and the wine server's time meanwhile. One window of the tray
# program that waits for nothing tells what the server spends with no
# program asking; the server's time above that is the measured program's
# share.
# Usage: bench/idle_cpu.sh [PROGRAM-FOLDER] [SECONDS] [PAIRS]
#   default folder: build/dist; e.g. the dist of an older checkout to compare
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${2:-40}
pairs=${3:-3}
source bench/idle_session.sh "${1:-}"
server=$(wineserver_pid)
tick_ms=$((1000 / $(getconf CLK_TCK)))

# $1: program, poller or floor. Prints the window's "run-us ticks-ms server-us".
window() {
  start_measured "$1"
  local run ticks server_run=0
  run=$(run_time_us "$pid")
  ticks=$(cpu_ticks "$pid")
  [[ -n $server ]] && server_run=$(run_time_us "$server")
  sleep "$seconds"
  run=$(($(run_time_us "$pid") - run))
  ticks=$(($(cpu_ticks "$pid") - ticks))
  [[ -n $server ]] && server_run=$(($(run_time_us "$server") - server_run))
  stop_measured
  echo "$run $((ticks * tick_ms)) $server_run"
}

print_conditions
echo "processor time over $seconds s idle, ms: the program's threads on a processor," \
  "its user + system time (steps of $tick_ms ms), and the wine server's time meanwhile"
[[ -n $server ]] || echo "  (this prefix's wine server was not found: its time shows as 0)"
row() {
  printf '  %-7s %-24s %9s %9s %9s\n' "$@"
}
row "" "" program "user+sys" server
for pair in $(seq "$pairs"); do
  for name in program poller; do
    read -r run ticks server_run < <(window "$name")
    echo "$name $run $server_run" >>"$work/cpu"
    row "pair $pair" "$(label_of "$name")" "$(awk -v us="$run" 'BEGIN {printf "%.1f", us / 1000}')" \
      "$ticks" "$(awk -v us="$server_run" 'BEGIN {printf "%.1f", us / 1000}')"
  done
done
read -r _ _ floor_server < <(window floor)
row "" "$(label_of floor)" "" "" "$(awk -v us="$floor_server" 'BEGIN {printf "%.1f", us / 1000}')"
awk -v floor="$floor_server" '
  { run[$1] += $2; server[$1] += $3; n[$1]++ }
  function ratio(a, b) { return b > 0 ? sprintf("%.2f times", a / b) : "n/a" }
  END {
    c = run["program"] / n["program"] / 1000; p = run["poller"] / n["poller"] / 1000
    cs = (server["program"] / n["program"] - floor) / 1000
    ps = (server["poller"] / n["poller"] - floor) / 1000
    if (cs < 0) cs = 0
    if (ps < 0) ps = 0
    printf "mean per window: controller %.1f ms, poller %.1f ms: %s the poller\n", c, p, ratio(c, p)
    printf "with the server'\''s share (above the floor'\''s window): controller %.1f ms," \
      " poller %.1f ms: %s\n", c + cs, p + ps, ratio(c + cs, p + ps)
  }' "$work/cpu"
