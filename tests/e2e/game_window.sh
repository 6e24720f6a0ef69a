# Sourced by the end-to-end scripts: finds the game's window and closes it with Escape as a
# player would. Both take the game's process id; both end the script with a message on failure.

# Prints the id of the window titled "Galeskerry" once it appears, within about 15 seconds.
wait_for_game_window() {
  local pid="$1" window=""
  for _ in $(seq 1 150); do
    window="$(xdotool search --name '^Galeskerry$' 2>/dev/null | head -n 1)"
    [ -n "$window" ] && { echo "$window"; return 0; }
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "no window titled Galeskerry appeared" >&2
  kill "$pid" 2>/dev/null
  exit 1
}

# Presses Escape in the window and returns the game's exit code once it has closed.
quit_with_escape() {
  local pid="$1" window="$2"
  xdotool windowfocus --sync "$window" key Escape
  for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    echo "the game did not close after Escape" >&2
    kill -9 "$pid"
    exit 1
  fi
  wait "$pid"
}
