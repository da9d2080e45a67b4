#!/usr/bin/env bash
# sign_test.sh WORK SIGN_SH WINE_RUN PROGRAM RELEASE_TESTS WINDOW_PROBE
#
# tools/sign.sh with a throwaway self-signed code-signing certificate: it
# refuses, with its reason and without writing OUT, when a variable is
# missing, the key does not open or the time-stamp server does not answer;
# it never shows the password, neither in its output nor on a command line.
# The signed copy of PROGRAM verifies (chain, SHA-256 digest, PE checksum),
# a copy with one byte changed does not, the copy without its signature is
# PROGRAM again, RELEASE_TESTS reads its version information, icon and
# manifest, and under Wine (WINE_RUN, in the build's prefix) it opens its
# window, which WINDOW_PROBE finds and closes. Runs inside the sandbox.
set -euo pipefail
work=$(realpath -m "$1")
sign=$2
wine_run=$3
program=$4
release_tests=$5
probe=$6

rm -rf "$work"
mkdir -p "$work"
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# The throwaway certificate: self-signed, for code signing only.
# shellcheck disable=SC2016  # shell characters, kept as they are
password='a "throwaway" pass phrase; $HOME & more'
(umask 077 && printf '%s' "$password" >"$work/password")
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Tovra test code signing" \
  -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning" \
  -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -passout "file:$work/password" \
  -out "$work/test.pfx"

# The tools sign.sh starts, seen through stand-ins on PATH that note every
# command line, for -readpass the password file's mode and its folder's,
# and the password variable if they inherit it.
calls=$work/calls
mkdir "$work/bin"
for tool in osslsigncode openssl; do
  cat >"$work/bin/$tool" <<EOF
#!/bin/sh
printf '%s\n' "$tool \$*" >>"$calls"
[ -z "\${SIGN_PFX_PASSWORD+set}" ] || echo "$tool inherited SIGN_PFX_PASSWORD" >>"$calls"
previous=
for arg in "\$@"; do
  [ "\$previous" = -readpass ] && echo "readpass \$(stat -c %a "\$arg") \$(stat -c %a "\$(dirname "\$arg")") \$arg" >>"$calls"
  previous=\$arg
done
exec $(command -v "$tool") "\$@"
EOF
  chmod +x "$work/bin/$tool"
done

# run_sign NAME VAR=VALUE...: sign.sh on a copy of PROGRAM to WORK/NAME.exe
# with only these signing variables; its output goes to WORK/NAME.log.
run_sign() {
  local name=$1
  shift
  cp "$program" "$work/in.exe"
  env -u SIGN_PFX -u SIGN_PFX_PASSWORD -u SIGN_TIMESTAMP_URL PATH="$work/bin:$PATH" "$@" \
    "$sign" "$work/in.exe" "$work/$name.exe" >"$work/$name.log" 2>&1
}

# refuses NAME MESSAGE VAR=VALUE...: sign.sh fails, says MESSAGE, writes no OUT.
refuses() {
  local name=$1 message=$2
  shift 2
  if run_sign "$name" "$@"; then
    fail "$name: sign.sh succeeded"
  elif ! grep -qF "$message" "$work/$name.log"; then
    fail "$name: sign.sh did not say \"$message\":"
    cat "$work/$name.log"
  fi
  [ ! -e "$work/$name.exe" ] || fail "$name: sign.sh wrote $work/$name.exe"
}
pfx=$work/test.pfx
refuses no-pfx "SIGN_PFX is not set" SIGN_PFX_PASSWORD="$password"
refuses no-password "SIGN_PFX_PASSWORD is not set" SIGN_PFX="$pfx"
refuses missing-pfx "which is no readable file" SIGN_PFX="$work/none.pfx" SIGN_PFX_PASSWORD="$password"
refuses wrong-password "does not open" SIGN_PFX="$pfx" SIGN_PFX_PASSWORD="not $password"
refuses not-pkcs12 "does not open" SIGN_PFX="$program" SIGN_PFX_PASSWORD="$password"
# Nothing listens on this loopback port: the time stamp cannot be had.
refuses no-time-stamp "could not sign" SIGN_PFX="$pfx" SIGN_PFX_PASSWORD="$password" \
  SIGN_TIMESTAMP_URL=http://127.0.0.1:9/

if ! run_sign signed SIGN_PFX="$pfx" SIGN_PFX_PASSWORD="$password"; then
  cat "$work/signed.log"
  echo "FAILED: sign.sh failed with a good certificate and password"
  exit 1
