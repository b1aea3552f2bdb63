#!/usr/bin/env bash
# The tray controller as a user meets it: started under Wine on the test
# display in a fresh prefix per scenario, driven with xdotool on the Wine
# System Tray and its windows; results read from the Wine registry, the
# program folder and screenshots.
# $1: the staged program folder; $2: dialog_probe.exe; $3: close_probe.exe.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
dist=$1
dialog_probe=$2
close_probe=$3
trap 'rm -f "$e2e_shot"' EXIT
signal_block="$(cd "$(dirname "$0")/../.." && pwd)/scripts/signal-block"
# Access keys of the English (1033) texts in the shipped popup.ini.
key_block=b key_pause=p key_exceptions=e key_sound=s key_quit=q
own_key='HKCU\Software\Quillane\Stilvane'

scenario_start() { # name [first: the first start ever, with its balloon]
  begin "$1"
  fresh_prefix
  program_folder "$dist"
  # Later starts show no balloon, which Wine draws over the tray's icon.
  [[ ${2:-} == first ]] ||
    wine reg add "$own_key" /v Welcomed /t REG_DWORD /d 1 /f >/dev/null 2>&1
}

scenario_end() {
  kill "${stilvane_pid:-0}" 2>/dev/null
  wait "${stilvane_pid:-0}" 2>/dev/null
  stilvane_pid=
  drop_prefix
  rm -rf "$program"
  end
}

# Wine's tray shows the application's icon for a few seconds before the
# program's first picture, and the icon's menu answers only after that.
wait_state_icon() {
  wait_for '[[ ! $(tray_icon_kind) =~ ^(none|application)$ ]]' 20 || fail "no state icon"
}

started() { # waits until the program has published its folder and shows its icon
  start_stilvane
  wait_for '[[ $(reg_value PopupBlocker_Dir) != MISSING ]]' 20 || fail "nothing published"
  wait_state_icon
}

# Rows of text in the open tray menu, top down: "grey" for a greyed item,
# "black" for one that can be chosen (the menu is white, the desktop black).
menu_rows() {
  local x y
  read -r x y <<<"$(tray_icon_point)"
  screenshot "$e2e_shot"
  /usr/bin/convert "$e2e_shot" -crop "200x220+$((x + 20))+$y" txt:- 2>/dev/null |
    sed -nE 's/^[0-9]+,([0-9]+): \(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3 \4/p' |
    awk '{ l = ($2 + $3 + $4) / 3; if (!($1 in lo) || l < lo[$1]) lo[$1] = l; if (l > hi[$1]) hi[$1] = l }
      END { for (y = 0; y in lo; y++) {
              if (hi[y] >= 250 && lo[y] < 250) { row = 1; if (lo[y] < darkest) darkest = lo[y]; continue }
              if (row) printf "%s ", darkest < 60 ? "black" : "grey"
              row = 0; darkest = 255 } }'
}

scenario_start Stilvane.FirstStartOnAnEmptyRegistry first
started
# (Wine's tray never reports the balloon shown, which the record waits for.)
sleep 1
xdotool mousemove 200 70 click 1 # closes the balloon Wine may draw below the tray
expect_eq "$(reg_value PopupBlocker_Dir)" "$(winepath -w "$program" 2>/dev/null)" "PopupBlocker_Dir"
expect_eq "$(reg_type PopupBlocker_Dir)" REG_SZ "type of PopupBlocker_Dir"
wait_for '[[ $(reg_value PopupBlocker_Sound) != MISSING ]]' 10
expect_eq "$(reg_value PopupBlocker_Sound)" 1 "PopupBlocker_Sound"
expect_eq "$(reg_value PopupBlocker)" MISSING "PopupBlocker"
wait_icon off || fail "tray shows '$(tray_icon_kind)', not the off icon"
[[ -z $(xdotool search --onlyvisible --name '^PopUp Blocker$' 2>/dev/null) ]] ||
  fail "the window is shown at start"
quit_stilvane "$key_quit"
sleep 0.5
expect_eq "$(tray_icon_kind)" none "tray after quitting"
scenario_end

