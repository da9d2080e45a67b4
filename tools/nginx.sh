# Sourced by the scripts that need a private nginx (tools/package-server.sh,
# tests/servers/with-servers.sh, tools/bench-download.sh).
#
# start_nginx STATE_DIR WWW_DIR [PORT [SERVER_LINES]]: serves WWW_DIR on PORT
# of 127.0.0.1 (an ephemeral one when PORT is empty) with the config written
# into STATE_DIR and SERVER_LINES added to its server block, logging each
# request as "uri|status|range header|body bytes sent" to
# STATE_DIR/access.log. Sets nginx_pid and nginx_port; returns non-zero when
# nginx would not start. The worker runs as WWW_DIR's owner, so it reads
# what that user can: a clone in root's home, which no other user may
# enter, is served too (the server answers on loopback only). Paths in
# SERVER_LINES go through nginx_string.
start_nginx() {
  local state=$1 www=$2 fixed_port=${3:-} server_lines=${4:-} port owner
  owner=$(stat -c %U "$www")
  mkdir -p "$state/tmp"
  nginx_pid=
  nginx_port=
  # A port picked free can be taken before nginx binds it: try a few.
  for _ in 1 2 3; do
    port=$fixed_port
    [ -n "$port" ] || port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    cat >"$state/nginx.conf" <<CONF
daemon off;
user $owner;
worker_processes 1;
pid $(nginx_string "$state/nginx.pid");
error_log $(nginx_string "$state/error.log");
events { worker_connections 64; }
http {
  log_format wire '\$request_uri|\$status|\$http_range|\$body_bytes_sent';
  access_log $(nginx_string "$state/access.log") wire;
  client_body_temp_path $(nginx_string "$state/tmp/body");
  proxy_temp_path $(nginx_string "$state/tmp/proxy");
  fastcgi_temp_path $(nginx_string "$state/tmp/fastcgi");
  uwsgi_temp_path $(nginx_string "$state/tmp/uwsgi");
  scgi_temp_path $(nginx_string "$state/tmp/scgi");
  default_type application/octet-stream;
  types { application/vnd.ms-cab-compressed cab; text/html html; }
  server {
    listen 127.0.0.1:$port;
    root $(nginx_string "$www");
$server_lines
  }
}
CONF
    nginx -p "$state" -c "$state/nginx.conf" -e "$state/error.log" &
    nginx_pid=$!
    for _ in $(seq 1 100); do
      if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
        nginx_port=$port
        return 0
      fi
      kill -0 "$nginx_pid" 2>/dev/null || break
      sleep 0.05
    done
    stop_process "$nginx_pid"
    nginx_pid=
  done
  cat "$state/error.log" >&2 2>/dev/null || true
  return 1
}

# nginx_string TEXT: TEXT as one quoted nginx string, whatever spaces,
# quotes or backslashes it holds (a path in the config, say).
nginx_string() {
  local text=${1//\\/\\\\}
  printf '"%s"' "${text//\"/\\\"}"
}

# stop_process PID: ends a process started by the caller and waits for it.
stop_process() {
  [ -n "$1" ] || return 0
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}
