#!/usr/bin/env bash
# Crawls one generated static site side by side, in one run, with `murlo-cli recurse
# --download` (directory hierarchy on) and with `wget -r -np -nH`, both against the same
# nginx on 127.0.0.1. Prints wall time, peak memory, file count and bytes of each, and
# compares the two downloaded file sets.
#
#   bench/site-side-by-side.sh [murlo-cli=build-bench/src/cli/murlo-cli] [size=medium] [work-folder=/tmp]
#
# The site (bench/make-site.py) is made in a temporary folder under the work folder, which
# is removed afterwards; nginx runs unprivileged from a configuration in that folder.
# Exit status: 0 when both fetched the same files and murlo took no more wall time than
# wget, 1 otherwise.
set -euo pipefail

bench_dir=$(cd "$(dirname "$0")" && pwd)
murlo_cli=$(realpath "${1:-$bench_dir/../build-bench/src/cli/murlo-cli}")
size=${2:-medium}
work=$(mktemp -d "${3:-/tmp}/murlo-site-bench.XXXXXX")
# nginx's workers may run as another user: they must reach the site.
chmod 755 "$work"

nginx_pid=""
cleanup() {
  if [[ -n "$nginx_pid" ]]; then
    kill "$nginx_pid" 2>/dev/null || true
    wait "$nginx_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

for tool in nginx wget /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "missing $tool: run scripts/install-deps.sh" >&2; exit 1; }
done

echo "making the $size site..."
python3 "$bench_dir/make-site.py" "$work/site" "$size"

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
mkdir -p "$work/nginx"
cat >"$work/nginx/nginx.conf" <<EOF
daemon off;
worker_processes 1;
pid $work/nginx/nginx.pid;
error_log $work/nginx/error.log;
events { worker_connections 64; }
http {
  access_log off;
  client_body_temp_path $work/nginx/client;
  proxy_temp_path $work/nginx/proxy;
  fastcgi_temp_path $work/nginx/fastcgi;
  uwsgi_temp_path $work/nginx/uwsgi;
  scgi_temp_path $work/nginx/scgi;
  types { text/html html; image/jpeg jpg; image/gif gif; }
  keepalive_requests 1000000;
  server {
    listen 127.0.0.1:$port;
    root $work/site;
  }
}
EOF
nginx -p "$work/nginx" -e "$work/nginx/error.log" -c "$work/nginx/nginx.conf" &
nginx_pid=$!
start_url="http://127.0.0.1:$port/index.html"
for _ in $(seq 50); do
  wget -q --tries=1 -O /dev/null "$start_url" && break
  sleep 0.1
done

# Both read the site from the page cache.
find "$work/site" -type f -exec cat {} + >/dev/null

# Murlo: DownEx htm(l) + jpg + gif; Movement hierarchy + automatic rename; Output: window
# with failures and their causes only.
mkdir -p "$work/murlo/save"
cat >"$work/murlo/Murlo.ini" <<EOF
[SETTING]
DownEx=25
Movement=68
Output=50
[STORE]
PATH01=$work/murlo/save
EOF
murlo_cmd=("$murlo_cli" recurse "$start_url" --download --list L.mrl)
wget_cmd=(wget -q -r -np -nH -l inf -P "$work/wget/save" "$start_url")

echo "murlo: (cd $work/murlo && ${murlo_cmd[*]})"
murlo_rc=0
(cd "$work/murlo" && /usr/bin/time -v -o ../murlo.time "${murlo_cmd[@]}" >../murlo.out 2>&1) || murlo_rc=$?
echo "wget:  ${wget_cmd[*]}"
mkdir -p "$work/wget"
wget_rc=0
/usr/bin/time -v -o "$work/wget.time" "${wget_cmd[@]}" >"$work/wget.out" 2>&1 || wget_rc=$?

# Wall seconds and peak RSS (KiB) from a time -v report.
wall_seconds() {
  awk -F': ' '/Elapsed \(wall clock\)/ {
    n = split($2, p, ":"); s = 0; for (i = 1; i <= n; ++i) s = s * 60 + p[i]; print s }' "$1"
}
peak_kib() { awk -F': ' '/Maximum resident set size/ { print $2 }' "$1"; }
file_count() { find "$1" -type f | wc -l; }
byte_count() { find "$1" -type f -printf '%s\n' | awk '{ s += $1 } END { print s + 0 }'; }

printf '\n%-6s %10s %8s %12s %14s %5s\n' tool wall-s files bytes peak-RSS-KiB exit
for tool in murlo wget; do
  printf '%-6s %10s %8s %12s %14s %5s\n' "$tool" "$(wall_seconds "$work/$tool.time")" \
    "$(file_count "$work/$tool/save")" "$(byte_count "$work/$tool/save")" \
    "$(peak_kib "$work/$tool.time")" "$([[ $tool == murlo ]] && echo $murlo_rc || echo $wget_rc)"
done
echo "site:  $(file_count "$work/site") files, $(byte_count "$work/site") bytes"

status=0
if ! diff -rq "$work/murlo/save" "$work/wget/save" >"$work/diff.txt"; then
  echo "the file sets differ ($(wc -l <"$work/diff.txt") lines, first ten):"
  head -10 "$work/diff.txt"
  status=1
else
  echo "same files with the same content"
fi
if [[ $murlo_rc -ne 0 ]]; then
  echo "murlo-cli failed; its last lines:"
  tail -5 "$work/murlo.out"
  status=1
fi
if awk -v m="$(wall_seconds "$work/murlo.time")" -v w="$(wall_seconds "$work/wget.time")" 'BEGIN { exit !(m > w) }'; then
  echo "murlo took more wall time than wget"
  status=1
fi
exit $status