scenario_start Stilvane.StoredBlockingShowsTheOnIcon
wine reg add 'HKCU\Software\Quillane' /v PopupBlocker /t REG_SZ /d 1 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Quillane' /v PopupBlocker_Sound /t REG_DWORD /d 0 /f >/dev/null 2>&1
started
wait_icon on || fail "tray shows '$(tray_icon_kind)', not the on icon"
expect_eq "$(reg_value PopupBlocker_Sound)" 0 "PopupBlocker_Sound kept off"
expect_eq "$(reg_type PopupBlocker_Sound)" REG_SZ "PopupBlocker_Sound rewritten as a string"
scenario_end

scenario_start Stilvane.DoubleClickTogglesBlocking
started
wait_icon off || fail "not off at start"
tray_double_click
wait_for '[[ $(reg_value PopupBlocker) == 1 ]]' 5 || fail "PopupBlocker is '$(reg_value PopupBlocker)' after one double-click"
wait_icon on || fail "no on icon after the double-click"
tray_double_click
wait_for '[[ $(reg_value PopupBlocker) == 0 ]]' 5 || fail "PopupBlocker is '$(reg_value PopupBlocker)' after two double-clicks"
wait_icon off || fail "no off icon after the second double-click"
scenario_end

scenario_start Stilvane.MenuBlockSoundAndQuit
started
tray_menu "$key_block"
wait_for '[[ $(reg_value PopupBlocker) == 1 ]]' 5 || fail "Block did not switch blocking on"
tray_menu "$key_sound"
wait_for '[[ $(reg_value PopupBlocker_Sound) == 0 ]]' 5 || fail "Sound did not switch the sound off"
wait_icon on || fail "the icon changed with the sound"
tray_menu "$key_sound"
wait_for '[[ $(reg_value PopupBlocker_Sound) == 1 ]]' 5 || fail "Sound twice did not give 1"
quit_stilvane "$key_quit"
scenario_end

scenario_start Stilvane.PauseThroughTheTrayMenuEndsAtQuit
wine reg add 'HKCU\Software\Quillane' /v PopupBlocker /t REG_SZ /d 1 /f >/dev/null 2>&1
started
"$signal_block" "$WINEPREFIX" && sleep 1 && "$signal_block" "$WINEPREFIX"
wait_icon on 6 || fail "the on icon did not come back"
read -r x y <<<"$(tray_icon_point)"
xdotool mousemove "$x" "$y" click 3 sleep 0.8 key "$key_pause" sleep 0.8
[[ -n ${STILVANE_SCREENSHOTS:-} ]] && import -window root -crop 370x204+0+0 "$STILVANE_SCREENSHOTS/tray-menu.png"
xdotool key 5
wait_for '[[ $(reg_value PopupBlocker) == 0 ]]' 5 || fail "the pause did not switch blocking off"
wait_icon paused || fail "tray shows '$(tray_icon_kind)', not the paused icon"
quit_stilvane "$key_quit"
expect_eq "$(reg_value PopupBlocker) $(key_value "$own_key" PauseEnds)" "1 MISSING" "blocking and record after Quit"
scenario_end

scenario_start Stilvane.BlockSignalFlashesTheBlockedIcon
wine reg add 'HKCU\Software\Quillane' /v PopupBlocker /t REG_SZ /d 1 /f >/dev/null 2>&1
started
wait_icon on || fail "not on at start"
"$signal_block" "$WINEPREFIX"
signalled=$(date +%s%N)
wait_icon blocked 3 || fail "no blocked icon after a signal"
wait_for '[[ $(reg_value PopupBlocker_BlockTime) == MISSING ]]' 3 || fail "the signal was not consumed"
wait_icon on 6 || fail "the on icon did not come back"
shown_ms=$((($(date +%s%N) - signalled) / 1000000))
[[ $shown_ms -ge 1900 ]] || fail "the blocked icon went after $shown_ms ms"
# Two signals 1.5 s apart: blocked until two seconds after the second.
"$signal_block" "$WINEPREFIX"
wait_icon blocked 3 || fail "no blocked icon for the first of two signals"
sleep 1.5
"$signal_block" "$WINEPREFIX"
second=$(date +%s%N)
sleep 1.2
expect_eq "$(tray_icon_kind)" blocked "icon 1.2 s after the second signal"
wait_icon on 6 || fail "the on icon did not come back after two signals"
second_ms=$((($(date +%s%N) - second) / 1000000))
[[ $second_ms -ge 1900 ]] || fail "blocked icon ended $second_ms ms after the second signal"
scenario_end

