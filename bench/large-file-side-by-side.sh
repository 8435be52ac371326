#!/usr/bin/env bash
# Downloads one large file from a local nginx side by side, in one run, with
# `murlo-cli download` and with `curl -o`, alternating, and prints the wall time, CPU time
# and peak memory of each round and the medians.
#
#   bench/large-file-side-by-side.sh [murlo-cli=build/src/cli/murlo-cli] [size-MiB=1024] [work-folder=/tmp] [rounds=5]
#
# The work folder decides where both write: /dev/shm keeps the disk out, a folder on disk
# takes it in. The file and the downloads live in a temporary folder there, removed
# afterwards; nginx runs from a configuration in that folder, needing no root.
# Exit status: 0 when every download is complete and byte-identical and murlo's median wall
# time is no more than curl's, 1 otherwise.
set -euo pipefail

bench_dir=$(cd "$(dirname "$0")" && pwd)
murlo_cli=$(realpath "${1:-$bench_dir/../build/src/cli/murlo-cli}")
size_mib=${2:-1024}
work=$(mktemp -d "${3:-/tmp}/murlo-large-bench.XXXXXX")
rounds=${4:-5}
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

for tool in nginx curl /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "missing $tool: run scripts/install-deps.sh" >&2; exit 1; }
done

mkdir -p "$work/site" "$work/nginx"
head -c "$((size_mib << 20))" /dev/urandom >"$work/site/big.bin"
sum=$(md5sum <"$work/site/big.bin")

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
cat >"$work/nginx/nginx.conf" <<CONF
daemon off;
worker_processes 1;
pid $work/nginx/nginx.pid;
error_log $work/nginx/error.log;
events { worker_connections 64; }
http {
  access_log off;
  sendfile on;
  client_body_temp_path $work/nginx/client;
  proxy_temp_path $work/nginx/proxy;
  fastcgi_temp_path $work/nginx/fastcgi;
  uwsgi_temp_path $work/nginx/uwsgi;
  scgi_temp_path $work/nginx/scgi;
  types { application/octet-stream bin; }
  server {
    listen 127.0.0.1:$port;
    root $work/site;
  }
}
CONF
nginx -p "$work/nginx" -e "$work/nginx/error.log" -c "$work/nginx/nginx.conf" &
nginx_pid=$!
url="http://127.0.0.1:$port/big.bin"
for _ in $(seq 50); do
  curl -s -o /dev/null --noproxy '*' -r 0-0 "$url" && break
  sleep 0.1
done
cat "$work/site/big.bin" >/dev/null  # both read the file from the page cache

report() { # time-file -> "wall user+sys peak-KiB"
  awk -F': ' '
    /Elapsed \(wall clock\)/ { n = split($2, p, ":"); s = 0; for (i = 1; i <= n; ++i) s = s * 60 + p[i]; wall = s }
    /User time/ { cpu += $2 } /System time/ { cpu += $2 }
    /Maximum resident set size/ { rss = $2 }
    END { printf "%s %.2f %s", wall, cpu, rss }' "$1"
}
median() {
  sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

run_murlo() {
  local dir=$work/murlo-$1
  mkdir -p "$dir/save"
  printf '[SETTING]\nMovement=32\nOutput=50\n[STORE]\nPATH01=%s\n' "$dir/save" >"$dir/Murlo.ini"
  (cd "$dir" && "$murlo_cli" add "$url" --list L.mrl >/dev/null &&
    /usr/bin/time -v -o "$dir.time" "$murlo_cli" download --list L.mrl >"$dir.out" 2>&1) ||
    echo "murlo-cli exit status $? in round $1" >>"$work/failures"
  [[ "$(md5sum <"$dir/save/big.bin")" == "$sum" ]] || echo "murlo round $1: wrong file" >>"$work/failures"
  rm -rf "$dir"
}

run_curl() {
  local dir=$work/curl-$1
  mkdir -p "$dir"
  /usr/bin/time -v -o "$dir.time" curl -s --noproxy '*' -o "$dir/big.bin" "$url" ||
    echo "curl exit status $? in round $1" >>"$work/failures"
  [[ "$(md5sum <"$dir/big.bin")" == "$sum" ]] || echo "curl round $1: wrong file" >>"$work/failures"
  rm -rf "$dir"
}

echo "murlo: murlo-cli download --list L.mrl   curl: curl -s -o FILE URL   ($size_mib MiB into ${3:-/tmp})"
printf '\n%-6s %5s %10s %10s %14s\n' tool round wall-s cpu-s peak-RSS-KiB
touch "$work/failures"
for round in $(seq "$rounds"); do
  if ((round % 2)); then run_murlo "$round"; run_curl "$round"; else run_curl "$round"; run_murlo "$round"; fi
  for tool in murlo curl; do
    read -r wall cpu rss <<<"$(report "$work/$tool-$round.time")"
    printf '%-6s %5s %10s %10s %14s\n' "$tool" "$round" "$wall" "$cpu" "$rss"
  done
done

status=0
if [[ -s "$work/failures" ]]; then
  cat "$work/failures"
  status=1
fi
murlo_wall=$(for r in $(seq "$rounds"); do report "$work/murlo-$r.time" | cut -d' ' -f1; done | median)
curl_wall=$(for r in $(seq "$rounds"); do report "$work/curl-$r.time" | cut -d' ' -f1; done | median)
echo "median wall time: murlo $murlo_wall s, curl $curl_wall s"
if awk -v m="$murlo_wall" -v c="$curl_wall" 'BEGIN { exit !(m > c) }'; then
  echo "murlo took more wall time than curl"
  status=1
fi
exit $status
