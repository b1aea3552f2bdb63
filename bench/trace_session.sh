# Sourced by the benchmarks that read the Wine server's requests: a private
# display and prefix, the server in the foreground tracing every request to
# $trace, and everything ended on exit. A benchmark keeps the program it
# measures in $pid, and its files in $work.
source scripts/lib/session.sh
unset DISPLAY
start_xvfb
prepare_prefix wineprefix-trace
work=$(mktemp -d)
trace=$work/trace.log
pid=
cleanup() {
  [[ -n $pid ]] && kill "$pid" 2>/dev/null
  wineserver -k 2>/dev/null || true
  kill "$session_started_xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
wineserver -f -d1 2>"$trace" &
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