scenario_start Stilvane.NonNumericSignalDoesNotStopThePolling
wine reg add 'HKCU\Software\Quillane' /v PopupBlocker /t REG_SZ /d 1 /f >/dev/null 2>&1
started
wait_icon on || fail "not on at start"
"$signal_block" "$WINEPREFIX" REG_SZ gestern
wait_icon blocked 3 || fail "a non-numeric signal showed no blocked icon"
wait_for '[[ $(reg_value PopupBlocker_BlockTime) == MISSING ]]' 3 || fail "the broken signal stayed"
wait_icon on 6 || fail "the on icon did not come back"
"$signal_block" "$WINEPREFIX"
wait_icon blocked 3 || fail "polling stopped after the broken signal"
[[ -z $(dialogs) ]] || fail "a message box was shown: $(dialogs)"
scenario_end

scenario_start Stilvane.MissingPopupIni
rm "$program/popup.ini"
start_stilvane
wait_dialog "Quillane PopUp Blocker|Error : popup.ini missing!|0" 20 ||
  fail "no plain message box; open: $(dialogs)"
# The start completes before the box: while it is open the blocker finds the
# folder, the icon tells the stored state and block signals are taken.
expect_eq "$(reg_value PopupBlocker_Dir)" "$(winepath -w "$program" 2>/dev/null)" \
  "PopupBlocker_Dir while the box is open"
expect_eq "$(reg_value PopupBlocker_Sound)" 1 "PopupBlocker_Sound"
wait_icon off || fail "tray shows '$(tray_icon_kind)', not the off icon"
"$signal_block" "$WINEPREFIX"
wait_icon blocked 3 || fail "no blocked icon while the box is open"
wait_for '[[ $(reg_value PopupBlocker_BlockTime) == MISSING ]]' 3 ||
  fail "the signal was not taken while the box is open"
answer_dialog Return
wait_for '[[ -z $(dialogs) ]]' 5 || fail "Enter did not close the box"
# The menu has the built-in German texts.
tray_menu p
wait_for '[[ $(reg_value PopupBlocker) == 1 ]]' 5 || fail "the German Block item did not work"
wait_icon on || fail "no on icon after Block"
quit_stilvane b
scenario_end

scenario_start Stilvane.BadDialectsNumber
printf '[dialects]\r\n1033="1031 "\r\n' >"$program/DIALECTS.INI"
start_stilvane
wait_dialog "Quillane PopUp Blocker|'1031 ' ist kein g" 20 || fail "no conversion error; open: $(dialogs)"
line=$(dialogs | head -1)
expect_eq "${line##*|}" 1 "stop icon in the error box"
[[ $line == *"Integerwert.|1" ]] || fail "message without its full stop: $line"
answer_dialog Return
wait_for '[[ -z $(dialogs) ]]' 5 || fail "Enter did not close the box"
kill -0 "$stilvane_pid" 2>/dev/null || fail "the program ended"
wait_icon off || fail "tray shows '$(tray_icon_kind)', not the off icon"
expect_eq "$(reg_value PopupBlocker_Dir)" "$(winepath -w "$program" 2>/dev/null)" "PopupBlocker_Dir"
scenario_end

scenario_start Stilvane.EditExceptions
printf 'b.example\r\nA.example\nc.example\rd.example' >"$program/popup-exp.ini"
started
tray_menu "$key_exceptions"
wait_for '[[ -n $(editor_area) ]]' 10 || fail "the editor did not open"
[[ -n ${STILVANE_SCREENSHOTS:-} ]] && {
  read -r w h x y <<<"$(editor_area)"
  sleep 0.5
  import -window root -crop "$((w + 40))x$((h + 40))+$((x - 20))+$((y - 20))" \
    "$STILVANE_SCREENSHOTS/editor.png"
}
# The keyboard: focus starts on Ok; Tab goes to Remove, the list, the field.
editor_click 200 30 # on the label: brings the pointer (and the keys) here
xdotool key Tab Tab Tab
xdotool type --delay 30 ' lead '
sleep 0.3
editor_click 348 294 # Add
# Shift+Tab from the Add button to the field, then its access key adds again.
xdotool key shift+Tab End shift+Home BackSpace
xdotool type --delay 30 'A.EXAMPLE'
sleep 0.3
xdotool key Return # Enter adds: a case variant of an entry is an entry of its own
xdotool key alt+a  # the same bytes again: not added
xdotool key End shift+Home BackSpace
xdotool key alt+a # empty: nothing added
# Rows: the two "A.example" variants, "b.example", "c.example", "d.example"
# and "lead", trimmed.
editor_click 60 $((68 + 2 + 13 * 0 + 6))
editor_click 60 $((68 + 2 + 13 * 2 + 6)) keydown shift
xdotool keyup shift
xdotool key alt+r
xdotool key alt+o
wait_for '[[ -z $(editor_area) ]]' 5 || fail "OK did not hide the editor"
expect_bytes "$program/popup-exp.ini" 'c.example\r\nd.example\r\nlead\r\n' "saved file"
scenario_end

