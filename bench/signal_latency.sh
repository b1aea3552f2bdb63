#!/usr/bin/env bash
# How long a block signal waits until the idle controller takes it: SIGNALS
# values written at random phases by bench/signal_latency.cpp, each timed
# from the write until the value is gone; prints the median, 90th percentile
# and maximum.
# Usage: bench/signal_latency.sh [PROGRAM-FOLDER] [SIGNALS]
#   default folder: build/dist; e.g. the dist of an older checkout to compare
set -euo pipefail
cd "$(dirname "$0")/.."
signals=${2:-30}
bench_targets=signal_latency
source bench/idle_session.sh "${1:-}"

print_conditions
start_measured program
echo "$(label_of program), idle between signals:"
wine "$work/signal_latency.exe" "$signals" </dev/null 2>/dev/null | tr -d '\r' | sed 's/^/  /'
