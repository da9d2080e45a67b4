#!/usr/bin/env bash
# package-server.sh STATE_DIR WWW_DIR COMMAND...
#
# Runs COMMAND while nginx serves WWW_DIR on 127.0.0.1:80 (inside the
# sandbox, where the program's package host name resolves to 127.0.0.1).
# Marker files in WWW_DIR switch how the package path is served, so that a
# test can change the server's behaviour between two runs of the program:
#   .slow     the body trickles at 16 KiB/s (time to close mid-download)
#   .norange  Range requests are ignored: always 200 with the whole file
# A missing file gives nginx's own 404. Each request is logged to
# STATE_DIR/access.log as "uri|status|range header|body bytes sent".
# nginx stops when COMMAND ends.
set -euo pipefail
state=$(realpath -m "$1")
www=$(realpath -m "$2")
shift 2

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tools/nginx.sh
. "$here/nginx.sh"

rm -rf "$state"
mkdir -p "$www"
chmod 755 "$www"
nginx_pid=
trap 'stop_process "$nginx_pid"' EXIT
start_nginx "$state" "$www" 80 "
    location /Tovrasafebeta/ {
      if (-f $(nginx_string "$www/.slow")) { rewrite ^/(.*)\$ /_slow/\$1 last; }
      if (-f $(nginx_string "$www/.norange")) { rewrite ^/(.*)\$ /_norange/\$1 last; }
    }
    location /_slow/ { internal; alias $(nginx_string "$www/"); limit_rate 16k; }
    location /_norange/ { internal; alias $(nginx_string "$www/"); max_ranges 0; }"

status=0
"$@" || status=$?
exit "$status"
