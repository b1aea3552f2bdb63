# Sourced by the end-to-end scenarios. Expects WINEPREFIX (the test run's
# prepared prefix, used as a template), DISPLAY and the Wine variables from
# scripts/lib/session.sh. Reports each scenario in GoogleTest's format so
# that scripts/test counts it.

e2e_template_prefix=$WINEPREFIX
e2e_failures=0
e2e_current=
e2e_current_failed=

# A fresh copy of the template prefix with its own persistent server.
fresh_prefix() {
  export WINEPREFIX
  WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/stilvane-e2e.XXXXXX")
  cp -a "$e2e_template_prefix/." "$WINEPREFIX/"
  rm -f "$WINEPREFIX/wineserver"
  wineserver -p
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

drop_prefix() {
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
  WINEPREFIX=$e2e_template_prefix
}

begin() {
  e2e_current=$1
  e2e_current_failed=
  echo "[ RUN      ] $e2e_current"
  e2e_started=$(date +%s%N)
}

end() {
  local ms=$((($(date +%s%N) - e2e_started) / 1000000))
  if [[ -n $e2e_current_failed ]]; then
    echo "[  FAILED  ] $e2e_current ($ms ms)"
    e2e_failures=$((e2e_failures + 1))
  else
    echo "[       OK ] $e2e_current ($ms ms)"
  fi
}

fail() {
  echo "Failure: $*"
  e2e_current_failed=1
}

expect_eq() { # actual expected what
  [[ "$1" == "$2" ]] || fail "$3: expected '$2', got '$1'"
}

# Data of a value under HKCU\Software\Quillane, or the word MISSING.
reg_value() {
  local out
  out=$(wine reg query 'HKCU\Software\Quillane' /v "$1" 2>/dev/null | tr -d '\r') || true
  local line
  line=$(grep -E "^ +$1 +REG_" <<<"$out" | head -1)
  if [[ -z $line ]]; then
    echo MISSING
  else
    sed -E "s/^ +$1 +REG_[A-Z_]+ *//" <<<"$line"
  fi
}

reg_type() {
  wine reg query 'HKCU\Software\Quillane' /v "$1" 2>/dev/null | tr -d '\r' |
    grep -oE "^ +$1 +REG_[A-Z_]+" | awk '{print $2}'
}

finish() {
  [[ $e2e_failures -eq 0 ]]
}

# --- the screen -----------------------------------------------------------

# Waits until `command` succeeds (up to $2 seconds, default 20).
wait_for() {
  local i
  for i in $(seq $((${2:-20} * 10))); do
    eval "$1" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# Window id of the Wine System Tray, when it shows.
tray_window() {
  xdotool search --name '^Wine System Tray$' 2>/dev/null | head -1
}

screenshot() { # file
  import -window root "$1" 2>/dev/null
}

# "X Y" of the centre of the pixels of colour $2 (e.g. "#FF00FF") in the
# screenshot $1, within the area "W H X Y" given as $3 (default: all); empty
# when there are none.
colour_centre() {
  local crop=()
  if [[ -n ${3:-} ]]; then
    read -r w h x y <<<"$3"
    crop=(-crop "${w}x${h}+${x}+${y}")
  fi
  /usr/bin/convert "$1" "${crop[@]}" txt:- 2>/dev/null | grep -i "$2" |
    awk -F'[,:]' '{ sx += $1; sy += $2; n++ } END { if (n) printf "%d %d %d\n", sx / n, sy / n, n }'
}

# Area of a window as "W H X Y".
window_area() {
  local X=0 Y=0 WIDTH=0 HEIGHT=0
  eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null)"
  echo "$WIDTH $HEIGHT $X $Y"
}

# Waits until file $1 has a line $2 (up to $3 seconds, default 10).
wait_log() {
  wait_for "tr -d '\\r' <'$1' | grep -qx -- '$2'" "${3:-10}"
}
