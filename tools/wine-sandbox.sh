#!/usr/bin/env bash
# wine-sandbox.sh PREFIX_DIR COMMAND...
#
# Runs COMMAND inside a private mount, network and process namespace whose
# only network is loopback, with its own Xvfb, its own wineserver and the
# Wine prefix PREFIX_DIR (made once, reused). The program's fixed host names
# resolve to 127.0.0.1 there, so nothing can reach outside this machine.
# Everything started here ends with COMMAND, also on failure or Ctrl-C.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

if [ -z "${WINE_SANDBOX_INSIDE:-}" ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "wine-sandbox.sh: needs root for its private network namespace (unshare)" >&2
    exit 1
  fi
  exec unshare --mount --net --pid --fork --kill-child --mount-proc \
    env WINE_SANDBOX_INSIDE=1 "$0" "$@"
fi

prefix=$(realpath -m "$1")
shift

ip link set lo up

# Host names of the program (package server, panel) -> loopback.
hosts_copy=$(mktemp /tmp/sandbox-hosts.XXXXXX)
{
  cat /etc/hosts
  echo "127.0.0.1 ${SANDBOX_HOSTS:-update.tovra.example www.soft-mirror.example}"
} >"$hosts_copy"
chmod 644 "$hosts_copy"
mount --bind "$hosts_copy" /etc/hosts

# A wineserver outside the namespace would open sockets outside it: hide its
# socket folder so a private one starts.
mkdir -p "/tmp/.wine-$(id -u)"
mount -t tmpfs tmpfs "/tmp/.wine-$(id -u)"

# Our own display, unless the caller asked for theirs (SANDBOX_USE_DISPLAY=1
# with DISPLAY set): a private socket folder, so no lock of another X server
# is in the way and nothing is left behind.
if [ -n "${SANDBOX_USE_DISPLAY:-}" ] && [ -n "${DISPLAY:-}" ]; then
  n=${DISPLAY#:}
else
  mount -t tmpfs tmpfs /tmp/.X11-unix
  n=1
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -nolock >/dev/null 2>&1 &
  for _ in $(seq 1 200); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.05
  done
fi

export DISPLAY=":$n" WINEPREFIX="$prefix" WINEDEBUG=-all \
  WINEDLLOVERRIDES="mscoree,mshtml=" LANG=zh_CN.UTF-8 WINE_DISPLAY_NUMBER="$n"
unset LC_ALL

"$here/wine-prefix.sh" "$prefix"

status=0
"$@" || status=$?
wineserver -k >/dev/null 2>&1 || true
exit "$status"