fi
cat "$work/signed.log"
signed=$work/signed.exe
grep -q -e '^osslsigncode sign .*-h sha256' "$calls" || fail "osslsigncode was not asked for a SHA-256 digest"
if grep -q -e 'readpass ' "$calls"; then
  while read -r _ file_mode folder_mode file; do
    if [ "$file_mode" != 600 ] || [ "$folder_mode" != 700 ]; then
      fail "the password file had mode $file_mode in a folder of mode $folder_mode"
    fi
    [ ! -e "$file" ] || fail "the password file $file is left behind"
  done < <(grep '^readpass ' "$calls")
else
  fail "osslsigncode did not read the password from a file"
fi
for log in "$calls" "$work"/*.log; do
  ! grep -qF "$password" "$log" || fail "the password shows in $log"
done
! grep "inherited" "$calls" || fail "a tool inherited the password variable"

# The signature: intact, over a SHA-256 digest, with a right PE checksum.
verify=$work/verify.log
echo "--- osslsigncode verify of the signed copy:"
osslsigncode verify -in "$signed" -CAfile "$work/cert.pem" >"$verify" 2>&1 ||
  fail "osslsigncode verify failed on the signed copy"
cat "$verify"
echo "---"
pe=$(od -An -tu4 -j60 -N4 "$signed" | tr -d ' ')
checksum=$(od -An -tx4 -j$((pe + 88)) -N4 "$signed" | tr -d ' ' | tr a-f A-F)
# Every checksum osslsigncode prints (the header's and the one it
# calculates, or one line when they agree) is the header's.
sums=$(sed -n 's/^\(Current \|Calculated \)\?PE checksum *: *\([0-9A-F]\{8\}\).*/\2/p' "$verify" | sort -u)
if [ "$sums" != "$checksum" ] || grep -q "invalid PE checksum" "$verify"; then
  fail "the PE checksum in the header ($checksum) is not the calculated one"
fi
grep -qx "Signature verification: ok" "$verify" || fail "the signature does not verify"
grep -qx "Message digest algorithm *: SHA256" "$verify" || fail "the digest is not SHA-256"
grep -q "Subject: /CN=Tovra test code signing" "$verify" || fail "the signer is not the test certificate"

# One byte of the code (the first section) changed: the signature no
# longer matches.
cp "$signed" "$work/tampered.exe"
optional_size=$(od -An -tu2 -j$((pe + 20)) -N2 "$signed" | tr -d ' ')
first_section=$((pe + 24 + optional_size))
offset=$(($(od -An -tu4 -j$((first_section + 20)) -N4 "$signed" | tr -d ' ') + 100))
byte=$(od -An -tu1 -j"$offset" -N1 "$signed" | tr -d ' ')
printf '%b' "\\0$(printf %03o $((byte ^ 0xff)))" |
  dd of="$work/tampered.exe" bs=1 seek="$offset" conv=notrunc 2>/dev/null
if osslsigncode verify -in "$work/tampered.exe" -CAfile "$work/cert.pem" >"$work/tampered.log" 2>&1; then
  fail "a copy with byte $offset changed still verifies"
else
  grep "MISMATCH" "$work/tampered.log" || fail "verify of the changed copy failed, but not on the digest"
  echo "osslsigncode verify of the copy with byte $offset changed: failed, as it must"
fi

# Without its signature the signed copy is the unsigned program again, so a
# signed download can be checked against a reproducible build.
osslsigncode remove-signature -in "$signed" -out "$work/unsigned.exe" >/dev/null
cmp -s "$work/unsigned.exe" "$program" || fail "the signed copy without its signature is not the program"

# The resources, read from the signed copy by the release test; a copy
# without them must fail it, or the test never read the copy.
RELEASE_EXE_COPIES=$signed "$wine_run" "$release_tests" --gtest_brief=1 ||
  fail "the release test fails on the signed copy"
RELEASE_EXE_COPIES=$probe "$wine_run" "$release_tests" --gtest_brief=1 >/dev/null 2>&1 &&
  fail "the release test passes a copy without the program's resources"

# The signed copy runs: its window opens (whatever the package request
# finds on this loopback-only network) and closes on request.
mkdir "$work/program"
cp "$signed" "$work/program/tovra_check.exe"
"$wine_run" "$work/program/tovra_check.exe" &
running=$!
if shown=$("$wine_run" "$probe" --timeout 30000 --close); then
  echo "the signed copy's window: $(grep '^title ' <<<"$shown")"
else
  fail "the signed copy's window did not open and close: $shown"
  kill "$running" 2>/dev/null || true
fi
status=0
wait "$running" || status=$?
[ "$status" -eq 0 ] || fail "the signed copy ended with exit code $status"

if [ "$failures" -gt 0 ]; then
  echo "sign_test.sh: $failures check(s) failed"
  exit 1
fi
echo "sign_test.sh: signed, verified, tampering found, resources read, window opened"
