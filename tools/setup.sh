#!/usr/bin/env bash
# Installs everything the build, the tests and the demo need on a Debian 12 machine.
# Idempotent: when every package is present it only checks and returns (about a second).
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest clang-format
  g++-mingw-w64-i686-posix mingw-w64-i686-dev
  wine wine32:i386
  xvfb xauth x11-utils imagemagick fonts-wqy-microhei fonts-wine
  gcab nginx-light iproute2 util-linux python3 locales
)

if [ "$(id -u)" -ne 0 ]; then
  echo "setup.sh: run as root (it installs packages)" >&2
  exit 1
fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  need_update=1
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup.sh: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# nginx-light's package starts a system nginx on port 80; the tests run their own.
if command -v systemctl >/dev/null 2>&1 && systemctl is-active --quiet nginx 2>/dev/null; then
  systemctl stop nginx || true
fi
pkill -x -f 'nginx: master process /usr/sbin/nginx.*' 2>/dev/null || true

# The mingw posix thread model gives std::thread and friends.
if [ "$(readlink -f /usr/bin/i686-w64-mingw32-g++)" != "$(readlink -f /usr/bin/i686-w64-mingw32-g++-posix)" ]; then
  update-alternatives --set i686-w64-mingw32-g++ /usr/bin/i686-w64-mingw32-g++-posix >/dev/null
  update-alternatives --set i686-w64-mingw32-gcc /usr/bin/i686-w64-mingw32-gcc-posix >/dev/null
fi

# zh_CN.UTF-8 makes Wine's ANSI code page 936 and its GUI font a CJK one.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
