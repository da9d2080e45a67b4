#!/usr/bin/env bash
# wine-prefix.sh PREFIX_DIR ARCH [EXPAND_STANDIN]: makes the Wine prefix for
# programs of machine type ARCH (i686: a 32-bit prefix, x86_64: a 64-bit one)
# once (5 to 12 s), and brings its settings up to date on every run (fast):
#  - Managed=N: Wine draws its own title bar and frame under bare Xvfb and
#    closes windows and boxes without a 2 s delay;
#  - Marlett for the title-bar buttons;
#  - our expand.exe stand-in in system32 (Wine's own ignores -f:), built for
#    the same ARCH, with the override that makes Wine run it.
# A prefix of the other kind left in PREFIX_DIR is made afresh. Starts the
# prefix's persistent wineserver; run it inside tools/wine-sandbox.sh, which
# stops that server again when it ends.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tools/wine-env.sh
. "$here/wine-env.sh"

prefix=$(realpath -m "$1")
arch=$2
standin=${3:-}
loader=$(wine_loader "$arch") || { echo "wine-prefix.sh: unknown ARCH '$arch'" >&2; exit 2; }
export WINEPREFIX="$prefix" WINELOADER="$loader"

if [ -f "$prefix/system.reg" ] && [ "$(wine_prefix_arch "$prefix" || true)" != "$arch" ]; then
  echo "wine-prefix.sh: $prefix is not a prefix for $arch programs; making it afresh" >&2
  rm -rf "$prefix"
fi
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  if [ "$arch" = i686 ]; then winearch=win32; else winearch=win64; fi
  WINEARCH=$winearch "$loader" wineboot -i >/dev/null 2>&1
  "$wine_server" -w
fi
[ -n "${WINE_SANDBOX_PREFIXES:-}" ] && echo "$prefix" >>"$WINE_SANDBOX_PREFIXES"

# Wine draws the title-bar buttons with Marlett; Debian ships it outside the
# prefix, where this Wine does not look.
if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ ! -f "$prefix/drive_c/windows/Fonts/marlett.ttf" ]; then
  cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/"
fi
# One persistent wineserver for the whole run: a warm start of a program
# then takes milliseconds instead of half a second. Its output is detached,
# or pipes around this script would wait for it.
"$wine_server" -p >/dev/null 2>&1 </dev/null
"$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
if [ -n "$standin" ]; then
  if [ "$(wine_pe_arch "$standin" || true)" != "$arch" ]; then
    echo "wine-prefix.sh: $standin is not an $arch program" >&2
    exit 1
  fi
  cp -f "$standin" "$prefix/drive_c/windows/system32/expand.exe"
  "$loader" reg add 'HKCU\Software\Wine\DllOverrides' /v expand.exe /d native /f >/dev/null 2>&1
fi
