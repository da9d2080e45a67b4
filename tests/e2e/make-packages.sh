#!/usr/bin/env bash
# make-packages.sh FIXTURES_DIR OUT_DIR: the test packages, real cabinets
# made with gcab from the UTF-8 fixtures turned into GBK, as the vendor's are.
#   current.cab      setup.ini, stored
#   current-z.cab    setup.ini, MSZIP-compressed
#   big.cab          setup.ini and 384 KiB of filler (slow enough to interrupt)
#   older.cab        an earlier release's setup.ini and 8 KiB of filler: a
#                    package larger than current.cab that it replaced
#   repsafe-*.ini    installed-suite files, GBK
set -euo pipefail
fixtures=$(realpath "$1")
out=$(realpath -m "$2")
work="$out/work"
rm -rf "$out"
mkdir -p "$work"

iconv -f UTF-8 -t GBK "$fixtures/current.ini" >"$work/setup.ini"
for f in "$fixtures"/repsafe-*.ini; do iconv -f UTF-8 -t GBK "$f" >"$out/$(basename "$f")"; done
head -c $((384 * 1024)) /dev/urandom >"$work/filler.bin"

(cd "$work" && gcab -c -n "$out/current.cab" setup.ini)
(cd "$work" && gcab -c -z -n "$out/current-z.cab" setup.ini)
(cd "$work" && gcab -c -n "$out/big.cab" setup.ini filler.bin)
mkdir "$work/older"
iconv -f UTF-8 -t GBK "$fixtures/older.ini" >"$work/older/setup.ini"
head -c $((8 * 1024)) /dev/urandom >"$work/older/filler.bin"
(cd "$work/older" && gcab -c -n "$out/older.cab" setup.ini filler.bin)
rm -rf "$work"
chmod -R a+rX "$out"
