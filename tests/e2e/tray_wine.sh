#!/usr/bin/env bash
# The tray icon component in the real Wine System Tray, clicked with xdotool.
# $1: tray_probe.exe.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
probe=$1
work=$(mktemp -d)
log=$work/probe.log
trap 'rm -rf "$work"' EXIT

wine "$probe" "$(winepath -w "$log")" >/dev/null 2>&1 &
probe_pid=$!

begin TrayWine.IconAppearsInTheTray
if ! wait_log "$log" ready 30 || ! wait_for '[[ -n $(tray_window) ]]' 20; then
  fail "no tray window (log: $(cat "$log" 2>/dev/null))"
fi
tray=$(tray_window)
area=$(window_area "$tray")
wait_for 'screenshot "$work/s.png" && [[ -n $(colour_centre "$work/s.png" "#FF00FF" "$area") ]]' 10 ||
  fail "the icon's magenta pixels are not in the tray at $area"
read -r ix iy count <<<"$(colour_centre "$work/s.png" "#FF00FF" "$area")"
[[ ${count:-0} -ge 100 ]] || fail "only ${count:-0} magenta pixels"
read -r _ _ ax ay <<<"$area"
x=$((ax + ${ix:-0}))
y=$((ay + ${iy:-0}))
end

begin TrayWine.SingleLeftClickCallsOnClickOnly
xdotool mousemove "$x" "$y" click 1
wait_log "$log" "click 0" || fail "no OnClick"
sleep 0.5
grep -q '^menu:' "$log" && fail "a single click chose a menu item"
end

begin TrayWine.LeftDoubleClickChoosesTheDefaultItem
sleep 0.6 # not part of a double-click with the click before
xdotool mousemove "$x" "$y" click --repeat 2 --delay 60 1
wait_log "$log" "menu:&Zweiter" || fail "the default item was not chosen: $(tr '\n' ' ' <"$log")"
end

begin TrayWine.RightClickOpensTheMenuAtTheCursor
xdotool mousemove "$x" "$y" click 3
sleep 1
screenshot "$work/menu.png"
[[ -n ${STILVANE_SCREENSHOTS:-} ]] && cp "$work/menu.png" "$STILVANE_SCREENSHOTS/tray-probe-menu.png"
xdotool key e
wait_log "$log" "menu:&Erster" || fail "the menu item chosen by its access key did not run"
wait_log "$log" "click 1" || fail "no OnClick for the right button"
end

begin TrayWine.TaskbarCreatedBringsARemovedIconBack
sleep 0.5
xdotool mousemove "$x" "$y" click 3
sleep 1
xdotool key n
wait_log "$log" removed || fail "the probe did not remove its icon"
sleep 0.7
screenshot "$work/gone.png"
[[ -z $(colour_centre "$work/gone.png" "#FF00FF") ]] || fail "the icon was not removed behind the component's back"
wait_log "$log" broadcast 10 || fail "no broadcast"
wait_for 'screenshot "$work/back.png" && [[ -n $(colour_centre "$work/back.png" "#FF00FF") ]]' 10 ||
  fail "the icon did not come back after TaskbarCreated"
end

begin TrayWine.DestructionRemovesTheIcon
tray=$(tray_window)
area=$(window_area "$tray")
read -r ix iy count <<<"$(colour_centre "$work/back.png" "#FF00FF")"
xdotool mousemove "${ix:-$x}" "${iy:-$y}" click 3
sleep 1
xdotool key b
wait_log "$log" ended || fail "the probe did not end"
wait_for '! kill -0 $probe_pid' 10 || fail "the probe is still running"
sleep 0.5
screenshot "$work/end.png"
[[ -z $(colour_centre "$work/end.png" "#FF00FF") ]] || fail "the icon stayed in the tray"
end

kill "$probe_pid" 2>/dev/null
finish