# At 150 % display scale (Wine reads it when the program starts).
scenario_start Stilvane.MissingExceptionsFileOpensAnEmptyEditorAt150Percent
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
rm "$program/popup-exp.ini"
started
tray_menu "$key_exceptions"
wait_for '[[ -n $(editor_area) ]]' 10 || fail "the editor did not open; open: $(dialogs)"
read -r w h _ <<<"$(editor_area)"
expect_eq "$w x $h" "600 x 540" "client area of the editor"
[[ -n ${STILVANE_SCREENSHOTS:-} ]] && {
  read -r w h x y <<<"$(editor_area)"
  sleep 0.5
  import -window root -crop "$((w + 60))x$((h + 60))+$((x - 30))+$((y - 30))" \
    "$STILVANE_SCREENSHOTS/editor-150.png"
}
editor_click 150 441 # the field, at (100, 294) for 96 dpi
xdotool type --delay 30 'neu.example'
xdotool key alt+a alt+o
wait_for '[[ -z $(editor_area) ]]' 5 || fail "OK did not hide the editor"
expect_bytes "$program/popup-exp.ini" 'neu.example\r\n' "created file"
scenario_end

# "Close window" on the taskbar button while the editor shows: a close
# request to the application window ends the program as the close box does.
scenario_start Stilvane.CloseRequestEndsTheProgram
started
tray_menu "$key_exceptions"
wait_for '[[ -n $(editor_area) ]]' 10 || fail "the editor did not open"
wine "$close_probe" StilvaneApplication >/dev/null 2>&1 || fail "no application window"
if wait_for "! kill -0 $stilvane_pid" 10; then
  wait "$stilvane_pid"
  expect_eq "$?" 0 "exit code"
else
  fail "the program runs on after the close request"
fi
expect_eq "$(tray_icon_kind)" none "tray after the close request"
scenario_end

# Closing with an unsaved edit asks first; an installer's update request
# ends the program without a question and without saving.
scenario_start Stilvane.UnsavedEditsAskFirstButNotForAnUpdate
printf 'kept.example\r\n' >"$program/popup-exp.ini"
started
tray_menu "$key_exceptions"
wait_for '[[ -n $(editor_area) ]]' 10 || fail "the editor did not open"
editor_click 100 294
xdotool type --delay 30 'neu.example'
xdotool key alt+a
wine "$close_probe" StilvaneApplication >/dev/null 2>&1 || fail "no application window"
wait_dialog "Quillane PopUp Blocker|Save the changes to the exception list?" 10 ||
  fail "no question; open: $(dialogs)"
answer_dialog Escape
wait_for '[[ -z $(dialogs) ]]' 5 || fail "Escape did not close the question"
sleep 1
kill -0 "$stilvane_pid" 2>/dev/null || fail "Cancel ended the program"
[[ -n $(editor_area) ]] || fail "Cancel closed the editor"
wine "$close_probe" StilvaneApplication Quillane.PopUpBlocker.CloseForUpdate >/dev/null 2>&1
if wait_for "! kill -0 $stilvane_pid" 10; then
  wait "$stilvane_pid"
  expect_eq "$?" 0 "exit code"
else
  fail "the program runs on after the update request; open: $(dialogs)"
fi
expect_bytes "$program/popup-exp.ini" 'kept.example\r\n' "file after the update request"
expect_eq "$(tray_icon_kind)" none "tray after the update request"
scenario_end

