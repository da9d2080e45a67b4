#!/usr/bin/env bash
# bench-startup.sh: how long the tool takes from process start to its window
# showing, against two floors (not a test; it asserts nothing):
#   (i)   the tool, checking against the demo package served on loopback
#   (ii)  a minimal Win32 window of the same size
#   (iii) that window with the WebBrowser control created and activated in
#         place in a child window before it shows (what the tool cannot skip)
# Each is run RUNS times (default 7), alternating; medians are reported,
# with the ratios (i)/(ii) and (i)/(iii).
#
#   BUILD_DIR=build BENCH_ARCH=x86_64 RUNS=9 tools/bench-startup.sh
# BENCH_ARCH picks the build (i686 or x86_64); the default is the i686
# product where this machine runs 32-bit code, else x86-64.
# Runs itself inside tools/wine-sandbox.sh (loopback only, its own Xvfb).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${BUILD_DIR:-$root/build}")
# shellcheck source=tools/wine-env.sh
. "$root/tools/wine-env.sh"
runs=${RUNS:-7}
wine_detect_32bit
arch=${BENCH_ARCH:-$(wine_preferred_arch)}
folder=$build/$(wine_build_folder "$arch")

if [ -z "${WINE_SANDBOX_INSIDE:-}" ]; then
  BUILD_DIR=$build "$root/tools/build.sh" "$(wine_build_folder "$arch")" --target tovra_check \
    expand_standin bench_startup bench_window_minimal bench_window_browser >/dev/null
  echo "bench-startup.sh: the $arch build, $runs rounds"
  unset SANDBOX_USE_DISPLAY
  exec env BUILD_DIR="$build" BENCH_ARCH="$arch" "$root/tools/wine-sandbox.sh" "$0" "$@"
fi

if [ -z "${BENCH_SERVING:-}" ]; then
  # The demo package at the program's fixed address, as the run command serves it.
  export WINEPREFIX=$folder/wineprefix
  "$root/tools/wine-prefix.sh" "$WINEPREFIX" "$arch" "$folder/tools/expand.exe"
  www=/tmp/bench-www
  mkdir -p /tmp/bench-cab "$www/Tovrasafebeta"
  iconv -f UTF-8 -t GBK "$root/tools/demo/setup.ini" >/tmp/bench-cab/setup.ini
  (cd /tmp/bench-cab && gcab -c -z -n "$www/Tovrasafebeta/safebeta_home.cab" setup.ini)
  cp "$root/tools/demo/303.html" "$www/303.html"
  exec env BENCH_SERVING=1 "$root/tools/package-server.sh" /tmp/bench-nginx "$www" "$0" "$@"
fi


launcher=$folder/tools/bench_startup.exe
program=/tmp/bench-program/tovra_check.exe
mkdir -p /tmp/bench-program
cp -f "$folder/app/tovra_check.exe" "$program"
declare -A class=([tool]=TovraUpdateCheckWindow [minimal]=BenchFloorWindow [browser]=BenchFloorWindow)
declare -A until=([tool]=grown [minimal]= [browser]=)
declare -A exe=([tool]=$program [minimal]=$folder/tools/bench_window_minimal.exe
  [browser]=$folder/tools/bench_window_browser.exe)
modes=(tool minimal browser)

# One warm-up round, so that no mode pays for the first start of the prefix.
for m in "${modes[@]}"; do "$root/tools/wine-run.sh" "$launcher" "${class[$m]}" "$(wine_windows_path "${exe[$m]}")" ${until[$m]} >/dev/null; done

declare -A samples
for _ in $(seq 1 "$runs"); do
  for m in "${modes[@]}"; do
    line=$("$root/tools/wine-run.sh" "$launcher" "${class[$m]}" "$(wine_windows_path "${exe[$m]}")" ${until[$m]}) || {
      echo "bench-startup.sh: $m did not show its window" >&2
      exit 1
    }
    samples[$m]+="${line%$'\r'} "
  done
done

median() {
  # shellcheck disable=SC2086
  printf '%s\n' $1 | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'
}
declare -A label=([tool]="(i)   the tool" [minimal]="(ii)  minimal window"
  [browser]="(iii) minimal window + embedded browser")
declare -A median_of
echo "process start to window shown, median of $runs rounds (seconds):"
for m in "${modes[@]}"; do
  median_of[$m]=$(median "${samples[$m]}")
  printf '  %-42s %8s   [%s]\n' "${label[$m]}" "${median_of[$m]}" "${samples[$m]% }"
done
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
echo "  (i)/(ii)  = $(ratio "${median_of[tool]}" "${median_of[minimal]}")"
echo "  (i)/(iii) = $(ratio "${median_of[tool]}" "${median_of[browser]}")"
