#!/usr/bin/env bash
# The one test command: installs what is missing, builds the native unit
# tests (with sanitizers) and both Windows builds (i686, the product, and
# x86-64) with their tests, then runs everything in one ctest inside the
# Wine sandbox: the native tests, and the whole suite against each build
# this machine can run (both where it runs 32-bit x86 code, else x86-64,
# plus the i686 build's reproducibility, which runs no Windows code).
# ctest's summary is the last line; the exit code is non-zero when anything
# failed. Extra arguments go to ctest (tools/test.sh -R i686.host).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${BUILD_DIR:-$root/build}")
# shellcheck source=tools/wine-env.sh
. "$root/tools/wine-env.sh"

if [ -z "${WINE_SANDBOX_INSIDE:-}" ]; then
  cd "$root"
  bash tools/setup.sh
  for tree in native win32 win64; do
    BUILD_DIR=$build tools/build.sh "$tree"
  done

  wine_detect_32bit
  archs=(x86_64)
  [ "$WINE_RUNS_32BIT" = yes ] && archs=(i686 x86_64)
  # One ctest over the native tree and the builds to test, so that the
  # tests that must run alone (port 80, the screen) never meet across
  # builds and one summary covers everything.
  mkdir -p "$build/ctest"
  {
    echo "# Written by tools/test.sh: the trees one test run covers."
    echo "subdirs(\"$build/native\")"
    for arch in "${archs[@]}"; do echo "subdirs(\"$build/$(wine_build_folder "$arch")\")"; done
    # The i686 product's reproducibility runs no Windows code: tested anyway.
    [ "$WINE_RUNS_32BIT" = yes ] || echo "subdirs(\"$build/win32/tests/reproducible\")"
  } >"$build/ctest/CTestTestfile.cmake"
  exec env BUILD_DIR="$build" TEST_ARCHS="${archs[*]}" "$root/tools/wine-sandbox.sh" "$0" "$@"
fi

for arch in $TEST_ARCHS; do
  folder=$build/$(wine_build_folder "$arch")
  "$root/tools/wine-prefix.sh" "$folder/wineprefix" "$arch" "$folder/tools/expand.exe"
done
if [ "$TEST_ARCHS" = "i686 x86_64" ]; then
  tested="the i686 build (the product) and the x86-64 build"
else
  tested="the x86-64 build (and only the i686 build's reproducibility)"
fi
echo "test.sh: testing $tested, with the native unit tests: $WINE_32BIT_REASON"
exec ctest --test-dir "$build/ctest" --output-on-failure --parallel 2 "$@"
