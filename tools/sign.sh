#!/usr/bin/env bash
# sign.sh IN.exe OUT.exe: signs a built program with Authenticode through
# osslsigncode (SHA-256 digest), with the packager's certificate and key:
#   SIGN_PFX            the PKCS#12 file (.pfx) holding both
#   SIGN_PFX_PASSWORD   its password. The tools read it from a file only
#                       this user can read, in a private folder removed on
#                       exit; it is never on a command line, never printed,
#                       and no program started here inherits the variable.
#   SIGN_TIMESTAMP_URL  optional: an RFC 3161 time-stamp server, so that the
#                       signature stays valid after the certificate expires
# OUT is written only when signing succeeded; IN may be OUT. Nothing in the
# build calls this: the program is built unsigned.
set -euo pipefail

fail() {
  echo "sign.sh: $*" >&2
  exit 1
}
if [ $# -ne 2 ]; then
  echo "usage: SIGN_PFX=FILE.pfx SIGN_PFX_PASSWORD=... [SIGN_TIMESTAMP_URL=URL] sign.sh IN.exe OUT.exe" >&2
  exit 2
fi
in=$1
out=$2
[ -n "${SIGN_PFX:-}" ] ||
  fail "SIGN_PFX is not set: it names the PKCS#12 file (.pfx) with the code-signing certificate and its key"
[ -n "${SIGN_PFX_PASSWORD:-}" ] || fail "SIGN_PFX_PASSWORD is not set: it holds the password of $SIGN_PFX"
if [ ! -f "$SIGN_PFX" ] || [ ! -r "$SIGN_PFX" ]; then
  fail "SIGN_PFX names $SIGN_PFX, which is no readable file"
fi
[ -f "$in" ] || fail "$in is no file"
for tool in osslsigncode openssl; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (tools/setup.sh installs it)"
done

private=$(mktemp -d)
trap 'rm -rf "$private"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
password=$private/password
(umask 077 && printf '%s' "$SIGN_PFX_PASSWORD" >"$password")
unset SIGN_PFX_PASSWORD

# pkcs12 ARGS...: openssl's view of SIGN_PFX; files made by older tools need
# OpenSSL's legacy ciphers (osslsigncode falls back to them by itself).
pkcs12() {
  openssl pkcs12 -in "$SIGN_PFX" -passin "file:$password" "$@" 2>/dev/null ||
    openssl pkcs12 -legacy -in "$SIGN_PFX" -passin "file:$password" "$@" 2>/dev/null
}
pkcs12 -noout ||
  fail "the key in $SIGN_PFX does not open with SIGN_PFX_PASSWORD (a wrong password, or no PKCS#12 file)"
signer=$(pkcs12 -nokeys -clcerts | openssl x509 -noout -subject -nameopt utf8,sep_comma_plus 2>/dev/null) ||
  fail "$SIGN_PFX holds no certificate"

timestamp=()
stamped="no time stamp"
if [ -n "${SIGN_TIMESTAMP_URL:-}" ]; then
  timestamp=(-ts "$SIGN_TIMESTAMP_URL")
  stamped="time stamp from $SIGN_TIMESTAMP_URL"
fi
mode=$(stat -c %a "$in")
if ! osslsigncode sign -pkcs12 "$SIGN_PFX" -readpass "$password" -h sha256 "${timestamp[@]}" \
  -in "$in" -out "$private/signed.exe" >"$private/log" 2>&1; then
  cat "$private/log" >&2
  fail "osslsigncode could not sign $in (SHA-256, $stamped)"
fi
mv -f "$private/signed.exe" "$out"
chmod "$mode" "$out"
echo "sign.sh: signed $out: SHA-256 digest, $stamped, by ${signer#subject=}"
echo "sign.sh: SHA-256 of the signed file: $(sha256sum "$out" | cut -d' ' -f1)"
