#!/usr/bin/env bash
# Crawls one generated site in modern markup (bench/make-site.py --modern: srcset, lazy
# attributes, <picture>, CSS backgrounds, protocol-relative links, icons, og:image) side by
# side with `murlo-cli recurse --download` (hierarchy on, the HTML link finder on: Tag bit 6)
# and with `wget2 -r -np -p`, both against the same nginx on 127.0.0.1. Prints for each tool
# and round: the images of the generator's manifest it saved, the files it fetched more
# than once (from nginx's access log), its requests and its wall time.
#
#   bench/modern-site-side-by-side.sh [murlo-cli=build-bench/src/cli/murlo-cli] [size=small] [work-folder=/tmp] [rounds=2]
#
# Exit status: 0 when murlo saved every image of the manifest and fetched no file twice in
# every round, 1 otherwise.
set -euo pipefail

bench_dir=$(cd "$(dirname "$0")" && pwd)
murlo_cli=$(realpath "${1:-$bench_dir/../build-bench/src/cli/murlo-cli}")
size=${2:-small}
rounds=${4:-2}
# shellcheck source=nginx-bench.sh
source "$bench_dir/nginx-bench.sh"
bench_start modern-site-bench "${3:-/tmp}" wget2

# The protocol-relative links name the server with its port: it is chosen first.
port=$(free_port)
echo "making the $size site in modern markup..."
python3 "$bench_dir/make-site.py" "$work/site" "$size" --modern "127.0.0.1:$port" "$work/manifest"
# shellcheck disable=SC2034  # read by start_nginx
nginx_access_log=$work/access.log
start_nginx "text/html html; image/jpeg jpg; image/gif gif; image/png png; image/webp webp;"
start_url="http://127.0.0.1:$port/index.html"
manifest_size=$(wc -l <"$work/manifest")

# run TOOL ROUND COMMAND... : runs the command under time -v and keeps the access log lines
# of its requests in $work/TOOL-ROUND.log.
run() {
  local tool=$1 round=$2
  shift 2
  local before
  before=$(wc -l <"$work/access.log" 2>/dev/null || echo 0)
  /usr/bin/time -v -o "$work/$tool-$round.time" "$@" >"$work/$tool-$round.out" 2>&1 ||
    echo "$tool exit status $? in round $round" >>"$work/failures"
  tail -n +"$((before + 1))" "$work/access.log" >"$work/$tool-$round.log"
}

# Murlo in a fresh folder of its own: DownEx htm(l) + jpg + gif + the custom list (png,
# webp); Movement hierarchy + automatic rename; Output: failures and their causes only;
# Tag: the four link kinds and the HTML link finder.
run_murlo() {
  local dir=$work/murlo-$1
  mkdir -p "$dir/save"
  printf '[SETTING]\nDownEx=8217\nExtend=png;webp\nMovement=68\nOutput=50\nTag=79\n[STORE]\nPATH01=%s\n' \
    "$dir/save" >"$dir/Murlo.ini"
  (cd "$dir" && run murlo "$1" "$murlo_cli" recurse "$start_url" --download --hierarchy --list L.mrl)
}

run_wget2() {
  run wget2 "$1" wget2 -q -r -np -p -nH -l inf -P "$work/wget2-$1/save" "$start_url"
}

images_found() {
  local path found=0
  while IFS= read -r path; do
    [[ -f "$1$path" ]] && found=$((found + 1))
  done <"$work/manifest"
  echo "$found"
}

# Paths asked for with GET more than once, from a combined-format access log.
fetched_twice() { awk '$6 == "\"GET" { n[$7]++ } END { c = 0; for (p in n) if (n[p] > 1) ++c; print c }' "$1"; }

echo "murlo: murlo-cli recurse $start_url --download --hierarchy --list L.mrl"
echo "       (Murlo.ini: DownEx=8217 Extend=png;webp Movement=68 Output=50 Tag=79 PATH01=<fresh folder>)"
echo "wget2: wget2 -q -r -np -p -nH -l inf -P <fresh folder> $start_url"
printf '\n%-6s %5s %10s %14s %13s %9s\n' tool round wall-s images-found fetched-twice requests
touch "$work/failures"
status=0
for round in $(seq "$rounds"); do
  if ((round % 2)); then run_murlo "$round"; run_wget2 "$round"; else run_wget2 "$round"; run_murlo "$round"; fi
  for tool in murlo wget2; do
    found=$(images_found "$work/$tool-$round/save")
    twice=$(fetched_twice "$work/$tool-$round.log")
    printf '%-6s %5s %10s %14s %13s %9s\n' "$tool" "$round" "$(wall_seconds "$work/$tool-$round.time")" \
      "$found/$manifest_size" "$twice" "$(wc -l <"$work/$tool-$round.log")"
    if [[ $tool == murlo ]] && ((found != manifest_size || twice != 0)); then status=1; fi
  done
done
echo "site:  $(find "$work/site" -type f | wc -l) files, $manifest_size images in the manifest"
report_failures || status=1
exit $status
