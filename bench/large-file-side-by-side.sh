#!/usr/bin/env bash
# Downloads one large file from a local nginx side by side, in one run, with
# `murlo-cli download` and with `curl -o`, alternating, and prints the wall time, CPU time
# and peak memory of each round and the medians.
#
#   bench/large-file-side-by-side.sh [murlo-cli=build/src/cli/murlo-cli] [size-MiB=1024] [work-folder=/tmp] [rounds=5]
#
# The work folder decides where both write: /dev/shm keeps the disk out, a folder on disk
# takes it in. The file and the downloads live in a temporary folder there, removed
# afterwards; nginx runs from a configuration in that folder, needing no root. With
# BENCH_LOAD=1 in the environment both run while a busy loop per core competes for the
# processor.
# Exit status: 0 when every download is complete and byte-identical and murlo's median wall
# time is no more than curl's, 1 otherwise.
set -euo pipefail

bench_dir=$(cd "$(dirname "$0")" && pwd)
murlo_cli=$(realpath "${1:-$bench_dir/../build/src/cli/murlo-cli}")
size_mib=${2:-1024}
rounds=${4:-5}
# shellcheck source=nginx-bench.sh
source "$bench_dir/nginx-bench.sh"
bench_start large-bench "${3:-/tmp}" curl

mkdir -p "$work/site"
head -c "$((size_mib << 20))" /dev/urandom >"$work/site/big.bin"
sum=$(md5sum <"$work/site/big.bin")

start_nginx "application/octet-stream bin;"
url="http://127.0.0.1:$port/big.bin"

report() { echo "$(wall_seconds "$1") $(cpu_seconds "$1") $(peak_kib "$1")"; }

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
start_load 900
for round in $(seq "$rounds"); do
  if ((round % 2)); then run_murlo "$round"; run_curl "$round"; else run_curl "$round"; run_murlo "$round"; fi
  for tool in murlo curl; do
    read -r wall cpu rss <<<"$(report "$work/$tool-$round.time")"
    printf '%-6s %5s %10s %10s %14s\n' "$tool" "$round" "$wall" "$cpu" "$rss"
  done
done

status=0
report_failures || status=1
stop_load
murlo_wall=$(for r in $(seq "$rounds"); do report "$work/murlo-$r.time" | cut -d' ' -f1; done | median)
curl_wall=$(for r in $(seq "$rounds"); do report "$work/curl-$r.time" | cut -d' ' -f1; done | median)
echo "median wall time: murlo $murlo_wall s, curl $curl_wall s"
if awk -v m="$murlo_wall" -v c="$curl_wall" 'BEGIN { exit !(m > c) }'; then
  echo "murlo took more wall time than curl"
  status=1
fi
exit $status
