#!/usr/bin/env bash
# Crawls one generated static site side by side, in one run, through a loopback relay that
# gives every connection a real network's round trip (bench/latency-proxy.py): Murlo
# (`murlo-cli recurse --download`, hierarchy on, with MURLO_ARGS added), Wget (`-r -np -nH`),
# Wget2 with one thread and Wget2 with five (its default). Prints wall time, CPU time and
# file count of each and compares every file set with Wget's.
#
#   bench/latency-side-by-side.sh [murlo-cli=build-bench/src/cli/murlo-cli] [size=small] [rtt-ms=20] [rounds=3] [work-folder=/tmp]
#
# With BENCH_LOAD=1 in the environment all run while a busy loop per core competes for the
# processor. Exit status: 0 when every tool fetched Wget's files in every round, 1 otherwise.
set -euo pipefail

bench_dir=$(cd "$(dirname "$0")" && pwd)
murlo_cli=$(realpath "${1:-$bench_dir/../build-bench/src/cli/murlo-cli}")
size=${2:-small}
rtt=${3:-20}
rounds=${4:-3}
read -r -a murlo_args <<<"${MURLO_ARGS:-}"
# shellcheck source=nginx-bench.sh
source "$bench_dir/nginx-bench.sh"
bench_start latency-bench "${5:-/tmp}" wget wget2

echo "making the $size site..."
python3 "$bench_dir/make-site.py" "$work/site" "$size"
start_nginx "text/html html; image/jpeg jpg; image/gif gif;"
start_latency_proxy "$rtt"
start_url="http://127.0.0.1:$proxy_port/index.html"

tools=(murlo wget wget2-1 wget2-5)

# run TOOL ROUND : one crawl into $work/TOOL-ROUND/save, timed into $work/TOOL-ROUND.time.
run() {
  local dir=$work/$1-$2
  mkdir -p "$dir/save"
  local command
  case $1 in
    murlo)
      # DownEx htm(l) + jpg + gif; Movement hierarchy + automatic rename; Output: failures.
      printf '[SETTING]\nDownEx=25\nMovement=68\nOutput=50\n[STORE]\nPATH01=%s\n' "$dir/save" >"$dir/Murlo.ini"
      command=("$murlo_cli" recurse "$start_url" --download --list L.mrl "${murlo_args[@]}")
      ;;
    wget) command=(wget -q -r -np -nH -l inf -P "$dir/save" "$start_url") ;;
    wget2-*) command=(wget2 -q -r -np -nH -l inf "--max-threads=${1#wget2-}" -P "$dir/save" "$start_url") ;;
  esac
  (cd "$dir" && /usr/bin/time -v -o "$dir.time" "${command[@]}" >"$dir.out" 2>&1) ||
    echo "$1 exit status $? in round $2" >>"$work/failures"
}

echo "round trip: $rtt ms (each direction delayed $(awk -v r="$rtt" 'BEGIN { print r / 2 }') ms)"
echo "murlo:   murlo-cli recurse URL --download --list L.mrl ${murlo_args[*]}"
echo "         (Murlo.ini: DownEx=25 Movement=68 Output=50 PATH01=<fresh folder>)"
echo "wget:    wget -q -r -np -nH -l inf -P <fresh folder> URL"
echo "wget2-N: wget2 -q -r -np -nH -l inf --max-threads=N -P <fresh folder> URL"
printf '\n%-8s %5s %10s %8s %8s\n' tool round wall-s cpu-s files
touch "$work/failures"
start_load 3600
status=0
for round in $(seq "$rounds"); do
  # Each round starts with another tool, so none always meets a warmer machine.
  for i in "${!tools[@]}"; do
    run "${tools[(i + round) % ${#tools[@]}]}" "$round"
  done
  for tool in "${tools[@]}"; do
    printf '%-8s %5s %10s %8s %8s\n' "$tool" "$round" "$(wall_seconds "$work/$tool-$round.time")" \
      "$(cpu_seconds "$work/$tool-$round.time")" "$(find "$work/$tool-$round/save" -type f | wc -l)"
    [[ $tool == wget ]] && continue
    if ! diff -rq "$work/$tool-$round/save" "$work/wget-$round/save" >"$work/diff.txt"; then
      echo "$tool, round $round: the file set differs from wget's (first five lines):"
      head -5 "$work/diff.txt"
      status=1
    fi
  done
done
stop_load
echo "site: $(find "$work/site" -type f | wc -l) files"
report_failures || status=1
printf 'median wall time (s):'
for tool in "${tools[@]}"; do
  printf ' %s %s' "$tool" "$(for r in $(seq "$rounds"); do wall_seconds "$work/$tool-$r.time"; done | median)"
done
echo
exit $status
