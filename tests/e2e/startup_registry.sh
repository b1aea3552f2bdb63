#!/usr/bin/env bash
# Starts the staged program in a fresh prefix and checks what it published.
# $1: the staged program folder.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
dist=$1

begin Startup.PublishesDirectoryAndSoundOnEmptyRegistry
fresh_prefix
expect_eq "$(reg_value PopupBlocker_Dir)" MISSING "Dir before start"
(cd "$dist" && timeout 60 wine Stilvane.exe </dev/null >/dev/null 2>&1)
expect_eq "$?" 0 "exit code"
expect_eq "$(reg_value PopupBlocker_Dir)" "$(winepath -w "$dist" 2>/dev/null)" "PopupBlocker_Dir"
expect_eq "$(reg_type PopupBlocker_Dir)" REG_SZ "type of PopupBlocker_Dir"
expect_eq "$(reg_value PopupBlocker_Sound)" 1 "PopupBlocker_Sound"
expect_eq "$(reg_value PopupBlocker)" MISSING "PopupBlocker"
drop_prefix
end

begin Startup.NormalisesStoredValuesAndLeavesBlockingAlone
fresh_prefix
wine reg add 'HKCU\Software\Quillane' /v PopupBlocker_Sound /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Quillane' /v PopupBlocker /t REG_SZ /d yes /f >/dev/null 2>&1
(cd "$dist" && timeout 60 wine Stilvane.exe </dev/null >/dev/null 2>&1)
expect_eq "$?" 0 "exit code"
expect_eq "$(reg_value PopupBlocker_Sound)" 0 "PopupBlocker_Sound"
expect_eq "$(reg_type PopupBlocker_Sound)" REG_SZ "type of PopupBlocker_Sound"
expect_eq "$(reg_value PopupBlocker)" yes "PopupBlocker"
drop_prefix
end

finish
