#!/usr/bin/env bash
# bench-download.sh: how long the package download takes on loopback, against
# the platform's own floor (not a test; it asserts nothing).
#
# A 64 MiB package served by nginx on 127.0.0.1, each way timed in one run:
#   (i)   bare WinInet loop: 10240-byte reads, each written to the file
#   (ii)  the naive floor: that loop on a worker thread with one synchronous
#         PBM_SETPOS per chunk to a standard progress bar of the main thread
#   (iii) DownloadPackage with the real MainWindow and its progress bar
#   (iv)  DownloadPackage alone, with a progress routine that does nothing
#   curl, for reference
# Each is run RUNS times (default 3), interleaved; the median is reported.
# Times are of the transfer alone, without the start of the Wine process.
#
#   BUILD_DIR=build-download BENCH_ARCH=x86_64 tools/bench-download.sh
# BENCH_ARCH picks the build (i686 or x86_64); the default is the i686
# product where this machine runs 32-bit code, else x86-64.
# Runs itself inside tools/wine-sandbox.sh (loopback only).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${BUILD_DIR:-$root/build}")
# shellcheck source=tools/wine-env.sh
. "$root/tools/wine-env.sh"
runs=${RUNS:-3}
wine_detect_32bit
arch=${BENCH_ARCH:-$(wine_preferred_arch)}
folder=$build/$(wine_build_folder "$arch")

if [ -z "${WINE_SANDBOX_INSIDE:-}" ]; then
  BUILD_DIR=$build "$root/tools/build.sh" "$(wine_build_folder "$arch")" --target bench_download expand_standin >/dev/null
  echo "bench-download.sh: the $arch build"
  exec env BUILD_DIR="$build" BENCH_ARCH="$arch" "$root/tools/wine-sandbox.sh" "$0" "$@"
fi

export WINEPREFIX=$folder/wineprefix
"$root/tools/wine-prefix.sh" "$WINEPREFIX" "$arch" "$folder/tools/expand.exe"
# shellcheck source=tools/nginx.sh
. "$root/tools/nginx.sh"
bench=$folder/tools/bench_download.exe
state=$(mktemp -d /tmp/tovra-bench.XXXXXX)
nginx_pid=
cleanup() {
  stop_process "$nginx_pid"
  rm -rf "$state"
}
trap cleanup EXIT

mkdir -p "$state/www"
chmod 755 "$state" "$state/www"
head -c $((64 * 1024 * 1024)) /dev/urandom >"$state/www/package.cab"
chmod 644 "$state/www/package.cab"
start_nginx "$state" "$state/www" || { echo "bench-download.sh: nginx did not start" >&2; exit 1; }
url="http://127.0.0.1:$nginx_port/package.cab"
out="$state/out.bin"
out_windows=$(wine_windows_path "$out")
expected=$((64 * 1024 * 1024))

# time_mode MODE: seconds for one transfer, or "-" when the mode is not built.
time_mode() {
  local line rc=0
  if [ "$1" = curl ]; then
    curl -s -o "$out" -w '%{time_total}' "$url"
    return
  fi
  line=$("$root/tools/wine-run.sh" "$bench" "$1" "$url" "$out_windows") || rc=$?
  line=${line%$'\r'}
  if [ "$rc" -eq 2 ]; then echo -; return; fi
  if [ "$rc" -ne 0 ] || [ "${line#* }" != "$expected" ]; then
    echo "bench-download.sh: $1 failed ($line)" >&2
    exit 1
  fi
  echo "${line%% *}"
}

modes=(bare naive window package curl)
declare -A samples
for _ in $(seq 1 "$runs"); do
  for m in "${modes[@]}"; do samples[$m]+="$(time_mode "$m") "; done
done

median() {
  # shellcheck disable=SC2086
  printf '%s\n' $1 | { grep -v '^-$' || true; } | sort -g | awk '{a[NR]=$1} END {if (NR) print a[int((NR+1)/2)]; else print "-"}'
}
declare -A label=(
  [bare]="(i)   bare WinInet loop"
  [naive]="(ii)  naive floor, PBM_SETPOS per chunk"
  [window]="(iii) DownloadPackage, real window"
  [package]="(iv)  DownloadPackage, no window"
  [curl]="      curl"
)
declare -A median_of
echo "64 MiB from nginx on loopback, median of $runs runs (seconds):"
for m in "${modes[@]}"; do
  median_of[$m]=$(median "${samples[$m]}")
  printf '  %-42s %8s   [%s]\n' "${label[$m]}" "${median_of[$m]}" "${samples[$m]% }"
done
ratio() {
  if [ "$1" = - ] || [ "$2" = - ]; then echo "n/a"; else awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; fi
}
if [ "${median_of[window]}" = - ]; then
  echo "  (iii) not measured: bench_download has no window mode (the app library is not built in)"
fi
echo "  (iii)/(i)  = $(ratio "${median_of[window]}" "${median_of[bare]}")"
echo "  (iii)/(ii) = $(ratio "${median_of[window]}" "${median_of[naive]}")"
echo "  (iv)/(i)   = $(ratio "${median_of[package]}" "${median_of[bare]}")"
