#!/usr/bin/env bash
# The release packages as a user meets them: the ZIP's listing, and the
# installer under Wine in a fresh prefix: a silent install, the installed
# program at work, an upgrade while it runs, and a silent uninstall; then
# the same round trip with the MSI.
# $1: the folder with QuillanePopUpBlocker-VERSION-win32.zip, -setup.exe and
# -win32.msi; $2: hold_probe.exe.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
packages=$1
hold_probe=$2
zip=$(ls "$packages"/QuillanePopUpBlocker-*-win32.zip)
setup=$(ls "$packages"/QuillanePopUpBlocker-*-setup.exe)
msi=$(ls "$packages"/QuillanePopUpBlocker-*-win32.msi)
base=$(basename "$zip" .zip)
product='Quillane PopUp Blocker'
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\QuillanePopUpBlocker'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

# Controllers running in this test's prefix.
controllers() {
  local pid n=0
  for pid in $(pgrep -f 'Stilvane\.exe'); do
    { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" &&
      n=$((n + 1))
  done
  echo $n
}
controller_running() { [[ $(controllers) -gt 0 ]]; }

begin Package.ZipHoldsTheProgramFolder
expect_eq "$(unzip -Z1 "$zip" | sort | tr '\n' ' ')" \
  "$base/DIALECTS.INI $base/README.txt $base/Stilvane.exe $base/policy/QuillanePopUpBlocker.admx \
$base/policy/de-DE/QuillanePopUpBlocker.adml $base/policy/en-US/QuillanePopUpBlocker.adml \
$base/popup-exp.ini $base/popup.ini " "ZIP listing"
expect_eq "$(unzip -p "$zip" "$base/popup-exp.ini" | wc -c)" 0 "size of popup-exp.ini"
[[ $(unzip -p "$zip" "$base/README.txt" | grep -c $'\r$') -eq $(unzip -p "$zip" "$base/README.txt" | wc -l) ]] ||
  fail "README.txt has lines without CR LF"
end

# The installation folder and the Start menu of the current prefix.
locate() {
  local_appdata=$(wine cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')
  folder=$(winepath -u "$local_appdata\\Programs\\$product" 2>/dev/null | sed 's:/*$::')
  start_menu=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')\\Microsoft\\Windows\\Start Menu\\Programs" 2>/dev/null)
}
fresh_prefix
locate

begin Package.SilentInstallForTheUserAlone
wine "$setup" /S </dev/null >/dev/null 2>&1
expect_eq "$?" 0 "exit code of the installer"
expect_eq "$(cd "$folder" 2>/dev/null && ls | sort | tr '\n' ' ')" \
  "DIALECTS.INI README.txt Stilvane.exe popup-exp.ini popup.ini uninstall.exe " "installed files"
[[ -f "$start_menu/$product.lnk" ]] || fail "no Start-menu shortcut in $start_menu"
expect_eq "$(key_value "$run_key" "$product")" "\"$(winepath -w "$folder")\\Stilvane.exe\"" "Run value"
expect_eq "$(key_value "$uninstall_key" DisplayName)" "$product" "DisplayName"
expect_eq "$(key_value "$uninstall_key" DisplayVersion)" "$(sed -E 's/QuillanePopUpBlocker-(.*)-win32/\1/' <<<"$base")" "DisplayVersion"
expect_eq "$(key_value "$uninstall_key" Publisher)" Quillane "Publisher"
expect_eq "$(key_value "$uninstall_key" InstallLocation)" "$(winepath -w "$folder")" "InstallLocation"
expect_eq "$(key_value "$uninstall_key" QuietUninstallString)" "\"$(winepath -w "$folder")\\uninstall.exe\" /S" \
  "QuietUninstallString"
for value in DisplayIcon UninstallString EstimatedSize NoModify NoRepair; do
  [[ $(key_value "$uninstall_key" $value) != MISSING ]] || fail "no $value in the uninstall entry"
done
# The installer started the program, which tells the blocker where it lives.
wait_for '[[ $(reg_value PopupBlocker_Dir) != MISSING ]]' 20 || fail "the installed program did not start"
expect_eq "$(reg_value PopupBlocker_Dir)" "$(winepath -w "$folder")" "PopupBlocker_Dir"
end

begin Package.UpgradeKeepsTheExceptionsAndTheRunningController
printf 'meine.example\r\n\xFCber.example\r\n' >"$folder/popup-exp.ini"
cp "$folder/popup-exp.ini" "$e2e_shot.exp"
controller_running || fail "no controller running before the upgrade"
wine reg delete 'HKCU\Software\Quillane' /v PopupBlocker_Dir /f >/dev/null 2>&1
wine "$setup" /S </dev/null >/dev/null 2>&1
expect_eq "$?" 0 "exit code of the installer"
cmp -s "$folder/popup-exp.ini" "$e2e_shot.exp" || fail "popup-exp.ini changed: $(hexdump_file "$folder/popup-exp.ini")"
wait_for '[[ $(reg_value PopupBlocker_Dir) != MISSING ]]' 20 || fail "the controller did not start again"
expect_eq "$(controllers)" 1 "controllers running"
rm -f "$e2e_shot.exp"
end

begin Package.SilentUninstallKeepsOnlyTheExceptions
wine reg add 'HKCU\Software\Quillane' /v PopupBlocker /t REG_SZ /d 1 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Quillane\Stilvane' /v BlockedTotal /t REG_DWORD /d 5 /f >/dev/null 2>&1
wine "$folder/uninstall.exe" /S </dev/null >/dev/null 2>&1
# The uninstaller goes on from a copy of itself in the temporary folder.
wait_for "[[ ! -e '$folder/uninstall.exe' ]]" 30 || fail "the uninstaller did not finish"
wait_for '! controller_running' 10 || fail "the controller still runs"
expect_eq "$(cd "$folder" 2>/dev/null && ls | tr '\n' ' ')" "popup-exp.ini " "left in the folder"
[[ ! -e "$start_menu/$product.lnk" ]] || fail "the shortcut is left"
expect_eq "$(key_value "$run_key" "$product")" MISSING "Run value"
wine reg query "$uninstall_key" >/dev/null 2>&1 && fail "the uninstall entry is left"
expect_eq "$(reg_value PopupBlocker)" 1 "the blocker's values"
wine reg query 'HKCU\Software\Quillane\Stilvane' >/dev/null 2>&1 && fail "the controller's own key is left"
end

begin Package.ScoopStartsThroughTheCurrentLink
# Scoop's `current` (a junction on Windows) and popup-exp.ini copied there from the one it keeps.
app="$WINEPREFIX/drive_c/scoop/apps/quillane-popupblocker" kept="$WINEPREFIX/drive_c/scoop/popup-exp.ini"
mkdir -p "$app" && unzip -q "$zip" -d "$app" && mv "$app/$base" "$app/1.1" && ln -s 1.1 "$app/current"
printf 'kept.example\r\n' >"$kept" && cp "$kept" "$app/1.1/popup-exp.ini"
wine reg delete 'HKCU\Software\Quillane' /v PopupBlocker_Dir /f >/dev/null 2>&1
wine 'C:\scoop\apps\quillane-popupblocker\current\Stilvane.exe' </dev/null >/dev/null 2>&1 &
wait_for '[[ $(reg_value PopupBlocker_Dir) != MISSING ]]' 20 || fail "the program did not start"
expect_eq "$(reg_value PopupBlocker_Dir)" 'C:\scoop\apps\quillane-popupblocker\current' "PopupBlocker_Dir"
cmp -s "$(winepath -u "$(reg_value PopupBlocker_Dir)")/popup-exp.ini" "$kept" || fail "the kept list is not found there"
end

drop_prefix

fresh_prefix
locate
begin Package.MsiRoundTrip
# Wine keeps the entries of per-user products under HKLM.
entry() { echo "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$(msiinfo export "$1" Property |
  tr -d '\r' | awk -F'\t' '$1 == "ProductCode" {print $2}')"; }
values() { local key=$1 name; shift; for name; do printf '%s|' "$(key_value "$key" "$name")"; done; }
version=$(sed -E 's/QuillanePopUpBlocker-(.*)-win32/\1/' <<<"$base")
# The next version (Windows Installer compares three fields) of the same program.
next_version=$(awk -F. '{print $1 "." $2 "." $3 + 1}' <<<"$version")
newer=$(mktemp -d)
unzip -p "$zip" "$base/Stilvane.exe" | python3 -c 'import struct, sys; v = [int(n) for n in sys.argv[1].split(".")]
d = bytearray(sys.stdin.buffer.read()); at = d.find(b"\xbd\x04\xef\xfe"); struct.pack_into("<4I", d, at + 8, *[v[0] << 16 | v[1], v[2] << 16] * 2)
sys.stdout.buffer.write(d)' "$next_version" >"$newer/Stilvane.exe"
msiinfo extract "$msi" Binary.CloseController >"$newer/closer.exe"
bash "$(dirname "$0")/../../package/build-packages.sh" "$newer"/{Stilvane,closer}.exe "$next_version" "$newer" ||
  fail "no newer MSI"
python3 "$(dirname "$0")/package_manifests.py" "$newer" || fail "the newer packages' tables"
cp "$msi" "$WINEPREFIX/drive_c/old.msi" && cp "$newer"/*.msi "$WINEPREFIX/drive_c/new.msi"
# A list already in the folder (an earlier installation's) is the user's.
mkdir -p "$folder" && printf 'meine.example\r\n\xFCber.example\r\n' >"$folder/popup-exp.ini"
cp "$folder/popup-exp.ini" "$newer/exp"
wine msiexec /i 'C:\old.msi' /qn </dev/null >/dev/null 2>&1
expect_eq "$?" 0 "exit code of msiexec /i"
cmp -s "$folder/popup-exp.ini" "$newer/exp" || fail "popup-exp.ini replaced: $(hexdump_file "$folder/popup-exp.ini")"
expect_eq "$(cd "$folder" 2>/dev/null && ls | sort | tr '\n' ' ')" \
  "DIALECTS.INI README.txt Stilvane.exe popup-exp.ini popup.ini " "installed files"
[[ -f "$start_menu/$product.lnk" ]] || fail "no Start-menu shortcut"
expect_eq "$(key_value "$run_key" "$product")" "\"$(winepath -w "$folder")\\Stilvane.exe\"" "Run value"
expect_eq "$(values "$(entry "$msi")" DisplayName DisplayVersion Publisher)" "$product|$version|Quillane|" "entry"
wine reg query 'HKCU\Software\Microsoft\Installer\Products' /s 2>/dev/null | grep -q 'ProductIcon.*Stilvane\.ico' ||
  fail "no product icon"
wine "$folder/Stilvane.exe" </dev/null >/dev/null 2>&1 &
wait_for '[[ $(reg_value PopupBlocker_Dir) == "$(winepath -w "$folder")" ]]' 20 || fail "the program did not start"

state_key='HKCU\Software\Quillane\Stilvane'
wine reg add "$state_key" /v BlockedTotal /t REG_DWORD /d 5 /f >/dev/null 2>&1
wine msiexec /i 'C:\new.msi' /qn </dev/null >/dev/null 2>&1
expect_eq "$?" 0 "exit code of the upgrade"
wait_for '! controller_running' 10 || fail "the controller still runs after the upgrade"
cmp -s "$folder/popup-exp.ini" "$newer/exp" || fail "popup-exp.ini changed: $(hexdump_file "$folder/popup-exp.ini")"
cmp -s "$folder/Stilvane.exe" "$newer/Stilvane.exe" || fail "the upgrade kept the older program"
expect_eq "$(key_value "$state_key" BlockedTotal)" 0x5 "the count after the upgrade"
expect_eq "$(values "$(entry "$newer"/*.msi)" DisplayVersion)$(values "$(entry "$msi")" DisplayName)" \
  "$next_version|MISSING|" "entries after the upgrade"

wine msiexec /x 'C:\new.msi' /qn </dev/null >/dev/null 2>&1
expect_eq "$?" 0 "exit code of msiexec /x"
expect_eq "$(cd "$folder" 2>/dev/null && ls | tr '\n' ' ')" "popup-exp.ini " "left in the folder"
cmp -s "$folder/popup-exp.ini" "$newer/exp" || fail "popup-exp.ini changed by the uninstall"
[[ ! -e "$start_menu/$product.lnk" ]] || fail "the shortcut is left"
expect_eq "$(key_value "$run_key" "$product")$(values "$(entry "$newer"/*.msi)" DisplayName)" MISSINGMISSING\| \
  "Run value and entry after the uninstall"
wine reg query "$state_key" >/dev/null 2>&1 && fail "the controller's own key is left"
[[ $(reg_value PopupBlocker_Dir) != MISSING ]] || fail "the blocker's values are gone"
end

begin Package.SignedWithAThrowawayCertificate
signing=$(mktemp -d)
export STILVANE_SIGN_PASSWORD='Wegwerf-Kennwort 7'
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$signing/key.pem" -out "$signing/cert.pem" -days 2 \
  -subj '/CN=Quillane Test' -addext extendedKeyUsage=codeSigning -addext keyUsage=digitalSignature 2>/dev/null
openssl pkcs12 -export -inkey "$signing/key.pem" -in "$signing/cert.pem" -out "$signing/test.pfx" \
  -passout env:STILVANE_SIGN_PASSWORD
build_packages() { bash "$(dirname "$0")/../../package/build-packages.sh" "$newer/"{Stilvane,closer}.exe "$version" "$@"; }
build_packages "$signing/out" "$signing/test.pfx" >"$signing/log" 2>&1 || fail "signing failed: $(cat "$signing/log")"
grep -qF "$STILVANE_SIGN_PASSWORD" "$signing/log" && fail "the password is in the output"
verified() { osslsigncode verify -CAfile "$signing/cert.pem" -in "$1" 2>&1 | grep -qx Succeeded; }
unzip -p "$signing/out/$base.zip" "$base/Stilvane.exe" >"$signing/from-zip.exe"
for file in "$signing/from-zip.exe" "$signing/out/"*-setup.exe "$signing/out/"*.msi; do
  verified "$file" || fail "no valid signature on $(basename "$file")"
done
verified "$newer/Stilvane.exe" && fail "the unsigned executable passes the check"
# Failures leave nothing behind: a wrong password, a missing file.
for pfx in test.pfx missing.pfx; do
  STILVANE_SIGN_PASSWORD=falsch build_packages "$signing/failed" "$signing/$pfx" >"$signing/log" 2>&1 &&
    fail "signing with $pfx succeeded"
  grep -q "cannot sign Stilvane.exe" "$signing/log" || fail "no clear message for $pfx: $(cat "$signing/log")"
  [[ ! -e "$signing/failed" ]] || fail "files left after a failure: $(ls "$signing/failed")"
done
grep -q "cannot read the certificate" <<<"$("$(dirname "$0")/../../scripts/package" --sign "$signing/missing.pfx" 2>&1)" ||
  fail "scripts/package gives no clear message for a missing certificate"
# The signed installer, its uninstaller and the signed program under Wine.
wine reg delete 'HKCU\Software\Quillane' /v PopupBlocker_Dir /f >/dev/null 2>&1
wine "$signing/out/"*-setup.exe /S </dev/null >/dev/null 2>&1
expect_eq "$?" 0 "exit code of the signed installer"
verified "$folder/uninstall.exe" || fail "no valid signature on the installed uninstaller"
wait_for '[[ $(reg_value PopupBlocker_Dir) != MISSING ]]' 20 || fail "the signed program did not start"
wait_for '[[ $(tray_icon_kind) != none ]]' 20 || fail "the signed program shows no tray icon"
rm -rf "$signing"
end
drop_prefix

# The installer as a hostile user tries it: each case fails with exit code 2
# (and, given a folder it cannot use, writes nothing) or does the right thing.
fresh_prefix
locate
begin Package.InstallerFaults
entries() { # the setup program's entry, the Run value, the shortcut, MSI products, installed files
  echo "$(key_value "$uninstall_key" InstallLocation) $(key_value "$uninstall_key" DisplayVersion)|$(
  key_value "$run_key" "$product")|$(ls "$start_menu")|$(
  wine reg query 'HKCU\Software\Microsoft\Installer\Products' 2>/dev/null | grep -c 'Products\\')|$(ls "$folder" 2>/dev/null)"; }
run_value="\"$(winepath -w "$folder")\\Stilvane.exe\""
[[ ! -e "$WINEPREFIX/dosdevices/q:" ]] || fail "the prefix has a drive Q:"
echo text >"$WINEPREFIX/drive_c/somefile"
cp "$msi" "$WINEPREFIX/drive_c/package.msi"
long=C:$(printf '\\Quillane-Ordner-mit-langem-Namen%.0s' {1..33}) && long=${long:0:1078} # too long for $INSTDIR
mkdir -p "$WINEPREFIX/drive_c/Other Lists" && printf 'other.example\r\n' >"$WINEPREFIX/drive_c/Other Lists/popup-exp.ini"
programs="$local_appdata\\Programs" installed="$local_appdata\\Programs\\$product"
while IFS='|' read -r case arguments outcome; do
  [[ $case == setup-over-msi ]] && { wine "$folder/uninstall.exe" /S; wait_for "[[ ! -e '$folder/uninstall.exe' ]]" 30
    wine msiexec /i 'C:\package.msi' /qn; } </dev/null >/dev/null 2>&1 # the MSI in its place
  before=$(entries) held_by= drive=$(ls "$WINEPREFIX/drive_c")
  [[ $case == run-removed ]] && wine reg delete "$run_key" /v "$product" /f >/dev/null 2>&1
  [[ $case == moved || $case == same-* ]] && printf '%s.example\r\n' "$case" >"$folder/popup-exp.ini" &&
    cp "$folder/popup-exp.ini" "$e2e_shot.list"
  [[ $case == *-no-list ]] && rm "$folder/popup-exp.ini" && printf '' >"$e2e_shot.list"
  [[ $case == same-short-unquoted ]] && arguments=/D=$(winepath -s "$installed" 2>/dev/null)\\
  [[ $case == downgrade ]] && { wine "$newer"/*-setup.exe /S /NOSTART </dev/null >/dev/null 2>&1; before=$(entries); }
  [[ $case == nostart-running ]] && { wait_for controller_running 20 || fail "$case: none runs before"; }
  if [[ $case == *-in-use ]]; then # held open without sharing
    # for longer than the installer waits for the running controller to end
    # (10 s) and then tries the file (5 s), on a slow machine too
    wine "$hold_probe" "$(winepath -w "$folder/${case%-in-use}")" 25 >"$e2e_shot.held" 2>/dev/null &
    held_by=$!
    wait_for "grep -q held '$e2e_shot.held'" 10 || fail "$case: not held"
  fi
  [[ $case == msi-* ]] && installer=(msiexec /i 'C:\package.msi' /qn) || installer=("$setup" /S ${arguments:+"$arguments"})
  wine "${installer[@]}" </dev/null >/dev/null 2>&1
  code=$?
  [[ -n $held_by ]] && wait "$held_by" && rm -f "$e2e_shot.held"
  [[ ($outcome == fails* && ($code -eq 2 || ($case == msi-* && $code -ne 0))) ||
    ($outcome != fails* && $code -eq 0) ]] || fail "$case: exit code $code"
  case $outcome in
  fails-writing-nothing)
    expect_eq "$(entries)" "$before" "$case: entries"
    expect_eq "$(ls "$WINEPREFIX/drive_c")" "$drive" "$case: folders on C:"
    [[ ! -e $folder ]] || fail "$case: installed into $folder" ;;
  fails-changing-nothing) expect_eq "$(entries)" "$before" "$case: entries" ;;
  runs) wait_for controller_running 20 || fail "$case: no controller runs" ;;
  run-value*) expect_eq "$(key_value "$run_key" "$product")" "${outcome#run-value }" "$case: Run value" ;;
  moved) # Wine quotes the folder with its blanks: "/D=C:\...".
    expect_eq "$(key_value "$uninstall_key" InstallLocation)" "${arguments#/D=}" "$case: InstallLocation"
    cmp -s "$(winepath -u "${arguments#/D=}")/popup-exp.ini" "$e2e_shot.list" || fail "$case: the list was not moved"
    [[ ! -e $folder ]] || fail "$case: left in the old folder: $(ls "$folder")"
    folder=$(winepath -u "${arguments#/D=}") && rm -f "$e2e_shot.list" ;;
  in-place) # the same folder however it is spelled: upgraded where it is
    expect_eq "$(entries)" "$before" "$case: entries"
    cmp -s "$folder/popup-exp.ini" "$e2e_shot.list" || fail "$case: the list changed" ;;
  esac
  [[ $case == downgrade ]] && { cmp -s "$folder/Stilvane.exe" "$newer/Stilvane.exe" || fail "$case: the older program is back"; }
done <<EOF
no-drive|/D=Q:\Quillane|fails-writing-nothing
file-in-the-way|/D=C:\somefile\Quillane|fails-writing-nothing
long-folder|/D=$long|fails-writing-nothing
no-room-for-the-backup|/D=${long:0:242}|fails-writing-nothing
first-install|/NOSTART|run-value $run_value
run-removed||run-value MISSING
nostart-running|/NOSTART|runs
same-dot-no-list|/D=$programs\.\\$product|in-place
same-dotdot|/D=$programs\..\Programs\\$product|in-place
same-case|/D=${installed^^}|in-place
same-trailing-backslash|/D=$installed\\|in-place
same-short-unquoted||in-place
popup.ini-in-use||fails
Stilvane.exe-in-use||fails
two-lists|/D=C:\Other Lists|fails-changing-nothing
moved|/D=C:\Program Files Test\Q|moved
downgrade||fails-changing-nothing
msi-over-setup||fails-changing-nothing
setup-over-msi||fails-changing-nothing
EOF
rm -rf "$newer"
end

drop_prefix
finish
