# Sourced by the scripts: a private X display and Wine prefix for this run,
# stopped again by `session_stop` (installed as an EXIT trap by session_start).

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

export WINEDEBUG=-all
# No Mono, no Gecko, and no menu entries on the host for shortcuts made inside.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
export WINEARCH=win32
# The same language everywhere: Wine takes the system language from the locale.
export LC_ALL=C

session_started_xvfb=
session_started_wineserver=

# A display number nobody uses yet.
free_display() {
  local n
  for n in $(seq 90 199); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] || { echo "$n"; return; }
  done
  echo "no free X display number" >&2
  return 1
}

start_xvfb() {
  local n
  n=$(free_display)
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  session_started_xvfb=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Xvfb on $DISPLAY did not come up" >&2
  return 1
}

# A Wine prefix made once and kept under build/; $1 names it.
prepare_prefix() {
  export WINEPREFIX="$root/build/$1"
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    echo "Creating Wine prefix $WINEPREFIX (once)..." >&2
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
}

start_wineserver() {
  # One persistent server for the whole run: each process starts quickly.
  wineserver -p
  session_started_wineserver=1
  # Start the prefix's background services now, with no pipes of ours open:
  # started later by a test they would hold its output open until the end.
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

session_stop() {
  if [[ -n $session_started_wineserver ]]; then
    wineserver -k 2>/dev/null || true
  fi
  if [[ -n $session_started_xvfb ]]; then
    kill "$session_started_xvfb" 2>/dev/null || true
    wait "$session_started_xvfb" 2>/dev/null || true
  fi
}

# $1: prefix name under build/. Uses the existing $DISPLAY unless $2 = private.
session_start() {
  trap session_stop EXIT
  if [[ ${2:-} == private || -z ${DISPLAY:-} ]]; then
    start_xvfb
  fi
  prepare_prefix "$1"
  start_wineserver
}
