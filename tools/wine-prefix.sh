#!/usr/bin/env bash
# wine-prefix.sh PREFIX_DIR: makes the Wine prefix once (5 to 12 s) and
# brings its settings up to date on every run (fast):
#  - Managed=N: Wine draws its own title bar and frame under bare Xvfb and
#    closes windows and boxes without a 2 s delay;
#  - our expand.exe stand-in in system32 (Wine's own ignores -f:), when the
#    build made one (EXPAND_STANDIN), with the override that makes Wine run it.
set -euo pipefail
prefix=$1
export WINEPREFIX="$prefix"
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
# Wine draws the title-bar buttons with Marlett; Debian ships it outside the
# prefix, where this Wine does not look.
if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ ! -f "$prefix/drive_c/windows/Fonts/marlett.ttf" ]; then
  cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/"
fi
# One persistent wineserver for the whole run: a warm start of a program
# then takes milliseconds instead of half a second.
wineserver -p >/dev/null 2>&1 </dev/null
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
if [ -n "${EXPAND_STANDIN:-}" ] && [ -f "$EXPAND_STANDIN" ]; then
  cp -f "$EXPAND_STANDIN" "$prefix/drive_c/windows/system32/expand.exe"
  wine reg add 'HKCU\Software\Wine\DllOverrides' /v expand.exe /d native /f >/dev/null 2>&1
fi
