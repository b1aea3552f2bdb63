# Sourced by the idle benchmarks, which measure one program at a time, alone
# in one private prefix: the controller of a program folder and the two
# yardsticks, the 333 ms SetTimer poller (minimal_poller.exe) and the tray
# program that waits for nothing (idle_tray.exe, Wine's floor).
# $1: the program folder to measure, default build/dist (built first).
# The caller has changed to the checkout's top folder, and may name more
# bench programs to build in $bench_targets. Sets $work, and $pid while a
# program runs; everything started is ended on exit.
source bench/program_of.sh
bench_targets="minimal_poller idle_tray ${bench_targets:-}"
if [[ -z ${1:-} ]]; then
  # shellcheck disable=SC2086
  cmake --build build/win32 --target dist $bench_targets >/dev/null
  dist=$PWD/build/dist
  exe=Stilvane.exe
else
  program_of "$1"
  # shellcheck disable=SC2086
  cmake --build build/win32 --target $bench_targets >/dev/null
fi
source scripts/lib/session.sh
unset DISPLAY
work=$(mktemp -d)
pid=
idle_session_stop() {
  stop_measured
  session_stop
  rm -rf "$work"
}
session_start wineprefix-bench private
trap idle_session_stop EXIT
# Copies: no Wine program runs from the checkout.
mkdir "$work/program"
cp -a "$dist/." "$work/program/"
for target in $bench_targets; do
  cp "build/win32/bench/$target.exe" "$work/"
done

# The blocker's values as it leaves them, no signal, no policy, and the
# first start's welcome already shown: the controller starts as a user's
# does every day.
quillane='HKCU\Software\Quillane'
for value in 'PopupBlocker /d 1' 'PopupBlocker_Sound /d 1' 'Welcomed /t REG_DWORD /d 1'; do
  key=$quillane
  [[ $value == Welcomed* ]] && key="$quillane\\Stilvane"
  # shellcheck disable=SC2086
  wine reg add "$key" /v $value /f >/dev/null 2>&1
done
wine reg delete "$quillane" /v PopupBlocker_BlockTime /f >/dev/null 2>&1 || true
for root in HKLM HKCU; do
  wine reg delete "$root\\Software\\Policies\\Quillane" /f >/dev/null 2>&1 || true
done

# What else runs on the machine: figures taken under load are noisy.
print_conditions() {
  echo "conditions: load average $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores," \
    "$(wine --version)"
}

# $1: program (the controller), poller or floor; for the floor, more words
# add what bench/idle_tray.cpp offers. Starts it alone and waits
# ${settle:-8} seconds for its start-up to end. Sets $pid.
start_measured() {
  stop_measured
  case $1 in
  program) (cd "$work/program" && exec wine "$exe" </dev/null >/dev/null 2>&1) & ;;
  poller) (cd "$work" && exec wine minimal_poller.exe </dev/null >/dev/null 2>&1) & ;;
  floor) (cd "$work" && exec wine idle_tray.exe "${@:2}" </dev/null >/dev/null 2>&1) & ;;
  *) echo "unknown program $1" >&2; return 1 ;;
  esac
  pid=$!
  sleep "${settle:-8}"
  kill -0 "$pid" 2>/dev/null || { echo "$1 ended during its start" >&2; return 1; }
}

stop_measured() {
  [[ -n $pid ]] || return 0
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=
}

label_of() {
  case $1 in
  program) echo "$exe" ;;
  poller) echo "333 ms SetTimer poller" ;;
  floor) echo "idle tray (floor)" ;;
  esac
}

# The context switches of all of $pid's threads so far.
context_switches() {
  cat /proc/"$pid"/task/*/status 2>/dev/null |
    awk '/^(non)?voluntary_ctxt_switches:/ {n += $2} END {print n + 0}'
}

# Processor time of a process and all its threads, ended ones too
# (utime + stime), in clock ticks. $1: process id.
cpu_ticks() {
  sed 's/.*) //' "/proc/$1/stat" | awk '{print $12 + $13}'
}

# The time its threads now running have spent on a processor, in
# microseconds (the scheduler's count, exact where utime and stime advance
# in clock ticks). $1: process id.
run_time_us() {
  cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{n += $1} END {printf "%d\n", n / 1000}'
}

# The process id of this prefix's wine server: the one working in the
# server folder Wine names after the prefix's device and inode.
wineserver_pid() {
  local folder p
  folder=$(printf 'server-%x-%x' "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
  for p in $(pgrep wineserver); do
    [[ $(readlink "/proc/$p/cwd" 2>/dev/null) == */"$folder" ]] && { echo "$p"; return; }
  done
}
