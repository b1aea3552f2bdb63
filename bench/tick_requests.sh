#!/usr/bin/env bash
# Counts what the idle controller costs per minute: the requests its threads
# make to the Wine server (traced by `wineserver -d1`), by kind, and the
# Linux system calls they make (strace), and how often it looks at the
# blocker's key (opens it); the same for the least possible poller
# (bench/minimal_poller.cpp).
# Usage: bench/tick_requests.sh [PROGRAM-FOLDER|PROGRAM.EXE] [SECONDS] [blocking]
#   default folder: build/dist; e.g. the dist of an older checkout to compare
#   SECONDS: the idle window, default 60; blocking: with the policy Blocking
#   set to 1 under HKEY_LOCAL_MACHINE, as an administrator would set it.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/program_of.sh
seconds=${2:-60}
policy=${3:-}
if [[ -z ${1:-} ]]; then
  cmake --build build/win32 --target dist minimal_poller >/dev/null
  dist=$PWD/build/dist
  exe=Stilvane.exe
else
  program_of "$1"
  cmake --build build/win32 --target minimal_poller >/dev/null
fi
source bench/trace_session.sh
echo "conditions: load average $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"
for value in 'PopupBlocker /d 1' 'PopupBlocker_Sound /d 1'; do
  # shellcheck disable=SC2086
  wine reg add 'HKCU\Software\Quillane' /v $value /f >/dev/null 2>&1
done
# A returning user's start: no welcome balloon in the window.
wine reg add 'HKCU\Software\Quillane\Stilvane' /v Welcomed /t REG_DWORD /d 1 /f >/dev/null 2>&1
policy_key='HKLM\Software\Policies\Quillane\PopUpBlocker'
if [[ $policy == blocking ]]; then
  wine reg add "$policy_key" /v Blocking /t REG_DWORD /d 1 /f >/dev/null 2>&1
else
  wine reg delete "$policy_key" /f >/dev/null 2>&1 || true
fi

# $1: label; $2: folder to run in; $3: executable there.
measure() {
  (cd "$2" && exec wine "$3" </dev/null >/dev/null 2>&1) &
  pid=$!
  sleep 10 # start-up done (its threads made), the window shown in the tray
  local from to
  from=$(wc -l <"$trace")
  strace -f -c -o "$work/syscalls" -p "$pid" 2>/dev/null &
  local tracer=$!
  sleep "$seconds"
  local tids
  tids=$(ls "/proc/$pid/task" | tr '\n' ' ')
  to=$(wc -l <"$trace")
  kill -INT "$tracer"
  wait "$tracer" 2>/dev/null || true
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null || true
  pid=
  local calls
  calls=$(awk '$NF == "total" {print $4}' "$work/syscalls")
  awk -v from="$from" -v to="$to" -v tids=" $tids " -v label="$1" -v calls="${calls:-0}" \
    -v seconds="$seconds" \
    -v syscalls="$(awk '/^ *[0-9.]+ +[0-9.]+ +[0-9]+ +[0-9]+/ && $NF != "total" {printf "%s %s ", $NF, $4}' "$work/syscalls")" '
    # The Linux thread behind each server thread id, as the thread starts.
    NR <= to && match($0, /^[0-9a-f]+: init_(first_)?thread\(.* unix_tid=[0-9]+/) {
      split($0, f, /: /); t = $0; sub(/.*unix_tid=/, "", t); sub(/,.*/, "", t); unix[f[1]] = t
    }
    NR > from && NR <= to && match($0, /^[0-9a-f]+: [a-z_]+\( /) {
      split($0, f, /[: (]+/)
      if (!index(tids, " " unix[f[1]] " ")) next
      total++; by[f[2]]++
      if (f[2] == "open_key" && index($0, "Software\\\\Quillane")) ticks++
    }
    END {
      m = seconds / 60
      printf "%s, per idle minute: %.0f server requests, %.0f system calls, %.0f looks at the key", \
        label, total / m, calls / m, ticks / m
      if (ticks) printf " (per look %.1f requests, %.1f system calls)", total / ticks, calls / ticks
      printf "\n"
      for (r in by) printf "  %7.1f %s\n", by[r] / m, r | "sort -k1,1nr"
      close("sort -k1,1nr")
      n = split(syscalls, s, " ")
      printf "  system calls:"
      for (i = 1; i < n; i += 2) printf " %s %.0f", s[i], s[i + 1] / m
      printf "\n"
    }' "$trace"
}

program=$work/program
cp -a "$dist/." "$program/"
measure "$exe${policy:+ (policy: $policy)}" "$program" "$exe"
measure "minimal poller" "$PWD/build/win32/bench" minimal_poller.exe