scenario_start Stilvane.SignOutEndsTheProgramQuietly
wine reg add 'HKCU\Software\Quillane' /v PopupBlocker /t REG_SZ /d 1 /f >/dev/null 2>&1
started
wait_icon on || fail "not on at start"
before=$(wine reg query 'HKCU\Software\Quillane' 2>/dev/null)
wine wineboot --end-session >/dev/null 2>&1
if wait_for "! kill -0 $stilvane_pid" 10; then
  wait "$stilvane_pid"
  expect_eq "$?" 0 "exit code"
else
  fail "the program runs on after the session ended"
fi
expect_eq "$(tray_icon_kind)" none "tray after sign-out"
expect_eq "$(wine reg query 'HKCU\Software\Quillane' 2>/dev/null)" "$before" "shared values"
scenario_end

# A second start, even from another folder, opens the first one's editor
# and ends; Windows is set to dark apps, and the editor is dark.
scenario_start Stilvane.SecondStartOpensTheEditorOfTheFirst
printf 'intranet.example\r\nshop.example\r\nterms.example\r\n' >"$program/popup-exp.ini"
wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize' \
  /v AppsUseLightTheme /t REG_DWORD /d 0 /f >/dev/null 2>&1
started
wait_icon off || fail "no icon for the first start"
first_dir=$(reg_value PopupBlocker_Dir)
read -r tray_width _ <<<"$(window_area "$(tray_window)")"
second=$(mktemp -d "${TMPDIR:-/tmp}/stilvane-second.XXXXXX")
cp -a "$dist/." "$second/"
(cd "$second" && timeout 20 wine Stilvane.exe </dev/null >/dev/null 2>&1)
expect_eq "$?" 0 "exit code of the second start"
wait_for '[[ -n $(editor_area) ]]' 10 || fail "the second start opened no editor"
expect_eq "$(reg_value PopupBlocker_Dir)" "$first_dir" "PopupBlocker_Dir"
kill -0 "$stilvane_pid" 2>/dev/null || fail "the first start ended"
read -r width _ <<<"$(window_area "$(tray_window)")"
expect_eq "$width" "$tray_width" "width of the tray (one icon)"
rm -rf "$second"
read -r w h x y <<<"$(editor_area)"
editor_click 60 $((68 + 2 + 13 + 6)) # a selected entry, for the picture
sleep 0.5
screenshot "$e2e_shot"
expect_eq "$(colour_centre "$e2e_shot" '#202020' "40 20 $((x + 330)) $((y + 100))" | cut -d' ' -f3)" \
  800 "dark face pixels beside the list"
[[ -n ${STILVANE_SCREENSHOTS:-} ]] &&
  /usr/bin/convert "$e2e_shot" -crop "$((w + 40))x$((h + 40))+$((x - 20))+$((y - 20))" \
    "$STILVANE_SCREENSHOTS/editor-dark.png"
scenario_end

# A French Canadian system: popup.ini has an empty section for it, and
# DIALECTS.INI sends it to French, whose menu opens the editor with "x".
scenario_start Stilvane.FrenchCanadianSystemGetsTheFrenchTexts
(cd "$program" && LC_ALL=fr_CA.UTF-8 exec wine Stilvane.exe </dev/null >/dev/null 2>&1) &
stilvane_pid=$!
wait_for '[[ $(reg_value PopupBlocker_Dir) != MISSING ]]' 20 || fail "nothing published; open: $(dialogs)"
wait_state_icon
tray_menu x
wait_for '[[ -n $(editor_area) ]]' 10 || fail "the French access key of Exceptions did not open the editor"
scenario_end

# A folder whose name the ANSI code page cannot hold, as under a user
# profile: the program reaches its files by the folder's short name. (Wine
# reads Unix file names as UTF-8 only in a UTF-8 locale; the code page stays
# Windows-1252.)
scenario_start Stilvane.FolderNameOutsideTheAnsiCodePage
unicode_program="$program/Программа"
mkdir "$unicode_program"
cp -a "$dist/." "$unicode_program/"
(cd "$unicode_program" && LC_ALL=C.UTF-8 exec wine Stilvane.exe </dev/null >/dev/null 2>&1) &
stilvane_pid=$!
wait_for '[[ $(reg_value PopupBlocker_Dir) != MISSING ]]' 20 || fail "nothing published; open: $(dialogs)"
published=$(reg_value PopupBlocker_Dir)
[[ $published == *"~"* ]] || fail "published '$published', not the short form"
expect_eq "$(LC_ALL=C.UTF-8 winepath -u "$published" 2>/dev/null | sed 's:/*$::')" "$unicode_program" \
  "folder named by PopupBlocker_Dir"
