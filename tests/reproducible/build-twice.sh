#!/usr/bin/env bash
# build-twice.sh WORK SOURCE TOOLCHAIN GENERATOR [CMAKE_OPTIONS...]
#
# Builds the program (the tovra_check target alone: Release, no tests) twice
# in fresh folders under WORK and fails unless the two .exe files are
# bit-identical and neither names a folder of either build. The first is
# built from SOURCE itself; the second from a copy of it at another path,
# into a build folder of another length outside that copy, at least a second
# later and with SOURCE_DATE_EPOCH set where the first had none: neither the
# folders nor the clock may reach the binary. SHIPPED_EXE, when set, names
# the calling build's own .exe, which must be the same again. Prints both
# SHA-256 values. Runs no Windows code and reaches no network.
set -euo pipefail
shopt -s dotglob nullglob
work=$(realpath -m "$1")
source=$(realpath "$2")
toolchain=$(realpath "$3")
generator=$4
shift 4
options=("$@")

rm -rf "$work"
mkdir -p "$work"
first_build=$work/1
copy=$work/source-tree-copy
second_build=$work/the-second-build

# The copy holds what a clone of the commit holds: no Git folder, no build
# folders (nor the one WORK lies in).
mkdir "$copy"
inside=$(realpath -m --relative-to="$source" "$work")
for entry in "$source"/*; do
  name=${entry##*/}
  case $name in .git | build* | out) continue ;; esac
  [[ $inside != ../* && $name = "${inside%%/*}" ]] && continue
  cp -a "$entry" "$copy/"
done
# Each build uses its own tree's toolchain file where the file is the tree's.
copy_toolchain=$toolchain
[[ $toolchain = "$source"/* ]] && copy_toolchain=$copy/${toolchain#"$source"/}

# build SOURCE_DIR BUILD_DIR TOOLCHAIN_FILE ENV...: configures and builds the
# program alone; its output goes to BUILD_DIR.log, printed on failure.
build() {
  local src=$1 dir=$2 file=$3
  shift 3
  if ! env "$@" cmake -S "$src" -B "$dir" -G "$generator" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_TESTING=OFF -DCMAKE_TOOLCHAIN_FILE="$file" "${options[@]}" >"$dir.log" 2>&1 ||
    ! env "$@" cmake --build "$dir" --target tovra_check --parallel 2 >>"$dir.log" 2>&1; then
    cat "$dir.log"
    echo "build-twice.sh: the build in $dir failed" >&2
    exit 1
  fi
}
build "$source" "$first_build" "$toolchain" -u SOURCE_DATE_EPOCH
sleep 1.1
build "$copy" "$second_build" "$copy_toolchain" SOURCE_DATE_EPOCH=946684800

first=$first_build/app/tovra_check.exe
second=$second_build/app/tovra_check.exe
echo "SHA-256 of the first build:  $(sha256sum "$first" | cut -d' ' -f1)  ($first)"
echo "SHA-256 of the second build: $(sha256sum "$second" | cut -d' ' -f1)  ($second)"

status=0
if ! cmp -s "$first" "$second"; then
  echo "build-twice.sh: the two builds differ; differing bytes (offset, octal values):" >&2
  { cmp -l "$first" "$second" || true; } | head -20 >&2
  status=1
fi
# A folder can only enter as text, in the system's code page or as UTF-16.
for exe in "$first" "$second"; do
  for folder in "$source" "$first_build" "$copy" "$second_build"; do
    for encoding in S l; do
      # (grep reads to the end: a pipe cut short would fail the pipeline.)
      if strings -a -e "$encoding" "$exe" | grep -F "$folder" >/dev/null; then
        echo "build-twice.sh: $exe names the folder $folder" >&2
        status=1
      fi
    done
  done
done
if [ -n "${SHIPPED_EXE:-}" ] && ! cmp -s "$first" "$SHIPPED_EXE"; then
  echo "build-twice.sh: the build's own $SHIPPED_EXE differs from the fresh builds" >&2
  status=1
fi
[ "$status" -ne 0 ] || echo "build-twice.sh: the two builds are bit-identical and name no build folder"
exit "$status"
