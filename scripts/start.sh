#!/usr/bin/env bash
# Installs what is missing, builds Murlo and starts it in the current folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build"
exec "$root/build/src/cli/murlo-cli" help "$@"
