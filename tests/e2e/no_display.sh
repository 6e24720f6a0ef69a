#!/usr/bin/env bash
# Without a display the game cannot open its window: it must say why and exit with code 1.
set -u
game="$1"
output="$(env -u DISPLAY -u WAYLAND_DISPLAY "$game" 2>&1)"
status=$?
echo "$output"
[ "$status" -eq 1 ] || { echo "exit code $status, expected 1"; exit 1; }
echo "$output" | grep -q "could not open its OpenGL 3.3 window" || { echo "no reason given"; exit 1; }
