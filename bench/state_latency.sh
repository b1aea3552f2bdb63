#!/usr/bin/env bash
# Signal latency and wake-ups of the controller in each state a user puts it
# in (bench/state_latency.cpp: the controller built into the benchmark, so
# that it can enter menus, boxes and the moving of a window by itself).
# Usage: bench/state_latency.sh [SIGNALS] [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
bench_targets=state_latency
source bench/idle_session.sh ""

print_conditions
echo "signals timed from the write until taken, in ms; context switches of all threads per minute with no signal"
wine "$work/state_latency.exe" "Z:${work//\//\\}\\program" "${1:-10}" "${2:-15}" </dev/null 2>/dev/null |
  tr -d '\r' | sed 's/^/  /'
