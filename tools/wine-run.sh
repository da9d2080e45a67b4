#!/usr/bin/env bash
# Runs a Windows program under Wine with the environment every run of ours
# uses. ctest calls it as the cross-compiling emulator; the sandbox script
# has already set WINEPREFIX and DISPLAY.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export LANG=zh_CN.UTF-8
unset LC_ALL
: "${WINEPREFIX:?wine-run.sh: WINEPREFIX is not set (run inside tools/wine-sandbox.sh)}"
exec wine "$@"
