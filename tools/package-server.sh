#!/usr/bin/env bash
# package-server.sh STATE_DIR WWW_DIR COMMAND...
#
# Runs COMMAND while nginx serves WWW_DIR on 127.0.0.1:80 (inside the
# sandbox, where the program's package host name resolves to 127.0.0.1).
# Marker files in WWW_DIR switch how the package path is served, so that a
# test can change the server's behaviour between two runs of the program:
#   .slow     the body trickles at 16 KiB/s (time to close mid-download)
#   .norange  Range requests are ignored: always 200 with the whole file
# A missing file gives nginx's own 404. nginx stops when COMMAND ends.
set -euo pipefail
state=$(realpath -m "$1")
www=$(realpath -m "$2")
shift 2

rm -rf "$state"
mkdir -p "$state/tmp" "$www"
chmod 755 "$www"
cat >"$state/nginx.conf" <<CONF
daemon off;
worker_processes 1;
pid $state/nginx.pid;
error_log $state/error.log;
events { worker_connections 64; }
http {
  log_format e2e '\$request \$status range=\$http_range ';
  access_log $state/access.log e2e;
  client_body_temp_path $state/tmp/body;
  proxy_temp_path $state/tmp/proxy;
  fastcgi_temp_path $state/tmp/fastcgi;
  uwsgi_temp_path $state/tmp/uwsgi;
  scgi_temp_path $state/tmp/scgi;
  types { application/vnd.ms-cab-compressed cab; text/html html; }
  default_type application/octet-stream;
  server {
    listen 127.0.0.1:80;
    root $www;
    location /Tovrasafebeta/ {
      if (-f $www/.slow) { rewrite ^/(.*)\$ /_slow/\$1 last; }
      if (-f $www/.norange) { rewrite ^/(.*)\$ /_norange/\$1 last; }
    }
    location /_slow/ { internal; alias $www/; limit_rate 16k; }
    location /_norange/ { internal; alias $www/; max_ranges 0; }
  }
}
CONF

nginx -p "$state" -c "$state/nginx.conf" &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do
  (exec 3<>/dev/tcp/127.0.0.1/80) 2>/dev/null && break
  sleep 0.05
done

status=0
"$@" || status=$?
exit "$status"
