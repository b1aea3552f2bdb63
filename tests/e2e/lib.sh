# Sourced by the end-to-end scenarios. Expects WINEPREFIX (the test run's
# prepared prefix, used as a template) and DISPLAY, as scripts/test sets
# them. Reports each scenario in GoogleTest's format so that scripts/test
# counts it.

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/session.sh"

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
  start_wineserver
  # Nothing of the blocker's key may come along from the template.
  wine reg delete 'HKCU\Software\Quillane' /f </dev/null >/dev/null 2>&1 || true
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

# Data of value $2 under key $1, or the word MISSING.
key_value() {
  local line
  line=$(wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | grep -E "^ +$2 +REG_" | head -1)
  if [[ -z $line ]]; then
    echo MISSING
  else
    sed -E "s/^ +$2 +REG_[A-Z_]+ *//" <<<"$line"
  fi
}

# Data of a value under HKCU\Software\Quillane, or the word MISSING.
reg_value() {
  key_value 'HKCU\Software\Quillane' "$1"
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

# --- the controller --------------------------------------------------------

# A private copy of the program folder for one scenario; sets $program.
program_folder() { # dist
  program=$(mktemp -d "${TMPDIR:-/tmp}/stilvane-program.XXXXXX")
  cp -a "$1/." "$program/"
}

# Starts Stilvane.exe from $program in the background; sets $stilvane_pid.
start_stilvane() {
  (cd "$program" && exec wine Stilvane.exe </dev/null >/dev/null 2>&1) &
  stilvane_pid=$!
}

# Centre of the first icon in the tray, as "X Y"; waits for the tray.
tray_icon_point() {
  wait_for '[[ -n $(tray_window) ]]' 20 || return 1
  local w h x y
  read -r w h x y <<<"$(window_area "$(tray_window)")"
  echo "$((x + 10)) $((y + 10))"
}

# What the first tray icon shows: on (green), off (grey), blocked (red),
# paused (amber), application (blue) or none.
tray_icon_kind() {
  local x y
  read -r x y <<<"$(tray_icon_point)" || { echo none; return; }
  screenshot "$e2e_shot"
  /usr/bin/convert "$e2e_shot" -crop "16x16+$((x - 8))+$((y - 8))" txt:- 2>/dev/null |
    sed -nE 's/.*srgba?\(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3/p; s/.*gray\(([0-9]+)\).*/\1 \1 \1/p' |
    awk '
      $2 > $1 + 60 && $2 > $3 + 40 { green++ }
      $1 > $2 + 80 && $1 > $3 + 80 { red++ }
      $3 > $1 + 60 && $3 > $2 + 30 { blue++ }
      $1 > 150 && $1 >= $2 && $2 > $3 + 60 { amber++ }
      $1 < 235 && $1 > 60 && ($1 - $2) < 14 && ($2 - $1) < 14 && ($1 - $3) < 14 && ($3 - $1) < 14 { grey++ }
      END {
        kind = "none"; best = 15
        if (green > best) { kind = "on"; best = green }
        if (red > best) { kind = "blocked"; best = red }
        if (blue > best) { kind = "application"; best = blue }
        if (grey > best) { kind = "off"; best = grey }
        if (amber > best) { kind = "paused"; best = amber }
        print kind
      }'
}
e2e_shot=$(mktemp -u "${TMPDIR:-/tmp}/stilvane-shot.XXXXXX").png

# Waits until the tray icon shows $1 (up to $2 seconds, default 10).
wait_icon() {
  wait_for "[[ \$(tray_icon_kind) == $1 ]]" "${2:-10}"
}

# Right-clicks the tray icon and presses the menu item's access key.
tray_menu() { # key
  local x y
  read -r x y <<<"$(tray_icon_point)"
  xdotool mousemove "$x" "$y" click 3
  sleep 0.8
  xdotool key "$1"
  sleep 0.3
}

tray_double_click() {
  local x y
  read -r x y <<<"$(tray_icon_point)"
  sleep 0.6
  xdotool mousemove "$x" "$y" click --repeat 2 --delay 60 1
}

# Message boxes open now, "caption|text|icon" a line ($dialog_probe).
dialogs() {
  wine "$dialog_probe" 2>/dev/null | tr -d '\r'
}

# Waits for a message box whose line matches $1 (fixed text).
wait_dialog() {
  local i
  for i in $(seq $((${2:-10} * 4))); do
    dialogs | grep -qF -- "$1" && return 0
    sleep 0.25
  done
  return 1
}

# Quits through the tray menu and waits for the program to end; checks that
# it ended with 0 and took its icon along.
quit_stilvane() { # quit key
  tray_menu "$1"
  if ! wait_for "! kill -0 $stilvane_pid" 10; then
    fail "the program did not end"
    kill "$stilvane_pid" 2>/dev/null
    return
  fi
  wait "$stilvane_pid"
  expect_eq "$?" 0 "exit code"
}

# The X window of the editor (client area) as "W H X Y".
editor_area() {
  local id
  id=$(xdotool search --onlyvisible --name '^PopUp Blocker$' 2>/dev/null | head -1)
  [[ -n $id ]] && window_area "$id"
}

# Clicks at client coordinates of the editor.
editor_click() { # x y [extra xdotool args before click]
  local w h x y
  read -r w h x y <<<"$(editor_area)"
  xdotool mousemove "$((x + $1))" "$((y + $2))" "${@:3}" click 1
}

# The bytes of file $1 (or of standard input), one line, as od shows them.
hexdump_file() { od -An -c "$@" | tr -s ' ' | tr -d '\n'; }

expect_bytes() { # file text-with-backslash-escapes what
  expect_eq "$(hexdump_file "$1")" "$(printf '%b' "$2" | hexdump_file)" "$3"
}

# Answers the open message box with a key. Without a window manager the
# keyboard goes to the window under the pointer, so the pointer goes there.
answer_dialog() { # key
  local id w h x y
  for id in $(xdotool search --onlyvisible --name '^Quillane PopUp Blocker$' 2>/dev/null); do
    read -r w h x y <<<"$(window_area "$id")"
    [[ $w -gt 50 && $h -gt 30 ]] || continue
    # A box answered the moment it appears can leave Wine's window half
    # closed; a person takes a moment to read it anyway.
    sleep 1
    xdotool mousemove "$((x + w / 2))" "$((y + h / 2))"
    sleep 0.2
    xdotool key "$1"
    wait_for "! xdotool search --onlyvisible --name '^Quillane PopUp Blocker\$' | grep -qx $id" 5
    return 0
  done
  return 1
}
