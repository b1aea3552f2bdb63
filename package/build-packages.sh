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
# What wixl cannot say: the exceptions file is never overwritten
# (NeverOverwrite, 0x80) and stays on uninstall (Permanent, 0x10); the
# controller is closed by a program from the Binary table (type 2), whose
# failure does not stop the installation (0x40); after a removal the same
# program deletes the controller's own key.
"${frozen[@]}" msibuild "$msi" -q "UPDATE Component SET Attributes = 144 WHERE Component = 'Exceptions'" \
  -q "INSERT INTO CustomAction (Action, Type, Source, Target) VALUES ('CloseController', 66, 'CloseController', '')" \
  -q "INSERT INTO CustomAction (Action, Type, Source, Target) VALUES ('RemoveControllerState', 66, 'CloseController', '/forget')" \
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
  AppsAndFeaturesEntries:
  - ProductCode: '$(msi_property ProductCode)'
    UpgradeCode: '$(msi_property UpgradeCode)'
EOF
  footer installer
} >"$work/winget/$id.installer.yaml"

# Scoop: the ZIP (the program is 32-bit; 64-bit Windows takes the same
# one), and popup-exp.ini kept across versions. Scoop keeps it as a hard
# link, which the program's save (a new file put in the old one's place)
# parts from the kept copy: before a version is removed, a list that
# differs from the kept one is copied back.
cat >"$work/quillane-popupblocker.json" <<EOF
{
    "version": "$version",
    "description": "$description",
    "homepage": "$product_url",
    "license": "Proprietary",
    "##": "The program is 32-bit; 64-bit Windows runs the same ZIP.",
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
    "persist": "popup-exp.ini",
    "pre_uninstall": [
        "\$list = \"\$dir\\\\popup-exp.ini\"; \$kept = \"\$persist_dir\\\\popup-exp.ini\"",
        "if ((Test-Path -LiteralPath \$list) -and (Test-Path -LiteralPath \$kept) -and",
        "    ((Get-FileHash -LiteralPath \$list).Hash -ne (Get-FileHash -LiteralPath \$kept).Hash)) {",
        "    Copy-Item -LiteralPath \$list -Destination \$kept -Force",
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
