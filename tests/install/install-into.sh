# Sourced by the install tests: installs the build folder $1 into a temporary prefix and
# sets `prefix` and `work` (a scratch folder), both removed when the test ends; `check`
# compares a result with what it should be.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
cmake --install "$1" --prefix "$prefix" >/dev/null

failures=0
# check WHAT ACTUAL EXPECTED
check() {
  if [[ "$2" != "$3" ]]; then
    echo "FAIL: $1: got '$2', expected '$3'" >&2
    failures=$((failures + 1))
  fi
}
