#!/usr/bin/env bash
# bench-progress.sh: how long the worker's progress writes to the window take
# under Wine (not a test; it asserts nothing). 5000 cross-thread writes of the
# bar's position, as the downloader makes one per 10 KB chunk:
#   - the bare thread switch (SendMessage of WM_NULL), the floor;
#   - WriteProperty with the bar repainted on every write;
#   - WriteProperty with repaints coalesced (the program's way).
# Each is run RUNS times (default 3), interleaved; the median is reported.
#
#   BUILD_DIR=build-window BENCH_ARCH=x86_64 tools/bench-progress.sh [writes]
# BENCH_ARCH picks the build (i686 or x86_64); the default is the i686
# product where this machine runs 32-bit code, else x86-64.
# Runs itself inside tools/wine-sandbox.sh, in its own Xvfb.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${BUILD_DIR:-$root/build}")
# shellcheck source=tools/wine-env.sh
. "$root/tools/wine-env.sh"
wine_detect_32bit
arch=${BENCH_ARCH:-$(wine_preferred_arch)}
folder=$build/$(wine_build_folder "$arch")

if [ -z "${WINE_SANDBOX_INSIDE:-}" ]; then
  BUILD_DIR=$build "$root/tools/build.sh" "$(wine_build_folder "$arch")" --target bench_progress >/dev/null
  unset SANDBOX_USE_DISPLAY
  echo "bench-progress.sh: the $arch build"
  exec env BUILD_DIR="$build" BENCH_ARCH="$arch" "$root/tools/wine-sandbox.sh" "$0" "$@"
fi

export WINEPREFIX=$folder/wineprefix
"$root/tools/wine-prefix.sh" "$WINEPREFIX" "$arch"
exec "$root/tools/wine-run.sh" "$folder/tools/bench_progress.exe" "${1:-5000}" "${RUNS:-3}"
