#!/usr/bin/env bash
# Starts the game as a player would, checks its window, presses Escape and expects a clean exit.
set -u
game="$1"
log="$(mktemp)"
trap 'rm -f "$log"' EXIT

"$game" >"$log" 2>&1 &
pid=$!

window=""
for _ in $(seq 1 100); do
  window="$(xdotool search --name '^Galeskerry$' 2>/dev/null | head -n 1)"
  [ -n "$window" ] && break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "no window titled Galeskerry appeared"; kill "$pid" 2>/dev/null; cat "$log"; exit 1
fi

geometry="$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')"
if [ "$geometry" != "1080x810" ]; then
  echo "window is $geometry, expected 1080x810"; kill "$pid" 2>/dev/null; exit 1
fi

sleep 1
xdotool windowfocus --sync "$window" key Escape
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "the game did not close after Escape"; kill -9 "$pid"; exit 1
fi
wait "$pid"
status=$?
cat "$log"
grep -q '^OpenGL version: ' "$log" || { echo "no OpenGL version line"; exit 1; }
grep -q '^GLSL version: ' "$log" || { echo "no GLSL version line"; exit 1; }
[ "$status" -eq 0 ] || { echo "exit code $status, expected 0"; exit 1; }
