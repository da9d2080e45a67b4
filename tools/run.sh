#!/usr/bin/env bash
# The run command: builds the program and runs it under Wine inside the
# sandbox (tools/wine-sandbox.sh: loopback-only network, own wineserver).
#
# With DISPLAY set to a local display (":0") the window opens there and the
# script waits until you close it. Otherwise the program runs in the
# sandbox's own Xvfb: after RUN_SECONDS the script saves a screenshot, prints
# the window's values (window_probe), closes the window and waits for the
# program to end. Either way it reports the program's exit code.
#
#   BUILD_DIR    build folder (default: build)
#   RUN_SECONDS  how long the program runs before the screenshot (default 3)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build}
run_dir=$build/run

if [ -z "${RUN_INSIDE:-}" ]; then
  cd "$root"
  bash tools/setup.sh
  generator=()
  command -v ninja >/dev/null && generator=(-G Ninja)
  cmake -S . -B "$build/win32" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" >/dev/null
  cmake --build "$build/win32" --parallel 2 --target tovra_check window_probe expand_standin

  # A folder of its own, as a user's copy would have: the program makes its
  # work folder beside itself.
  rm -rf "$run_dir"
  mkdir -p "$run_dir"
  cp "$build/win32/app/tovra_check.exe" "$run_dir/"

  export EXPAND_STANDIN="$build/win32/tools/expand.exe"
  if [[ "${DISPLAY:-}" =~ ^:[0-9]+$ ]]; then
    export SANDBOX_USE_DISPLAY=1
  else
    unset DISPLAY SANDBOX_USE_DISPLAY
  fi
  exec env RUN_INSIDE=1 BUILD_DIR="$build" "$root/tools/wine-sandbox.sh" \
    "$build/win32/wineprefix" "$root/tools/run.sh"
fi

here=$root/tools
probe=$build/win32/tools/window_probe.exe
"$here/wine-run.sh" "$run_dir/tovra_check.exe" &
program=$!

if [ -n "${SANDBOX_USE_DISPLAY:-}" ]; then
  echo "run.sh: the window is open on $DISPLAY; close it to end"
else
  "$here/wine-run.sh" "$probe" --quiet --timeout 30000
  sleep "${RUN_SECONDS:-3}"
  shot=$run_dir/screenshot.png
  import -window root "$shot"
  echo "run.sh: screenshot saved to $shot"
  "$here/wine-run.sh" "$probe" --close
fi

status=0
wait "$program" || status=$?
echo "run.sh: the program ended with exit code $status"
exit "$status"
