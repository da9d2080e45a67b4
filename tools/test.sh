#!/usr/bin/env bash
# The one test command: installs what is missing, builds the native unit
# tests (with sanitizers) and the Windows program with its tests, then runs
# everything with ctest inside the Wine sandbox. ctest's summary is the last
# line; the exit code is non-zero when anything failed.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build}
cd "$root"

bash tools/setup.sh

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)

cmake -S . -B "$build/native" "${generator[@]}" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build/native" --parallel 2

cmake -S . -B "$build/win32" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" \
  -DNATIVE_UNIT_TESTS="$build/native/tests/unit_tests" >/dev/null
cmake --build "$build/win32" --parallel 2

export EXPAND_STANDIN="$build/win32/tools/expand.exe"
exec "$root/tools/wine-sandbox.sh" "$build/win32/wineprefix" \
  ctest --test-dir "$build/win32" --output-on-failure --parallel 2 "$@"
