#!/usr/bin/env bash
# Installs what is missing, builds Murlo with its tests and runs the whole suite.
#   scripts/test.sh             the normal build, in build/, then the style and static
#                               checks (scripts/check-style.sh)
#   scripts/test.sh --sanitize  clang with AddressSanitizer, UndefinedBehaviorSanitizer and
#                               bounded libFuzzer runs, in build-asan/; then the tests without
#                               windows under ThreadSanitizer, in build-tsan/
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

# Runs the suite of one build folder: ctest_in <folder> <parallel jobs>.
ctest_in() {
  local run=(ctest --test-dir "$1" --output-on-failure -j "$2" --timeout 600)
  # The GUI tests need an X server: a private Xvfb when there is no display.
  if [[ -z "${DISPLAY:-}" ]]; then
    run=(xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}")
  fi
  "${run[@]}"
}

if [[ "${1:-}" == "--sanitize" ]]; then
  dir="$root/build-asan"
  CC=clang CXX=clang++ "$root/scripts/build.sh" "$dir" -DMURLO_SANITIZE=ON -DMURLO_FUZZ=ON \
    -DMURLO_BUILD_BENCH=OFF -DMURLO_WERROR=ON
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest_in "$dir" "$(nproc)"

  # Data races: a build of its own (ThreadSanitizer excludes AddressSanitizer), without the
  # windows, whose toolkit is not instrumented. Two jobs, as its tests run several times
  # slower. Any report fails the test that caused it.
  dir="$root/build-tsan"
  CC=clang CXX=clang++ "$root/scripts/build.sh" "$dir" -DMURLO_TSAN=ON -DMURLO_BUILD_GUI=OFF \
    -DMURLO_BUILD_BENCH=OFF -DMURLO_WERROR=ON
  TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 ctest_in "$dir" 2
else
  dir="$root/build"
  "$root/scripts/build.sh" "$dir" -DMURLO_WERROR=ON
  ctest_in "$dir" "$(nproc)"
  cmake --build "$dir" --target check
fi
