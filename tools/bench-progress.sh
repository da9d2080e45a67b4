#!/usr/bin/env bash
# bench-progress.sh: how long the worker's progress writes to the window take
# under Wine (not a test; it asserts nothing). 5000 cross-thread writes of the
# bar's position, as the downloader makes one per 10 KB chunk:
#   - the bare thread switch (SendMessage of WM_NULL), the floor;
#   - WriteProperty with the bar repainted on every write;
#   - WriteProperty with repaints coalesced (the program's way).
# Each is run RUNS times (default 3), interleaved; the median is reported.
#
#   BUILD_DIR=build-window tools/bench-progress.sh [writes]
# Runs itself inside tools/wine-sandbox.sh, in its own Xvfb.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${BUILD_DIR:-$root/build}")

if [ ! -f "$build/win32/CMakeCache.txt" ]; then
  echo "bench-progress.sh: configure $build/win32 first (tools/test.sh does)" >&2
  exit 1
fi
cmake --build "$build/win32" --target bench_progress >/dev/null
unset SANDBOX_USE_DISPLAY
exec "$root/tools/wine-sandbox.sh" "$build/win32/wineprefix" \
  "$root/tools/wine-run.sh" "$build/win32/tools/bench_progress.exe" "${1:-5000}" "${RUNS:-3}"
