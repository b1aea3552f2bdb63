#!/usr/bin/env bash
# build-packages.sh EXE CLOSER VERSION OUT [PFX [TIMESTAMP-URL]]
# Builds the release packages of the program folder into OUT: the ZIP (with
# the administrative templates in policy/), the per-user installer, the MSI
# (with CLOSER, close_controller.exe, run before it touches files),
# SHA256SUMS, the templates in policy/ beside them, and the manifests for
# winget (winget/) and Scoop (quillane-popupblocker.json) that point at
# the release's download folder (release.sh). Byte for byte reproducible:
# every time stamped into them is SOURCE_DATE_EPOCH, else the time of the
# checkout's last commit. With PFX (password in STILVANE_SIGN_PASSWORD) the
# executable, the uninstaller, the installer and the MSI are signed. OUT only gets
# the new packages when all of them were built (and signed).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
source "$here/release.sh"
exe=$1 closer=$2 version=$3 out=$4
export STILVANE_SIGN_PFX=${5:+$(realpath "$5")} STILVANE_SIGN_TIMESTAMP=${6:-}
if [[ -z ${SOURCE_DATE_EPOCH:-} ]]; then
  SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 0)
fi
export SOURCE_DATE_EPOCH TZ=UTC
base=QuillanePopUpBlocker-$version
shipped=(Stilvane.exe popup.ini DIALECTS.INI README.txt popup-exp.ini)
templates=(policy/QuillanePopUpBlocker.admx policy/en-US/QuillanePopUpBlocker.adml
  policy/de-DE/QuillanePopUpBlocker.adml)