[[ -z $(dialogs) ]] || fail "a message box was shown: $(dialogs)"
wait_icon off || fail "tray shows '$(tray_icon_kind)', not the off icon"
scenario_end

scenario_start Stilvane.FailedSaveKeepsTheOldFile
printf 'alt\r\n' >"$program/popup-exp.ini"
started
wine attrib +r "$(winepath -w "$program/popup-exp.ini")" >/dev/null 2>&1
tray_menu "$key_exceptions"
wait_for '[[ -n $(editor_area) ]]' 10 || fail "the editor did not open"
editor_click 100 294
xdotool type --delay 30 'neu'
xdotool key alt+a alt+o
wait_dialog "popup-exp.ini cannot be created (" 10 || fail "no create error; open: $(dialogs)"
answer_dialog Return
sleep 0.5
[[ -n $(editor_area) ]] || fail "the editor closed although nothing was saved"
expect_bytes "$program/popup-exp.ini" 'alt\r\n' "old file"
expect_eq "$(find "$program" -iname 'exp*.tmp' | wc -l)" 0 "temporary files left"
scenario_end

# Blocks on two days: yesterday's count (set by hand) goes into the history
# at the start; the statistics window opens from the tray menu's count line.
scenario_start Stilvane.StatisticsOfTwoDays
yesterday=$(date -d yesterday +%F) # Wine keeps the machine's time zone
wine reg add "$own_key" /v BlockedToday /t REG_DWORD /d 4 /f >/dev/null 2>&1
wine reg add "$own_key" /v BlockedTotal /t REG_DWORD /d 4 /f >/dev/null 2>&1
wine reg add "$own_key" /v BlockedDay /t REG_SZ /d "$yesterday" /f >/dev/null 2>&1
started
for block in 1 2; do
  "$signal_block" "$WINEPREFIX"
  wait_for '[[ $(reg_value PopupBlocker_BlockTime) == MISSING ]]' 5 || fail "signal $block not taken"
done
wait_for '[[ $(key_value "$own_key" BlockedTotal) == 0x6 ]]' 5 || fail "not six blocks in all"
expect_eq "$(key_value "$own_key" BlockedHistory | sed 's/.*,//')" 4 "yesterday in the history"
read -r x y <<<"$(tray_icon_point)"
xdotool mousemove "$x" "$y" click 3 sleep 0.8 key Down Return
wait_for '[[ -n $(xdotool search --onlyvisible --name "^Blocked popups$" 2>/dev/null) ]]' 10 ||
  fail "the statistics window did not open"
window=$(xdotool search --onlyvisible --name '^Blocked popups$' 2>/dev/null | head -1)
[[ -n ${STILVANE_SCREENSHOTS:-} && -n $window ]] && {
  read -r w h x y <<<"$(window_area "$window")"
  sleep 0.5
  import -window root -crop "$((w + 40))x$((h + 40))+$((x - 20))+$((y - 20))" \
    "$STILVANE_SCREENSHOTS/statistics.png"
}
read -r w h x y <<<"$(window_area "$window")"
xdotool mousemove $((x + w / 2)) $((y + h / 2)) key Escape
wait_for '[[ -z $(xdotool search --onlyvisible --name "^Blocked popups$" 2>/dev/null) ]]' 5 ||
  fail "Escape did not close the statistics window"
scenario_end

