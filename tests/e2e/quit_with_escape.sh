#!/usr/bin/env bash
# Starts the game as a player would, checks its window, presses Escape and expects a clean exit.
set -u
game="$1"
log="$(mktemp)"
trap 'rm -f "$log"' EXIT

"$game" >"$log" 2>&1 &
pid=$!

. "$(dirname "$0")/game_window.sh"
window="$(wait_for_game_window "$pid")" || exit 1

geometry="$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')"
if [ "$geometry" != "1080x810" ]; then
  echo "window is $geometry, expected 1080x810"; kill "$pid" 2>/dev/null; exit 1
fi

sleep 1
quit_with_escape "$pid" "$window"
status=$?
cat "$log"
grep -q '^OpenGL version: ' "$log" || { echo "no OpenGL version line"; exit 1; }
grep -q '^GLSL version: ' "$log" || { echo "no GLSL version line"; exit 1; }
[ "$status" -eq 0 ] || { echo "exit code $status, expected 0"; exit 1; }