work=$(mktemp -d "${TMPDIR:-/tmp}/stilvane-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
stage=$work/$base-win32
mkdir "$stage"
cp "$exe" "$stage/"
for file in "${shipped[@]:1}"; do cp "$here/$file" "$stage/"; done
for file in "${templates[@]}"; do install -D -m 644 "$here/$file" "$stage/$file"; done
[[ -n $STILVANE_SIGN_PFX ]] && "$here/sign.sh" "$stage/Stilvane.exe"
chmod 644 "${shipped[@]/#/$stage/}"
find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

# The ZIP: the program folder, entries in a fixed order, no extra attributes.
(cd "$work" && zip -q -X -D "$base-win32.zip" "${shipped[@]/#/$base-win32/}" "${templates[@]/#/$base-win32/}")

# The installer; its files carry the installation's time, not the build's.
nsis_sign=()
[[ -n $STILVANE_SIGN_PFX ]] && nsis_sign=("-DSIGN=$here/sign.sh")
makensis -V2 -DVERSION="$version" "-DSTAGE=$stage" "-DICON=$root/src/ui/icons/application.ico" \
  "-DOUTFILE=$work/$base-setup.exe" "-DUPGRADE_CODE=$upgrade_code" "${nsis_sign[@]}" "$here/installer.nsi" >/dev/null

# The MSI. wixl stamps the current time and a random package code: the time
# is held at SOURCE_DATE_EPOCH, and the package code, like the product code
# (new for every version: a major upgrade), is named after what it holds.
uuid_of() {
  local h
  h=$(printf '%s' "$1" | sha1sum | cut -c1-32)
  printf '%s-%s-5%s-%x%s-%s' "${h:0:8}" "${h:8:4}" "${h:13:3}" $((0x${h:16:1} & 3 | 8)) "${h:17:3}" "${h:20:12}" |
    tr a-f A-F
}
# "VERSION LANGUAGE" of a file's version resource (its fixed file version
# and first translation), or nothing for a file without one.
pe_version() {
  python3 - "$1" <<'EOF'
import struct, sys
data = open(sys.argv[1], "rb").read()
at = data.find(b"\xbd\x04\xef\xfe") if data[:2] == b"MZ" else -1
if at >= 0:
    high, low = struct.unpack_from("<II", data, at + 8)
    key = data.find("Translation\0".encode("utf-16-le"), at)
    value = key + 24 + (-(key + 24) % 4)
    language = struct.unpack_from("<H", data, value)[0] if key >= 0 else 0
    print(f"{high >> 16}.{high & 0xFFFF}.{low >> 16}.{low & 0xFFFF} {language}")
EOF
}
product_code=$(uuid_of "Quillane PopUp Blocker product $version")
package_code=$(uuid_of "Quillane PopUp Blocker package $version $(cd "$stage" && sha256sum "${shipped[@]}")")
msi=$work/$base-win32.msi
frozen=(faketime "$(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S')")
mkdir "$work/msi"
cp "$root/src/ui/icons/application.ico" "$work/msi/"
cp "$closer" "$work/msi/close_controller.exe"
ln -s "$stage" "$work/msi/stage"
(cd "$work/msi" && "${frozen[@]}" wixl -a x86 -D Version="$version" -D ProductCode="$product_code" \
  -D UpgradeCode="$upgrade_code" -o "$msi" "$here/stilvane.wxs")
# What wixl cannot say. The exceptions file is never overwritten
# (NeverOverwrite 0x80, with a registry key path 0x4), stays on uninstall
# (Permanent, 0x10) and is installed only where the folder has none
# (EXCEPTIONSLIST, searched for in INSTALLDIR, which is set first where
# neither the command line nor an installed version named it). The
# controller is closed by a program from the Binary table (type 2), whose
# failure does not stop the installation (0x40). Removing the program
# removes the controller's key (a Registry row named "-"), and the folder
# the MSI may have created for it. An upgrade removes the older version
# after the newer one is in place: the components they share (the same
# GUIDs) stay, with the controller's key, and the files in them are
# replaced by the newer ones.
list_search=(-q "CREATE TABLE \`DrLocator\` (\`Signature_\` CHAR(72) NOT NULL, \`Parent\` CHAR(72),
    \`Path\` CHAR(255), \`Depth\` SHORT PRIMARY KEY \`Signature_\`, \`Parent\`, \`Path\`)"
  -q "INSERT INTO Signature (Signature, FileName) VALUES ('ExceptionsFile', 'popup-exp.ini')"
  -q "INSERT INTO DrLocator (Signature_, Path, Depth) VALUES ('ExceptionsFile', '[INSTALLDIR]', 0)"
  -q "INSERT INTO AppSearch (Property, Signature_) VALUES ('EXCEPTIONSLIST', 'ExceptionsFile')"
  -q "INSERT INTO CustomAction (Action, Type, Source, Target)
    VALUES ('DefaultInstallDir', 51, 'INSTALLDIR', '[LocalAppDataFolder]Programs\\$product\\')")
for table in InstallUISequence InstallExecuteSequence; do
  list_search+=(-q "INSERT INTO $table (Action, Condition, Sequence) VALUES ('DefaultInstallDir', 'NOT INSTALLDIR', 40)")
done
# A file with a version resource is known by its version (a newer one
# replaces an older one on upgrade), not by a hash, which is only for files
# without one.
versions=()
while IFS=$'\t' read -r key name; do
  read -r file_version language < <(pe_version "$stage/$name") || continue
  versions+=(-q "UPDATE File SET Version = '$file_version', Language = '$language' WHERE File = '$key'"
    -q "DELETE FROM MsiFileHash WHERE File_ = '$key'")
done < <(msiinfo export "$msi" File | tr -d '\r' | tail -n +4 | cut -f1,3)
"${frozen[@]}" msibuild "$msi" "${list_search[@]}" "${versions[@]}" \
  -q "UPDATE InstallExecuteSequence SET Sequence = 6601 WHERE Action = 'RemoveExistingProducts'" \
  -q "UPDATE Component SET Attributes = 148, Condition = 'NOT EXCEPTIONSLIST' WHERE Component = 'Exceptions'" \
  -q "INSERT INTO CustomAction (Action, Type, Source, Target) VALUES ('CloseController', 66, 'CloseController', '')" \
  -q "INSERT INTO Registry (Registry, Root, \`Key\`, Name, Component_)
    VALUES ('RemoveControllerKey', 1, 'Software\\Quillane\\Stilvane', '-', 'Program')" \
  -q "INSERT INTO RemoveFile (FileKey, Component_, DirProperty, InstallMode)
    VALUES ('RemoveProgramsFolder', 'Program', 'ProgramsFolder', 2)" \
  -s "Quillane PopUp Blocker $version" Quillane "Intel;1033" "{$package_code}"
[[ -n $STILVANE_SIGN_PFX ]] && "$here/sign.sh" "$msi"

products=("$base-win32.zip" "$base-setup.exe" "$base-win32.msi")
(cd "$work" && sha256sum "${products[@]}" >SHA256SUMS)
cp -a "$stage/policy" "$work/policy"

# The manifests, from the files just built. winget: schema 1.12.0, both
# installers per user and without elevation, the MSI known by its product
# and upgrade codes, the setup program by its entry's key.
hash_of() { sha256sum "$work/$1" | cut -c1-64; }
msi_property() { msiinfo export "$msi" Property | tr -d '\r' | awk -F'\t' -v name="$1" '$1 == name { print $2 }'; }
download=$(release_url "$version")
id=Quillane.PopUpBlocker
description='Tray controller of the Quillane popup blocker: switches blocking and its sound, pauses blocking and edits the exceptions.'
mkdir "$work/winget"
header() { # manifest type
  printf '# Written by package/build-packages.sh for %s %s.\n' "$product" "$version"
  printf '# yaml-language-server: $schema=https://aka.ms/winget-manifest.%s.1.12.0.schema.json\n\n' "$1"
  printf 'PackageIdentifier: %s\nPackageVersion: %s\n' "$id" "$version"
}
footer() { printf 'ManifestType: %s\nManifestVersion: 1.12.0\n' "$1"; }
{ header version; echo 'DefaultLocale: en-US'; footer version; } >"$work/winget/$id.yaml"
{
  header defaultLocale
  cat <<EOF
PackageLocale: en-US
Publisher: Quillane
PublisherUrl: $product_url
PackageName: $product
PackageUrl: $product_url
License: Proprietary
ShortDescription: '$description'
Tags:
- popup-blocker
- tray
EOF
  footer defaultLocale
} >"$work/winget/$id.locale.en-US.yaml"
{
  header installer
  cat <<EOF
ReleaseDate: $(date -u -d "@$SOURCE_DATE_EPOCH" +%F)
Installers:
- Architecture: x86
  InstallerType: nullsoft
  Scope: user
  InstallerUrl: $download/$base-setup.exe
  InstallerSha256: $(hash_of "$base-setup.exe" | tr a-f A-F)
  ElevationRequirement: elevationProhibited
  UpgradeBehavior: install
  ProductCode: QuillanePopUpBlocker
- Architecture: x86
  InstallerType: msi
  Scope: user
  InstallerUrl: $download/$base-win32.msi
  InstallerSha256: $(hash_of "$base-win32.msi" | tr a-f A-F)
  ElevationRequirement: elevationProhibited
  UpgradeBehavior: install
  ProductCode: '$(msi_property ProductCode)'
  InstallerSwitches:
    InstallLocation: 'INSTALLDIR="<INSTALLPATH>"'
  AppsAndFeaturesEntries:
  - ProductCode: '$(msi_property ProductCode)'
    UpgradeCode: '$(msi_property UpgradeCode)'
EOF
  footer installer
} >"$work/winget/$id.installer.yaml"

# Scoop: the ZIP (the program is 32-bit; 64-bit Windows takes the same
# one), and popup-exp.ini kept across versions by the hooks, not by
# "persist": Scoop keeps a persisted file as a hard link, which the
# program's save (a new file put in the old one's place) parts from the
# kept copy, and `scoop reset` links the kept copy back over the newer
# list. So the list is copied into the persist folder before a version is
# removed (update, uninstall) and from there into a new version; reset does
# not touch it. Scoop's bucket checks want CR LF lines.
sed 's/$/\r/' >"$work/quillane-popupblocker.json" <<EOF
{
    "version": "$version",
    "description": "$description",
    "homepage": "$product_url",
    "license": "Proprietary",
    "##": [
        "The program is 32-bit; 64-bit Windows runs the same ZIP.",
        "The hooks keep popup-exp.ini in the persist folder across versions."
    ],
    "architecture": {
        "64bit": {
            "url": "$download/$base-win32.zip",
            "hash": "$(hash_of "$base-win32.zip")"
        },
        "32bit": {
            "url": "$download/$base-win32.zip",
            "hash": "$(hash_of "$base-win32.zip")"
        }
    },
    "extract_dir": "$base-win32",
    "shortcuts": [
        [
            "Stilvane.exe",
            "$product"
        ]
    ],
    "pre_install": [
        "\$kept = \"\$persist_dir\\\\popup-exp.ini\"",
        "if (Test-Path -LiteralPath \$kept) {",
        "    Copy-Item -LiteralPath \$kept -Destination \"\$dir\\\\popup-exp.ini\" -Force",
        "}"
    ],
    "pre_uninstall": [
        "\$list = \"\$dir\\\\popup-exp.ini\"",
        "if (Test-Path -LiteralPath \$list) {",
        "    New-Item -ItemType Directory -Force -Path \$persist_dir | Out-Null",
        "    Copy-Item -LiteralPath \$list -Destination \"\$persist_dir\\\\popup-exp.ini\" -Force",
        "}"
    ]
}
EOF

# OUT holds one release: packages of other versions go.
mkdir -p "$out"
rm -f "$out"/QuillanePopUpBlocker-*-win32.zip "$out"/QuillanePopUpBlocker-*-setup.exe \
  "$out"/QuillanePopUpBlocker-*-win32.msi
for file in "${products[@]}" SHA256SUMS quillane-popupblocker.json; do mv -f "$work/$file" "$out/"; done
rm -rf "$out/policy" "$out/winget"
mv "$work/policy" "$work/winget" "$out/"
