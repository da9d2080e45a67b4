# Sourced by every script that runs Windows programs: which Wine loader fits
# which program, and whether this machine can run 32-bit x86 code at all.
#
# Debian's `wine` wrapper always picks the 32-bit loader when wine32 is
# installed, which fails with "Exec format error" on machines whose kernel
# refuses i386 code. So nothing of ours calls the wrapper: each program runs
# under the loader of its own machine type, in a prefix of the same kind.

wine_loader_i686=/usr/lib/wine/wine
wine_loader_x86_64=/usr/lib/wine/wine64
# The 64-bit server serves programs of both kinds; the 32-bit one is the
# only one where wine64 is missing.
if [ -x /usr/lib/wine/wineserver64 ]; then
  wine_server=/usr/lib/wine/wineserver64
else
  wine_server=/usr/lib/wine/wineserver32
fi
export WINESERVER=$wine_server

# wine_detect_32bit: sets and exports WINE_RUNS_32BIT to yes or no, and
# WINE_32BIT_REASON to a few words on why. Asked once: a value already in
# the environment (from a parent script, or WINE_RUNS_32BIT=no given by hand
# to try the 64-bit-only way) is kept.
wine_detect_32bit() {
  if [ -n "${WINE_RUNS_32BIT:-}" ]; then
    : "${WINE_32BIT_REASON:=WINE_RUNS_32BIT=$WINE_RUNS_32BIT was given}"
  elif [ ! -x "$wine_loader_i686" ]; then
    WINE_RUNS_32BIT=no
    WINE_32BIT_REASON="$wine_loader_i686 is not installed"
  else
    local out
    if out=$("$wine_loader_i686" --version 2>&1); then
      WINE_RUNS_32BIT=yes
      WINE_32BIT_REASON="this machine runs 32-bit x86 code"
    else
      WINE_RUNS_32BIT=no
      WINE_32BIT_REASON="this machine cannot run 32-bit x86 code (${out##*: })"
    fi
  fi
  export WINE_RUNS_32BIT WINE_32BIT_REASON
}

# wine_pe_arch FILE: prints i686 or x86_64 for a PE file of that machine
# type; fails for anything else (not a file, not PE, another machine).
wine_pe_arch() {
  local file=$1 offset signature machine
  [ -f "$file" ] || return 1
  [ "$(head -c 2 "$file")" = MZ ] || return 1
  offset=$(od -An -tu4 -j60 -N4 "$file" | tr -d ' ')
  [ -n "$offset" ] || return 1
  signature=$(od -An -tx1 -j"$offset" -N4 "$file" | tr -d ' ')
  [ "$signature" = 50450000 ] || return 1
  machine=$(od -An -tx2 -j$((offset + 4)) -N2 "$file" | tr -d ' ')
  case $machine in
    014c) echo i686 ;;
    8664) echo x86_64 ;;
    *) return 1 ;;
  esac
}

# wine_prefix_arch PREFIX: i686 or x86_64 for a prefix made before, from the
# mark Wine leaves in its registry; fails when there is none yet.
wine_prefix_arch() {
  local mark
  mark=$(grep -m1 '^#arch=' "$1/system.reg" 2>/dev/null) || return 1
  case $mark in
    '#arch=win32') echo i686 ;;
    '#arch=win64') echo x86_64 ;;
    *) return 1 ;;
  esac
}

# wine_windows_path PATH: a Linux path as Windows programs see it on Wine's
# Z: drive ("/tmp/a" -> "Z:\tmp\a").
wine_windows_path() { local p=$1; printf 'Z:%s' "${p//\//\\}"; }

# wine_loader ARCH: the loader for programs of that machine type.
wine_loader() {
  case $1 in
    i686) echo "$wine_loader_i686" ;;
    x86_64) echo "$wine_loader_x86_64" ;;
    *) return 1 ;;
  esac
}

# The two Windows builds and the one the run command and the benchmarks use:
# the i686 product where this machine runs it, else the x86-64 build.
wine_build_folder() {
  case $1 in
    i686) echo win32 ;;
    x86_64) echo win64 ;;
    *) return 1 ;;
  esac
}
wine_preferred_arch() {
  wine_detect_32bit
  if [ "$WINE_RUNS_32BIT" = yes ]; then echo i686; else echo x86_64; fi
}
