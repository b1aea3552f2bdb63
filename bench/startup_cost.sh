#!/usr/bin/env bash
# What the start costs until the program is idle, against the 333 ms
# SetTimer poller, in RUNS alternating pairs, each alone in the prefix:
# processor time (user + system, of all its threads) and the bytes read
# through system calls (rchar: files, the Wine server's replies, sockets).
# Usage: bench/startup_cost.sh [PROGRAM-FOLDER] [RUNS]
#   default folder: build/dist; e.g. the dist of an older checkout to compare
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${2:-5}
settle=4
source bench/idle_session.sh "${1:-}"

print_conditions
printf '  %-8s %14s %14s %14s %14s\n' run "controller ms" "poller ms" "controller KiB" "poller KiB"
hz=$(getconf CLK_TCK)
for run in $(seq "$runs"); do
  line=()
  for name in program poller; do
    start_measured "$name"
    line+=("$(($(cpu_ticks "$pid") * 1000 / hz))" \
      "$(($(awk '/^rchar:/ {print $2}' "/proc/$pid/io") / 1024))")
    stop_measured
  done
  printf '  %-8s %14s %14s %14s %14s\n' "$run" "${line[0]}" "${line[2]}" "${line[1]}" "${line[3]}"
done
