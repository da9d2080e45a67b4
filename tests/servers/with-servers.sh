#!/usr/bin/env bash
# with-servers.sh EXE [ARGS...]
#
# Runs the Win32 test EXE (through tools/wine-run.sh) while two servers of
# its own listen on ephemeral ports of 127.0.0.1:
#   - nginx, serving a test package with real Range support, logging for
#     each request "uri|status|range header|body bytes sent";
#   - tests/servers/fault_server.py, for the faults nginx cannot produce.
# The test finds them through environment variables (Wine passes them on):
#   TOVRA_NGINX_URL, TOVRA_FAULT_URL   http://127.0.0.1:PORT
#   TOVRA_PACKAGE, TOVRA_NGINX_LOG     Windows paths of the package and the log
#   TOVRA_FULL_DISK                    a folder on a 64 KiB file system, or empty
# The full disk is mounted only inside tools/wine-sandbox.sh, whose mount
# namespace is private. Everything started here is stopped on exit, also
# when the test fails.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=tools/nginx.sh
. "$root/tools/nginx.sh"
# shellcheck source=tools/wine-env.sh
. "$root/tools/wine-env.sh"

state=$(mktemp -d /tmp/tovra-servers.XXXXXX)
nginx_pid=
fault_pid=
full_disk=
cleanup() {
  stop_process "$nginx_pid"
  stop_process "$fault_pid"
  [ -z "$full_disk" ] || umount "$full_disk" 2>/dev/null || true
  rm -rf "$state"
}
trap cleanup EXIT

mkdir -p "$state/www"
chmod 755 "$state" "$state/www"
python3 -c 'import random, sys; sys.stdout.buffer.write(random.Random(4).randbytes(300007))' \
  >"$state/www/package.bin"
chmod 644 "$state/www/package.bin"

python3 "$here/fault_server.py" "$state/www/package.bin" "$state/fault.port" &
fault_pid=$!
for _ in $(seq 1 100); do
  [ -s "$state/fault.port" ] && break
  sleep 0.05
done
[ -s "$state/fault.port" ] || { echo "with-servers.sh: fault server did not start" >&2; exit 1; }

start_nginx "$state" "$state/www" || { echo "with-servers.sh: nginx did not start" >&2; exit 1; }

mkdir -p "$state/full"
if [ -n "${WINE_SANDBOX_INSIDE:-}" ] && mount -t tmpfs -o size=64k,mode=0777 tmpfs "$state/full" 2>/dev/null; then
  full_disk=$state/full
fi

export TOVRA_NGINX_URL="http://127.0.0.1:$nginx_port"
export TOVRA_FAULT_URL="http://127.0.0.1:$(cat "$state/fault.port")"
TOVRA_PACKAGE=$(wine_windows_path "$state/www/package.bin")
TOVRA_NGINX_LOG=$(wine_windows_path "$state/access.log")
TOVRA_FULL_DISK=${full_disk:+$(wine_windows_path "$full_disk")}
export TOVRA_PACKAGE TOVRA_NGINX_LOG TOVRA_FULL_DISK

status=0
"$root/tools/wine-run.sh" "$@" || status=$?
exit "$status"
