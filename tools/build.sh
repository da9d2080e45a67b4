#!/usr/bin/env bash
# build.sh TREE [cmake --build options...]: configures (once) and builds one
# of the project's build trees under BUILD_DIR (default: build):
#   native  the pure logic and its unit tests for Linux, with sanitizers
#   win32   the Windows program for i686 (the product) with its tools and tests
#   win64   the same program for x86-64, with its tools and tests
# Extra options go to `cmake --build` (for example --target tovra_check).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${BUILD_DIR:-$root/build}")
tree=$1
shift

options=(-DCMAKE_BUILD_TYPE=Release)
case $tree in
  native) options=(-DCMAKE_BUILD_TYPE=Debug) ;;
  win32) options+=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake") ;;
  win64)
    # The release's resources are checked in the i686 product too, read as
    # data, also where this machine cannot run it.
    options+=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
      -DPRODUCT_EXE="$build/win32/app/tovra_check.exe")
    ;;
  *)
    echo "build.sh: unknown tree '$tree' (native, win32 or win64)" >&2
    exit 2
    ;;
esac
generator=()
command -v ninja >/dev/null && [ ! -f "$build/$tree/Makefile" ] && generator=(-G Ninja)

cmake -S "$root" -B "$build/$tree" "${generator[@]}" "${options[@]}" >/dev/null
cmake --build "$build/$tree" --parallel 2 "$@"
