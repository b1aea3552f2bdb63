#!/usr/bin/env bash
# Signal latency and wake-ups of the controller in each state a user puts it
# in (bench/state_latency.cpp: the controller built into the benchmark, so
# that it can enter menus, boxes and the moving of a window by itself): the
# signals' median, 90th percentile and maximum, and the context switches of
# all the process's threads per minute while nothing is written.
# Usage: bench/state_latency.sh [SIGNALS] [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${2:-15}
bench_targets=state_latency
source bench/idle_session.sh ""

print_conditions
echo "signals timed from the write until taken, in ms; context switches per minute with no signal"
mkfifo "$work/out"
(cd "$work" && exec wine state_latency.exe "Z:${work//\//\\}\\program" "${1:-10}" "$seconds" \
  </dev/null >"$work/out" 2>/dev/null) &
pid=$!
row=
while IFS= read -r line; do
  line=${line%$'\r'}
  case $line in
  measure) before=$(context_switches) ;;
  measured)
    echo "  $row $(( ($(context_switches) - before) * 60 / seconds ))"
    row=
    touch "$work/counted"
    ;;
  *)
    [[ -z $row ]] || echo "  $row -"
    row=$line
    ;;
  esac
done <"$work/out"
[[ -z $row ]] || echo "  $row"
wait "$pid" || true
pid=
