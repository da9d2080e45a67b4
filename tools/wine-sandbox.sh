#!/usr/bin/env bash
# wine-sandbox.sh COMMAND...
#
# Runs COMMAND inside a private mount, network and process namespace whose
# only network is loopback, with a private /tmp, its own Xvfb and its own
# wineservers. The program's fixed host names resolve to 127.0.0.1 there,
# so nothing can reach outside this machine. COMMAND makes the prefixes it
# needs with tools/wine-prefix.sh; their servers are stopped (saving their
# registries) when COMMAND ends, and every process started here ends with
# it, also on failure or Ctrl-C. Nothing is left behind in /tmp.
#
# Scripts that run themselves in here see WINE_SANDBOX_INSIDE=1.
# SANDBOX_USE_DISPLAY=1 with DISPLAY=:N uses that local display instead of
# a private Xvfb.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tools/wine-env.sh
. "$here/wine-env.sh"

if [ -z "${WINE_SANDBOX_INSIDE:-}" ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "wine-sandbox.sh: needs root for its private network namespace (unshare)" >&2
    exit 1
  fi
  wine_detect_32bit
  exec unshare --mount --net --pid --fork --kill-child --mount-proc \
    env WINE_SANDBOX_INSIDE=1 "$0" "$@"
fi

ip link set lo up

# A private /tmp: the X and wineserver sockets, the hosts copy and every
# script's scratch files live and die with the namespace, and no socket of
# an outside X server or wineserver is in the way. (A wineserver outside
# would open the program's sockets outside the namespace.)
use_display=
if [ -n "${SANDBOX_USE_DISPLAY:-}" ] && [[ "${DISPLAY:-}" =~ ^:[0-9]+$ ]] && [ -d /tmp/.X11-unix ]; then
  use_display=1
  exec 9</tmp/.X11-unix  # the caller's X socket folder, reattached below
fi
mount -t tmpfs -o mode=1777 tmpfs /tmp
mkdir -m 1777 /tmp/.X11-unix
if [ -n "$use_display" ]; then
  mount --bind /proc/self/fd/9 /tmp/.X11-unix
  exec 9<&-
  n=${DISPLAY#:}
else
  n=1
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -nolock >/dev/null 2>&1 &
  for _ in $(seq 1 200); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.05
  done
fi

# Host names of the program (package server, panel) -> loopback; so are
# this machine's own name and localhost, the only host there is in here.
[ -e /etc/hosts ] || : >/etc/hosts  # the mount point (a bare root may have none)
{
  echo "127.0.0.1 localhost ${HOSTNAME:-} ${SANDBOX_HOSTS:-update.tovra.example www.soft-mirror.example}"
  echo "::1 localhost"
  cat /etc/hosts
} >/tmp/hosts
chmod 644 /tmp/hosts
mount --bind /tmp/hosts /etc/hosts

export DISPLAY=":$n" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=zh_CN.UTF-8 \
  WINE_SANDBOX_PREFIXES=/tmp/wine-prefixes
unset LC_ALL WINEPREFIX
: >"$WINE_SANDBOX_PREFIXES"

status=0
"$@" || status=$?
sort -u "$WINE_SANDBOX_PREFIXES" | while read -r prefix; do
  WINEPREFIX=$prefix "$wine_server" -k >/dev/null 2>&1 || true
  WINEPREFIX=$prefix "$wine_server" -w >/dev/null 2>&1 || true
done
exit "$status"
