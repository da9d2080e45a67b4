#!/usr/bin/env bash
# fresh-machine.sh: the proof that the README's two commands work on a fresh
# Debian 12 machine. Makes a minimal bookworm root with debootstrap (from the
# Debian mirror this machine's apt uses), puts a clean clone of HEAD in it,
# and inside it (chroot) runs exactly the run command and then the test
# command, headless, as root. Prints each command's wall time and last lines,
# and exits non-zero when either fails. Takes several minutes and needs the
# package mirror; it is not part of CI.
#
#   FRESH_ROOT  the root folder (default: build/fresh-root); made afresh
#   FRESH_KEEP  1: keep the root afterwards (default: removed)
#
# /proc, /sys, /dev, /dev/pts and /dev/shm are mounted into the root only
# inside a private mount namespace of this script's, so they are gone when
# it ends however it ends (also on failure or Ctrl-C); processes left in the
# root are ended first, and nothing is removed while anything is mounted there.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
fresh=$(realpath -m "${FRESH_ROOT:-$root/build/fresh-root}")
commands=("tools/run.sh" "tools/test.sh")  # the README's two, in this order
clone=/root/tovra

say() { echo "fresh-machine.sh: $*"; }

# Ends every process whose root folder is the fresh root.
end_processes_inside() {
  local proc link signal
  for signal in TERM KILL; do
    for proc in /proc/[0-9]*; do
      link=$(readlink "$proc/root" 2>/dev/null) || continue
      if [ "$link" = "$fresh" ]; then kill -s "$signal" "${proc#/proc/}" 2>/dev/null || true; fi
    done
    if [ "$signal" = TERM ]; then sleep 1; fi
  done
  return 0
}

mounted_inside() { grep -qF " $fresh" /proc/self/mountinfo; }

# ---- inside the private mount namespace: mount, run the two commands -------
if [ "${1:-}" = --inside ]; then
  results=$2
  unmount_all() {
    end_processes_inside
    local point
    for point in dev/shm dev/pts dev sys proc; do
      if mountpoint -q "$fresh/$point"; then umount -l "$fresh/$point"; fi
    done
    if mountpoint -q "$fresh"; then umount -l "$fresh"; fi
    return 0
  }
  trap unmount_all EXIT
  trap 'exit 130' INT TERM
  # unshare inside the chroot needs the root to be a mount point of its own.
  mount --bind "$fresh" "$fresh"
  mount -t proc proc "$fresh/proc"
  mount -t sysfs sysfs "$fresh/sys"
  mount --bind /dev "$fresh/dev"
  mount --bind /dev/pts "$fresh/dev/pts"
  mount -t tmpfs -o mode=1777 tmpfs "$fresh/dev/shm"

  overall=0
  for command in "${commands[@]}"; do
    name=${command#tools/}
    log=$results/${name%.sh}.log
    started=$(date +%s%N)
    status=0
    # In the background and waited for, so that a signal ends this script
    # (and, through the trap, everything in the root) at once.
    chroot "$fresh" /usr/bin/env -i HOME=/root TERM=dumb \
      PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
      ${WINE_RUNS_32BIT:+WINE_RUNS_32BIT=$WINE_RUNS_32BIT} \
      bash -c "cd $clone && $command" </dev/null >"$log" 2>&1 &
    wait $! || status=$?
    seconds=$(awk -v ns=$(($(date +%s%N) - started)) 'BEGIN {printf "%.0f", ns / 1e9}')
    echo "$command $status $seconds" >>"$results/summary"
    [ "$status" -eq 0 ] || overall=1
  done
  exit "$overall"
fi

# ---- outside: make the root, run the inner part, report, clean up ----------
if [ "$(id -u)" -ne 0 ]; then
  echo "fresh-machine.sh: run as root (debootstrap, chroot, mounts)" >&2
  exit 1
fi
if ! command -v debootstrap >/dev/null; then
  say "installing debootstrap"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
fi

# The Debian mirrors this machine's apt uses for bookworm itself, one a line
# (deb822 .sources stanzas first, then one-line .list entries).
mirrors_from_apt_sources() {
  local file
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    awk '
      function flush() { if (uri && suite) print uri; uri = ""; suite = 0 }
      /^[[:space:]]*$/ { flush(); next }
      /^URIs:/ { uri = $2 }
      /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == "bookworm") suite = 1 }
      END { flush() }' "$file"
  done
  cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
    awk '$1 == "deb" { for (i = 2; i <= NF; i++) if ($i !~ /^\[/) { if ($(i + 1) == "bookworm") print $i; break } }' ||
    true
}
mirrors=$(mirrors_from_apt_sources)
mirror=${mirrors%%$'\n'*}
if [ -z "$mirror" ]; then
  echo "fresh-machine.sh: no bookworm mirror in this machine's apt sources" >&2
  exit 1
