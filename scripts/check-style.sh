#!/usr/bin/env bash
# Checks the code against the house style and the static checks:
#   scripts/check-style.sh BUILD-FOLDER
# clang-format (.clang-format) over every C++ file of src, tests and bench, then
# clang-tidy (.clang-tidy) over the program's own sources with the build folder's compile
# commands. Prints what differs or what was found; exit status 1 when anything was.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: check-style.sh BUILD-FOLDER}" && pwd)
cd "$root"

mapfile -t sources < <(find src tests bench -name '*.cpp' -o -name '*.h' | grep -v '/corpus/' | sort)
echo "clang-format: ${#sources[@]} files"
if ! clang-format-14 --dry-run -Werror "${sources[@]}"; then
  echo "clang-format: the files above differ from the house style (clang-format-14 -i FILE)"
  exit 1
fi

mapfile -t programs < <(find src -name '*.cpp' | sort)
echo "clang-tidy: ${#programs[@]} files"
if ! printf '%s\n' "${programs[@]}" |
    xargs -P "$(nproc)" -n 4 clang-tidy-14 -p "$build" --quiet 2>/dev/null; then
  echo "clang-tidy: see the findings above"
  exit 1
fi
echo "style and static checks passed"
