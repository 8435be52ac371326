#!/usr/bin/env bash
# Installs what is missing, builds Murlo with its tests and runs the whole suite.
#   scripts/test.sh             the normal build, in build/, then the style and static
#                               checks (scripts/check-style.sh)
#   scripts/test.sh --sanitize  clang with AddressSanitizer, UndefinedBehaviorSanitizer and
#                               bounded libFuzzer runs, in build-asan/
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

if [[ "${1:-}" == "--sanitize" ]]; then
  dir="$root/build-asan"
  CC=clang CXX=clang++ "$root/scripts/build.sh" "$dir" -DMURLO_SANITIZE=ON -DMURLO_FUZZ=ON \
    -DMURLO_BUILD_BENCH=OFF -DMURLO_WERROR=ON
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
else
  dir="$root/build"
  "$root/scripts/build.sh" "$dir" -DMURLO_WERROR=ON
fi
cd "$dir"
# The GUI tests need an X server: a private Xvfb when there is no display.
run=(ctest --output-on-failure -j "$(nproc)" --timeout 600)
if [[ -z "${DISPLAY:-}" ]]; then
  run=(xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}")
fi
"${run[@]}"
if [[ "${1:-}" != "--sanitize" ]]; then
  cmake --build "$dir" --target check
fi
