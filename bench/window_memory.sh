#!/usr/bin/env bash
# What the controller keeps after its windows have been open: memory
# (resident, anonymous), GDI and USER objects and whether the OLE libraries
# are mapped, at idle, after the exceptions editor was opened (by a second
# start) and closed with Ok, and after the statistics window was opened from
# the tray menu and closed. Each step waits SETTLE seconds.
# Usage: bench/window_memory.sh [PROGRAM-FOLDER] [SETTLE]
#   default folder: build/dist; e.g. the dist of an older checkout to compare
set -euo pipefail
cd "$(dirname "$0")/.."
settle=${2:-8}
bench_targets=process_probe
# The scenarios' look at the screen first: the session below owns what it starts.
WINEPREFIX=${WINEPREFIX:-}
source tests/e2e/lib.sh
source bench/idle_session.sh "${1:-}"
cp build/win32/tests/close_probe.exe "$work/"

# "resident anonymous gdi user ole" of the running controller, memory in KiB.
holdings() {
  local probe
  probe=$(cd "$work" && wine process_probe.exe "$exe" 2>/dev/null | tr -d '\r')
  printf '%s %s %s %s %s\n' "$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status")" \
    "$(awk '/^Anonymous:/ {n += $2} END {print n}' "/proc/$pid/smaps")" \
    "$(sed -n 's/.*gdi=\([^ ]*\).*/\1/p' <<<"$probe")" \
    "$(sed -n 's/.*user=\([^ ]*\).*/\1/p' <<<"$probe")" \
    "$(grep -ciE '/(ole32|combase|rpcrt4)\.dll$' "/proc/$pid/maps" | tr -d '\n')"
}
row() { # what
  read -r rss anon gdi user ole < <(holdings)
  printf '  %-34s %8s %8s %6s %6s %8s\n' "$1" "$rss" "$anon" "$gdi" "$user" "$ole"
}

print_conditions
printf '  %-34s %8s %8s %6s %6s %8s\n' "KiB / objects" resident anon gdi user "ole maps"
start_measured program
row idle
# A second start opens the editor; its Ok closes it.
(cd "$work/program" && wine "$exe" </dev/null >/dev/null 2>&1) || true
wait_for '[[ -n $(editor_area) ]]' 20
sleep "$settle"
row "editor open"
editor_click 348 338
wait_for '[[ -z $(editor_area) ]]' 20
sleep "$settle"
row "editor closed"
# The count, the tray menu's first item, opens the statistics.
read -r x y <<<"$(tray_icon_point)"
xdotool mousemove "$x" "$y" click 3
sleep 1
xdotool key Down Return
wait_for '[[ -n $(xdotool search --onlyvisible --name "^(Blockierte Popups|Blocked popups)$") ]]' 20 ||
  echo "  (the statistics window did not open)"
sleep "$settle"
row "statistics open"
(cd "$work" && wine close_probe.exe StilvaneStatistics </dev/null >/dev/null 2>&1) || true
sleep "$settle"
row "statistics closed"
