#!/usr/bin/env bash
# sign.sh FILE: signs a Windows executable in place with Authenticode
# (SHA-256), for package/build-packages.sh and the installer's !finalize.
# From the environment: STILVANE_SIGN_PFX (the PKCS#12 file),
# STILVANE_SIGN_PASSWORD (its password, handed to osslsigncode on its
# standard input, never on a command line), STILVANE_SIGN_TIMESTAMP (a
# time-stamp server's URL, or empty), SOURCE_DATE_EPOCH (the signing time
# without a time-stamp server: signed builds stay reproducible).
# On failure FILE is left as it was.
set -euo pipefail
file=$1
source "$(dirname "$0")/release.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/stilvane-sign.XXXXXX")
trap 'rm -rf "$work"' EXIT
signed=$work/signed
when=(-time "${SOURCE_DATE_EPOCH:?}")
[[ -n ${STILVANE_SIGN_TIMESTAMP:-} ]] && when=(-ts "$STILVANE_SIGN_TIMESTAMP")
if ! printf '%s' "${STILVANE_SIGN_PASSWORD-}" |
  osslsigncode sign -pkcs12 "${STILVANE_SIGN_PFX:?}" -readpass /dev/stdin -h sha256 \
    -n "$product" -i "$product_url" "${when[@]}" -in "$file" -out "$signed" >"$work/log" 2>&1; then
  echo "sign: cannot sign $(basename "$file") with $STILVANE_SIGN_PFX" \
    "(wrong password, not a PKCS#12 file, or the time-stamp server failed):" >&2
  grep -vi pass "$work/log" | head -5 >&2
  exit 1
fi
mv -f "$signed" "$file"
