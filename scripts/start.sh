#!/usr/bin/env bash
# Installs what is missing, builds Murlo and starts it in the current folder, which holds
# its Murlo.ini.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build"
# The desktop program needs a display; without one, the terminal program shows its help.
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec "$root/build/src/gui/murlo" "$@"
fi
echo "No display found: showing the terminal program murlo-cli instead." >&2
exec "$root/build/src/cli/murlo-cli" help
