#!/usr/bin/env bash
# wine-run.sh PROGRAM [ARGS...]: runs a Windows program under Wine with the
# environment every run of ours uses, under the loader that fits it: the
# machine type of PROGRAM when it is a PE file, else (a program of Wine's
# own such as `reg`) the kind of the prefix. ctest calls it as the
# cross-compiling emulator; tools/wine-sandbox.sh has set DISPLAY, and
# WINEPREFIX comes from the sandbox or from the test's own environment.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tools/wine-env.sh
. "$here/wine-env.sh"

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export LANG=zh_CN.UTF-8
unset LC_ALL
: "${WINEPREFIX:?wine-run.sh: WINEPREFIX is not set (run inside tools/wine-sandbox.sh)}"
[ $# -gt 0 ] || { echo "usage: wine-run.sh PROGRAM [ARGS...]" >&2; exit 2; }

prefix_arch=$(wine_prefix_arch "$WINEPREFIX") || prefix_arch=
arch=$(wine_pe_arch "$1") || arch=$prefix_arch
if [ -z "$arch" ]; then
  echo "wine-run.sh: $1 is not a Windows program of a known kind, and $WINEPREFIX is no prefix yet" >&2
  exit 126
fi
if [ "$arch" = x86_64 ] && [ "$prefix_arch" = i686 ]; then
  echo "wine-run.sh: $1 is a 64-bit program; $WINEPREFIX is a 32-bit prefix" >&2
  exit 126
fi
if [ "$arch" = i686 ]; then
  wine_detect_32bit
  if [ "$WINE_RUNS_32BIT" != yes ]; then
    echo "wine-run.sh: $1 is a 32-bit program, and $WINE_32BIT_REASON" >&2
    exit 126
  fi
fi
WINELOADER=$(wine_loader "$arch")
export WINELOADER
exec "$WINELOADER" "$@"
