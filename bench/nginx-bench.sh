# Shared by the side-by-side scripts (sourced, not run): a work folder removed at exit, a
# local nginx serving a folder of it, and the figures of a `time -v` report.

# bench_start NAME WORK-BASE TOOL... : makes $work under WORK-BASE, checks that the tools
# are there, and removes $work (and stops nginx) when the script ends.
bench_start() {
  local name=$1 base=$2
  shift 2
  work=$(mktemp -d "$base/murlo-$name.XXXXXX")
  # nginx's workers may run as another user: they must reach the site.
  chmod 755 "$work"
  nginx_pid=""
  proxy_pid=""
  load_pids=()
  trap bench_cleanup EXIT
  local tool
  for tool in nginx /usr/bin/time "$@"; do
    command -v "$tool" >/dev/null || { echo "missing $tool: run scripts/install-deps.sh" >&2; exit 1; }
  done
}

bench_cleanup() {
  stop_load
  [[ -z "$proxy_pid" ]] || kill "$proxy_pid" 2>/dev/null || true
  if [[ -n "$nginx_pid" ]]; then
    kill "$nginx_pid" 2>/dev/null || true
    wait "$nginx_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}

# Prints what the runs wrote into $work/failures (exit statuses); false when there is any.
report_failures() {
  [[ -s "$work/failures" ]] || return 0
  cat "$work/failures"
  return 1
}

# A TCP port of 127.0.0.1 free at the moment.
free_port() {
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# start_nginx TYPES : serves $work/site on 127.0.0.1 ($port, a free one unless set), from a
# configuration in $work/nginx that needs no root; TYPES is the body of its types block.
# With $nginx_access_log set, each request is logged there as it is answered.
start_nginx() {
  port=${port:-$(free_port)}
  mkdir -p "$work/nginx"
  cat >"$work/nginx/nginx.conf" <<CONF
daemon off;
worker_processes 1;
pid $work/nginx/nginx.pid;
error_log $work/nginx/error.log;
events { worker_connections 64; }
http {
  access_log ${nginx_access_log:-off};
  sendfile on;
  client_body_temp_path $work/nginx/client;
  proxy_temp_path $work/nginx/proxy;
  fastcgi_temp_path $work/nginx/fastcgi;
  uwsgi_temp_path $work/nginx/uwsgi;
  scgi_temp_path $work/nginx/scgi;
  types { $1 }
  keepalive_requests 1000000;
  server {
    listen 127.0.0.1:$port;
    root $work/site;
  }
}
CONF
  nginx -p "$work/nginx" -e "$work/nginx/error.log" -c "$work/nginx/nginx.conf" &
  nginx_pid=$!
  local _
  for _ in $(seq 50); do
    python3 -c "import socket; socket.create_connection(('127.0.0.1', $port), 1)" 2>/dev/null && break
    sleep 0.1
  done
  # The tools read the site from the page cache.
  find "$work/site" -type f -exec cat {} + >/dev/null
}

# Wall seconds, CPU seconds (user + system) and peak RSS (KiB) from a time -v report.
wall_seconds() {
  awk -F': ' '/Elapsed \(wall clock\)/ {
    n = split($2, p, ":"); s = 0; for (i = 1; i <= n; ++i) s = s * 60 + p[i]; print s }' "$1"
}
cpu_seconds() { awk -F': ' '/User time|System time/ { s += $2 } END { printf "%.2f\n", s }' "$1"; }
peak_kib() { awk -F': ' '/Maximum resident set size/ { print $2 }' "$1"; }
median() {
  sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# start_load SECONDS : when $BENCH_LOAD is 1, keeps every core busy with one busy loop each,
# at normal priority, as the other programs of a desktop do; each loop ends by itself after
# SECONDS (and at the script's end). Prints what it started.
start_load() {
  [[ "${BENCH_LOAD:-0}" == 1 ]] || return 0
  local _
  for _ in $(seq "$(nproc)"); do
    timeout "$1" sh -c 'while :; do :; done' &
    load_pids+=($!)
  done
  echo "background load: ${#load_pids[@]} busy loops for at most $1 s"
}

stop_load() {
  local pid
  for pid in "${load_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  load_pids=()
}

# start_latency_proxy RTT-MS : relays a free port ($proxy_port) to nginx's $port through
# bench/latency-proxy.py, which delays each direction by half the round trip; stopped at the
# script's end.
start_latency_proxy() {
  proxy_port=$(free_port)
  local half
  half=$(awk -v r="$1" 'BEGIN { print r / 2 }')
  python3 "$(dirname "${BASH_SOURCE[0]}")/latency-proxy.py" "$proxy_port" "$port" "$half" \
    >"$work/proxy.out" 2>&1 &
  proxy_pid=$!
  local _
  for _ in $(seq 50); do
    grep -q ready "$work/proxy.out" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "the latency proxy did not start" >&2
  exit 1
}
