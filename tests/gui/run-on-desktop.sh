#!/usr/bin/env bash
# Runs a command on a private X server managed by a window manager, in the Japanese locale,
# so that focus, stacking and window placement behave as on a user's desktop. Both servers
# end with the command.
#   run-on-desktop.sh COMMAND [ARGS...]
set -euo pipefail

work=$(mktemp -d)
xvfb_pid=""
wm_pid=""
cleanup() {
  [[ -n "$wm_pid" ]] && kill "$wm_pid" 2>/dev/null
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Waits up to ten seconds for a file to be written.
await() {
  for _ in $(seq 100); do
    [[ -s "$1" ]] && return 0
    sleep 0.1
  done
  echo "run-on-desktop: $2 did not start" >&2
  cat "$work"/*.log >&2 || true
  exit 1
}

# Xvfb picks a free display and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
await "$work/display" Xvfb
export DISPLAY=":$(head -n1 "$work/display")"

# The window manager runs its start-up command once it manages the screen. Its settings
# are its defaults, not the user's.
XDG_CONFIG_HOME="$work" openbox --startup "sh -c 'echo ready >$work/wm-ready'" \
  >"$work/wm.log" 2>&1 &
wm_pid=$!
await "$work/wm-ready" openbox

unset LC_ALL LANGUAGE
export LANG=ja_JP.UTF-8
# The file chooser keeps its settings in memory: there is no session bus to store them.
export GSETTINGS_BACKEND=memory
"$@"
