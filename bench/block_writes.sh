#!/usr/bin/env bash
# Counts the registry writes the controller makes per blocked popup: the
# set_key_value and delete_key_value requests its threads send to the Wine
# server (traced by `wineserver -d1`) while BLOCKS blocks are signalled, a
# few seconds apart, and by name of value: first blocks without an address,
# then blocks whose address (PopupBlocker_BlockURL) names a site, two sites
# taking turns so that the list of recent sites changes at every block.
# Usage: bench/block_writes.sh [PROGRAM-FOLDER|PROGRAM.EXE] [BLOCKS]
#   default folder: build/dist; e.g. the dist of an older checkout to compare
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/program_of.sh
blocks=${2:-10}
if [[ -z ${1:-} ]]; then
  cmake --build build/win32 --target dist >/dev/null
  dist=$PWD/build/dist
  exe=Stilvane.exe
else
  program_of "$1"
fi
source bench/trace_session.sh
wine reg add 'HKCU\Software\Quillane' /v PopupBlocker /d 1 /f >/dev/null 2>&1

cp -a "$dist/." "$work/"
(cd "$work" && exec wine "$exe" </dev/null >/dev/null 2>&1) &
pid=$!
sleep 6 # start-up done: its own writes are not counted
# Signals BLOCKS blocks, each with the address given by $1 (none if empty,
# %d the block's number), and prints the line numbers of the trace around them.
signal_blocks() {
  local from to i
  from=$(wc -l <"$trace")
  for i in $(seq "$blocks"); do
    if [[ -n $1 ]]; then
      # shellcheck disable=SC2059
      scripts/signal-block --address "$(printf "$1" $((i % 2)))" "$WINEPREFIX"
    else
      scripts/signal-block "$WINEPREFIX"
    fi
    sleep 2.5 # taken, and the blocked picture back to the state's
  done
  sleep 1
  to=$(wc -l <"$trace")
  echo "$from $to"
}
read -r plain_from plain_to < <(signal_blocks "")
read -r site_from site_to < <(signal_blocks "http://shop%d.example.com/cart?id=1")
tids=$(ls "/proc/$pid/task" | tr '\n' ' ')
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null || true
pid=
count_writes() {
awk -v from="$1" -v to="$2" -v label="$3" -v tids=" $tids " -v blocks="$blocks" '
  NR <= to && match($0, /^[0-9a-f]+: init_(first_)?thread\(.* unix_tid=[0-9]+/) {
    split($0, f, /: /); t = $0; sub(/.*unix_tid=/, "", t); sub(/,.*/, "", t); unix[f[1]] = t
  }
  NR > from && NR <= to && match($0, /^[0-9a-f]+: (set|delete)_key_value\( /) {
    split($0, f, /[: (]+/)
    if (!index(tids, " " unix[f[1]] " ")) next
    name = $0; sub(/.*name=L"/, "", name); sub(/".*/, "", name)
    total++; by[f[2] " " name]++
  }
  END {
    printf "%d blocks %s: %.2f registry writes per block\n", blocks, label, total / blocks
    for (w in by) printf "  %5.2f %s\n", by[w] / blocks, w | "sort -k1,1nr"
    close("sort -k1,1nr")
  }' "$trace"
}
count_writes "$plain_from" "$plain_to" "without an address"
count_writes "$site_from" "$site_to" "with an address"