fi

results=$(mktemp -d /tmp/fresh-machine.XXXXXX)
inner=
cleanup() {
  if [ -n "$inner" ] && kill -0 "$inner" 2>/dev/null; then
    kill -TERM "$inner" 2>/dev/null || true  # it ends what runs in the root and unmounts
    wait "$inner" 2>/dev/null || true
  fi
  end_processes_inside
  if mounted_inside; then
    echo "fresh-machine.sh: something is still mounted under $fresh; not removing it" >&2
  elif [ "${FRESH_KEEP:-}" != 1 ]; then
    rm -rf "$fresh"
  fi
  rm -rf "$results"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if mounted_inside; then
  echo "fresh-machine.sh: $fresh has mounts under it (an earlier run?); unmount them first" >&2
  exit 1
fi
rm -rf "$fresh"
mkdir -p "$fresh"
say "making a minimal bookworm root in $fresh from $mirror"
started=$(date +%s)
debootstrap --variant=minbase bookworm "$fresh" "$mirror" >"$results/debootstrap.log" 2>&1 || {
  tail -n 20 "$results/debootstrap.log" >&2
  exit 1
}
say "root made in $(($(date +%s) - started)) s"

# What a fresh machine of ours has besides the base system: this machine's
# package sources and the apt settings that reach them, a resolver, and no
# services started by package scripts inside a chroot.
cp /etc/resolv.conf "$fresh/etc/resolv.conf"
printf '127.0.0.1 localhost\n127.0.1.1 %s\n::1 localhost ip6-localhost ip6-loopback\n' "$HOSTNAME" \
  >"$fresh/etc/hosts"
if compgen -G "/etc/apt/sources.list.d/*.sources" >/dev/null || [ -s /etc/apt/sources.list ]; then
  rm -f "$fresh/etc/apt/sources.list"
  cp /etc/apt/sources.list "$fresh/etc/apt/" 2>/dev/null || true
  cp /etc/apt/sources.list.d/*.sources "$fresh/etc/apt/sources.list.d/" 2>/dev/null || true
fi
grep -l '^Acquire::' /etc/apt/apt.conf.d/* 2>/dev/null | xargs -r cp -t "$fresh/etc/apt/apt.conf.d/"
printf '#!/bin/sh\nexit 101\n' >"$fresh/usr/sbin/policy-rc.d"
chmod 755 "$fresh/usr/sbin/policy-rc.d"

git clone --quiet --no-hardlinks "$root" "$fresh$clone"
say "cloned $(git -C "$root" rev-parse --short HEAD) into $clone"

status=0
unshare --mount --propagation private "$0" --inside "$results" &
inner=$!
wait "$inner" || status=$?
inner=

echo
while read -r command code seconds; do
  name=${command#tools/}
  log=$results/${name%.sh}.log
  if [ "$code" -eq 0 ]; then verdict=passed; else verdict="FAILED (exit code $code)"; fi
  say "$command: $verdict, wall time ${seconds} s; its last lines:"
  tail -n 12 "$log" | sed 's/^/    /'
  if [ "$command" = tools/test.sh ]; then
    for arch in native i686 x86_64; do
      count=$(grep -cE "Test +#[0-9]+: $arch\." "$log" || true)
      passed=$(grep -cE "Test +#[0-9]+: $arch\..* Passed" "$log" || true)
      if [ "$count" -gt 0 ]; then say "  $arch: $passed of $count ctest entries passed"; fi
    done
  fi
done <"$results/summary"
for exe in "$fresh$clone"/build/win32/app/tovra_check.exe "$fresh$clone"/build/win64/app/tovra_check.exe; do
  if [ -f "$exe" ]; then say "  ${exe#"$fresh$clone"/}: $(stat -c %s "$exe") bytes"; fi
done
exit "$status"