# Russian and Japanese systems (code pages 1251 and 932): the menu's and
# the editor's texts in their own language, read back from the buttons.
repo=$(cd "$(dirname "$0")/../.." && pwd)
for system in ru_RU:1049:Russian ja_JP:1041:Japanese; do
  IFS=: read -r locale language name <<<"$system"
  scenario_start "Stilvane.${name}SystemShowsItsOwnTexts"
  wine reg add 'HKCU\Software\Quillane' /v PopupBlocker /t REG_SZ /d 1 /f >/dev/null 2>&1
  (cd "$program" && LC_ALL=$locale.UTF-8 exec wine Stilvane.exe </dev/null >/dev/null 2>&1) &
  stilvane_pid=$!
  wait_for '[[ $(reg_value PopupBlocker_Dir) != MISSING ]]' 20 || fail "nothing published"
  # Edit exceptions is the fifth item (the count, Recently blocked, Block popups, ...),
  # whatever the language; with blocking on, none of them is greyed.
  # A fresh prefix may still be loading the language's fonts when the menu
  # first opens, and then the keys are lost: up to three tries.
  buttons() { LC_ALL=$locale.UTF-8 wine "$dialog_probe" buttons 'PopUp Blocker' 2>/dev/null | tr -d '\r' | tr '\n' '|'; }
  for try in 1 2 3; do
    read -r x y <<<"$(tray_icon_point)"
    xdotool key Escape mousemove "$x" "$y" click 3 sleep 2 key --delay 150 Down Down Down Down Down Return
    wait_for '[[ -n $(buttons) ]]' 8 && break
  done
  [[ -n $(buttons) ]] || fail "the editor did not open"
  shipped() { (cd "$repo" && python3 tools/popup_ini.py show "$language" | sed -n "s/^$1=//p"); }
  # In the tab order: Ok, Remove, Add.
  expect_eq "$(buttons)" "&Ok|$(shipped Button_Delete)|$(shipped Button_Add)|" "the editor's buttons"
  scenario_end
done

# An administrator's policy: blocking locked on, an exception managed.
scenario_start Stilvane.PolicyLocksBlockingAndManagesAnException
policy='HKLM\Software\Policies\Quillane\PopUpBlocker'
wine reg add "$policy" /v Blocking /t REG_DWORD /d 1 /f >/dev/null 2>&1
wine reg add "$policy\ManagedExceptions" /v 1 /t REG_SZ /d intranet.example /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Quillane' /v PopupBlocker /t REG_SZ /d 0 /f >/dev/null 2>&1
printf 'own.example\r\n' >"$program/popup-exp.ini"
started
wait_for '[[ $(reg_value PopupBlocker) == 1 ]]' 5 || fail "PopupBlocker is '$(reg_value PopupBlocker)', not the policy's 1"
wait_icon on || fail "tray shows '$(tray_icon_kind)', not the on icon"
expect_bytes "$program/popup-exp.ini" 'own.example\r\nintranet.example\r\n' "exceptions file"
# Greyed: Block popups and the pause; none of the other items.
read -r x y <<<"$(tray_icon_point)"
xdotool mousemove "$x" "$y" click 3 sleep 0.8 mousemove 1000 700 sleep 0.5
expect_eq "$(menu_rows)" "black black grey grey black black black black " "rows of the tray menu"
xdotool click 1
wine reg add 'HKCU\Software\Quillane' /v PopupBlocker /t REG_SZ /d 0 /f >/dev/null 2>&1
written=$(date +%s%N)
wait_for '[[ $(reg_value PopupBlocker) == 1 ]]' 3 || fail "another program's 0 was not put back"
echo "PopupBlocker back to 1 seen $((($(date +%s%N) - written) / 1000000)) ms after the 0"
# The policy drops the exception: the entry it added goes, the user's stays.
wine reg delete "$policy\ManagedExceptions" /f >/dev/null 2>&1
wait_for "[[ \$(hexdump_file '$program/popup-exp.ini') == '$(printf 'own.example\r\n' | hexdump_file)' ]]" 5 ||
  fail "the dropped entry is still in the file: $(hexdump_file "$program/popup-exp.ini")"
scenario_end

# A block told with its address: the site in Recently blocked, allowed there.
scenario_start Stilvane.BlockedSiteAllowedFromTheTrayMenu
printf 'own.example\r\n' >"$program/popup-exp.ini"
started
"$signal_block" --address 'http://user:pw@www.Shop.Example.com:8080/cart?id=1' "$WINEPREFIX"
wait_for '[[ $(reg_value PopupBlocker_BlockURL) == MISSING ]]' 5 || fail "the address was not taken"
read -r x y <<<"$(tray_icon_point)"
xdotool mousemove "$x" "$y" click 3 sleep 0.8 key r sleep 0.5 key Return
wait_dialog "Quillane PopUp Blocker|Allow popups from shop.example.com?" 10 ||
  fail "no question; open: $(dialogs)"
answer_dialog y
wait_for "[[ \$(hexdump_file '$program/popup-exp.ini') == '$(printf 'own.example\r\nshop.example.com\r\n' | hexdump_file)' ]]" 5 ||
  fail "the site is not in the file: $(hexdump_file "$program/popup-exp.ini")"
scenario_end

finish
