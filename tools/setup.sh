#!/usr/bin/env bash
# Installs everything the build, the tests and the demo need on a Debian 12 machine.
# Idempotent: when every package is present it only checks and returns (about a second).
set -euo pipefail

# Both Wines: the 32-bit one runs the i686 product where this machine runs
# 32-bit code, the 64-bit one the x86-64 build everywhere. The scripts call
# their loaders directly, never Debian's `wine` wrapper. osslsigncode and
# openssl serve tools/sign.sh and its test.
packages=(
  cmake ninja-build g++ googletest clang-format
  g++-mingw-w64-i686-posix mingw-w64-i686-dev
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
  wine wine32:i386 wine64
  xvfb xauth x11-utils imagemagick fonts-wqy-microhei fonts-wine
  gcab nginx-light iproute2 util-linux procps python3 locales curl
  osslsigncode openssl
)

if [ "$(id -u)" -ne 0 ]; then
  echo "setup.sh: run as root (it installs packages)" >&2
  exit 1
fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
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

# zh_CN.UTF-8 makes Wine's ANSI code page 936 and its GUI font a CJK one.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
