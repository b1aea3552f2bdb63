#!/usr/bin/env bash
# How often the idle controller wakes up: the context switches of all its
# threads (voluntary and not, from /proc/PID/task/*/status) over SECONDS,
# per minute, against the 333 ms SetTimer poller and the tray program that
# waits for nothing (Wine's floor), each started alone in the same prefix.
# Under Wine every request to the server is a switch too, so a look at the
# registry shows here as well as a timer's wake-up.
# Usage: bench/idle_wakeups.sh [PROGRAM-FOLDER] [SECONDS]
#   default folder: build/dist; e.g. the dist of an older checkout to compare
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${2:-60}
source bench/idle_session.sh "${1:-}"

# One line per thread: "tid name switches".
thread_switches() {
  local task
  for task in /proc/"$pid"/task/*; do
    awk -v tid="${task##*/}" -v name="$(cat "$task/comm" 2>/dev/null)" \
      '/^(non)?voluntary_ctxt_switches:/ {n += $2} END {print tid, name, n + 0}' \
      "$task/status" 2>/dev/null || true
  done
}

print_conditions
echo "context switches per minute, idle, over $seconds s each (threads ended meanwhile are not counted)"
for name in program poller floor; do
  start_measured "$name"
  thread_switches >"$work/before"
  sleep "$seconds"
  thread_switches >"$work/after"
  stop_measured
  awk -v label="$(label_of "$name")" -v seconds="$seconds" '
    FNR == NR { before[$1] = $3; next }
    { n = $3 - before[$1]; total += n; rows = rows sprintf("    thread %s %-16s %8.0f\n", $1, $2, n * 60 / seconds) }
    END { printf "  %-26s %8.0f\n%s", label, total * 60 / seconds, rows }' "$work/before" "$work/after"
done
