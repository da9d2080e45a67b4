#!/usr/bin/env bash
# The run command: builds the program and runs a whole check under Wine,
# inside the sandbox (tools/wine-sandbox.sh: loopback-only network, own
# wineserver), against a demo package served by nginx at the program's fixed
# package address and a demo installed suite in the demo Wine prefix. It runs
# the i686 product where this machine runs 32-bit code, else the x86-64 build.
#
# With DISPLAY set to a local display (":0") the window opens there and the
# script waits until you close it. Otherwise the program runs in the
# sandbox's own Xvfb: the script waits for the check to finish, saves a
# screenshot, prints the window's values (window_probe), closes the window
# and reports the program's exit code.
#
#   BUILD_DIR  build folder (default: build)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${BUILD_DIR:-$root/build}")
# shellcheck source=tools/wine-env.sh
. "$root/tools/wine-env.sh"
demo=$build/demo
run_dir=$demo/program

if [ -z "${WINE_SANDBOX_INSIDE:-}" ]; then
  started=$(date +%s%N)
  finish() {
    local status=$? elapsed
    elapsed=$(awk -v ns=$(($(date +%s%N) - started)) 'BEGIN {printf "%.1f", ns / 1e9}')
    if [ "$status" -eq 0 ]; then
      echo "run.sh: done in $elapsed s"
    else
      echo "run.sh: failed after $elapsed s (exit code $status)" >&2
    fi
  }
  trap finish EXIT

  cd "$root"
  bash tools/setup.sh
  wine_detect_32bit
  arch=$(wine_preferred_arch)
  folder=$(wine_build_folder "$arch")
  if [ "$arch" = i686 ]; then
    echo "run.sh: running the i686 program (the product): $WINE_32BIT_REASON"
  else
    echo "run.sh: running the x86-64 program: $WINE_32BIT_REASON"
  fi
  BUILD_DIR=$build tools/build.sh "$folder" --target tovra_check window_probe expand_standin

  # The demo package: a real cabinet holding a GBK setup.ini, as the
  # vendor's server would send it.
  mkdir -p "$demo/cab" "$demo/www/Tovrasafebeta"
  iconv -f UTF-8 -t GBK "$root/tools/demo/setup.ini" >"$demo/cab/setup.ini"
  (cd "$demo/cab" && gcab -c -z -n "$demo/www/Tovrasafebeta/safebeta_home.cab" setup.ini)
  # The panel's page (its host resolves to the same loopback server).
  cp "$root/tools/demo/303.html" "$demo/www/303.html"
  chmod -R a+rX "$demo/www"

  # The user's copy of the program in a folder of its own. Its work folder
  # stays between runs, so a download cut short is offered for resuming.
  mkdir -p "$run_dir"
  cp -f "$build/$folder/app/tovra_check.exe" "$run_dir/"

  if [[ "${DISPLAY:-}" =~ ^:[0-9]+$ ]]; then
    export SANDBOX_USE_DISPLAY=1
  else
    unset DISPLAY SANDBOX_USE_DISPLAY
  fi
  status=0
  env BUILD_DIR="$build" RUN_ARCH="$arch" "$root/tools/wine-sandbox.sh" \
    "$root/tools/package-server.sh" "$demo/nginx" "$demo/www" "$root/tools/run.sh" || status=$?
  exit "$status"
fi

here=$root/tools
unfinished=
folder=$build/$(wine_build_folder "$RUN_ARCH")
probe=$folder/tools/window_probe.exe
export WINEPREFIX=$demo/wineprefix-$RUN_ARCH
"$here/wine-prefix.sh" "$WINEPREFIX" "$RUN_ARCH" "$folder/tools/expand.exe"

# The demo's installed suite: its folder in the registry (the 32-bit view,
# where the product reads it), its repsafe.ini.
suite="$WINEPREFIX/drive_c/Program Files/Tovra安全卫士"
mkdir -p "$suite"
iconv -f UTF-8 -t GBK "$root/tools/demo/repsafe.ini" >"$suite/repsafe.ini"
"$here/wine-run.sh" reg add 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\Tovrasafe.exe' \
  /v Path /t REG_SZ /d 'C:\Program Files\Tovra安全卫士' /f /reg:32 >/dev/null 2>&1

"$here/wine-run.sh" "$run_dir/tovra_check.exe" &
program=$!

if [ -n "${SANDBOX_USE_DISPLAY:-}" ]; then
  echo "run.sh: the window is open on $DISPLAY; close it to end"
else
  if ! "$here/wine-run.sh" "$probe" --quiet --timeout 60000 --wait-text "透明标签1=获 取 完 毕..."; then
    echo "run.sh: the check did not finish within 60 s" >&2
    unfinished=1
  fi
  sleep 0.5  # the last repaint after the window has grown
  shot=$demo/screenshot.png
  import -window root -crop 499x331+262+351 +repage "$shot"
  echo "run.sh: screenshot saved to $shot"
  "$here/wine-run.sh" "$probe" --close
fi

status=0
wait "$program" || status=$?
echo "run.sh: the program ended with exit code $status"
[ "$status" -ne 0 ] || [ -z "${unfinished:-}" ] || status=1
exit "$status"
