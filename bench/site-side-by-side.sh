#!/usr/bin/env bash
# Crawls one generated static site side by side, in one run, with `murlo-cli recurse
# --download` (directory hierarchy on) and with `wget -r -np -nH`, both against the same
# nginx on 127.0.0.1. Prints wall time, peak memory, file count and bytes of each, and
# compares the two downloaded file sets.
#
#   bench/site-side-by-side.sh [murlo-cli=build-bench/src/cli/murlo-cli] [size=medium] [work-folder=/tmp] [rounds=3]
#
# The site (bench/make-site.py) is made in a temporary folder under the work folder, which
# is removed afterwards; nginx runs from a configuration in that folder, needing no root.
# Each round crawls the site once with each tool into fresh folders; on a shared machine
# the median of the rounds is the figure to compare. With BENCH_LOAD=1 in the environment
# both run while a busy loop per core competes for the processor. The folders stay until the end: files
# deleted between rounds would slow the file creation of the later rounds on some file
# systems (ext4 passes over recently freed inodes).
# Exit status: 0 when both fetched the same files in every round and murlo's median wall
# time is no more than wget's, 1 otherwise.
set -euo pipefail

bench_dir=$(cd "$(dirname "$0")" && pwd)
murlo_cli=$(realpath "${1:-$bench_dir/../build-bench/src/cli/murlo-cli}")
size=${2:-medium}
rounds=${4:-3}
# shellcheck source=nginx-bench.sh
source "$bench_dir/nginx-bench.sh"
bench_start site-bench "${3:-/tmp}" wget

echo "making the $size site..."
python3 "$bench_dir/make-site.py" "$work/site" "$size"

start_nginx "text/html html; image/jpeg jpg; image/gif gif;"
start_url="http://127.0.0.1:$port/index.html"

file_count() { find "$1" -type f | wc -l; }
byte_count() { find "$1" -type f -printf '%s\n' | awk '{ s += $1 } END { print s + 0 }'; }

# Murlo in a fresh folder of its own: DownEx htm(l) + jpg + gif; Movement hierarchy +
# automatic rename; Output: window with failures and their causes only.
run_murlo() {
  local dir=$work/murlo-$1
  mkdir -p "$dir/save"
  printf '[SETTING]\nDownEx=25\nMovement=68\nOutput=50\n[STORE]\nPATH01=%s\n' "$dir/save" >"$dir/Murlo.ini"
  (cd "$dir" && /usr/bin/time -v -o "$dir.time" "$murlo_cli" recurse "$start_url" --download \
    --list L.mrl >"$dir.out" 2>&1) || echo "murlo-cli exit status $? in round $1" >>"$work/failures"
}

run_wget() {
  local dir=$work/wget-$1
  /usr/bin/time -v -o "$dir.time" wget -q -r -np -nH -l inf -P "$dir/save" "$start_url" \
    >"$dir.out" 2>&1 || echo "wget exit status $? in round $1" >>"$work/failures"
}

echo "murlo: murlo-cli recurse $start_url --download --list L.mrl"
echo "       (Murlo.ini: DownEx=25 Movement=68 Output=50 PATH01=<fresh folder>)"
echo "wget:  wget -q -r -np -nH -l inf -P <fresh folder> $start_url"
printf '\n%-6s %5s %10s %8s %8s %12s %14s\n' tool round wall-s cpu-s files bytes peak-RSS-KiB
touch "$work/failures"
start_load 900
status=0
# The two take turns going first, so neither always meets a warmer machine.
for round in $(seq "$rounds"); do
  if ((round % 2)); then run_murlo "$round"; run_wget "$round"; else run_wget "$round"; run_murlo "$round"; fi
  for tool in murlo wget; do
    printf '%-6s %5s %10s %8s %8s %12s %14s\n' "$tool" "$round" "$(wall_seconds "$work/$tool-$round.time")" \
      "$(cpu_seconds "$work/$tool-$round.time")" \
      "$(file_count "$work/$tool-$round/save")" "$(byte_count "$work/$tool-$round/save")" \
      "$(peak_kib "$work/$tool-$round.time")"
  done
  if ! diff -rq "$work/murlo-$round/save" "$work/wget-$round/save" >"$work/diff.txt"; then
    echo "round $round: the file sets differ ($(wc -l <"$work/diff.txt") lines, first ten):"
    head -10 "$work/diff.txt"
    status=1
  fi
done
echo "site:  $(file_count "$work/site") files, $(byte_count "$work/site") bytes"

report_failures || status=1
((status == 0)) && echo "every round: the same files with the same content"
stop_load
murlo_wall=$(for r in $(seq "$rounds"); do wall_seconds "$work/murlo-$r.time"; done | median)
wget_wall=$(for r in $(seq "$rounds"); do wall_seconds "$work/wget-$r.time"; done | median)
echo "median wall time: murlo $murlo_wall s, wget $wget_wall s"
if awk -v m="$murlo_wall" -v w="$wget_wall" 'BEGIN { exit !(m > w) }'; then
  echo "murlo took more wall time than wget"
  status=1
fi
exit $status
