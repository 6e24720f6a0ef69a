#!/usr/bin/env bash
# Installs the build into a scratch prefix, starts the installed launcher from an unrelated
# directory as a player would, and expects every resource to be found and a clean exit on Escape.
set -u
build_dir="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

cmake --install "$build_dir" --prefix "$scratch/usr" >/dev/null || { echo "install failed"; exit 1; }
launcher="$scratch/usr/bin/galeskerry"
[ -x "$launcher" ] || { echo "no launcher at $launcher"; exit 1; }

"$launcher" --version | grep -q '^Galeskerry [0-9]' || { echo "--version says nothing useful"; exit 1; }
"$launcher" --help | grep -q '^Usage: galeskerry' || { echo "--help gives no usage"; exit 1; }

mkdir -p "$scratch/elsewhere"
cd "$scratch/elsewhere"
log="$scratch/game.log"
"$launcher" >"$log" 2>&1 &
pid=$!
window=""
for _ in $(seq 1 150); do
  window="$(xdotool search --name '^Galeskerry$' 2>/dev/null | head -n 1)"
  [ -n "$window" ] && break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "the installed game opened no window"; kill "$pid" 2>/dev/null; cat "$log"; exit 1
fi
sleep 2
xdotool windowfocus --sync "$window" key Escape
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "the installed game did not close after Escape"; kill -9 "$pid"; exit 1
fi
wait "$pid"
status=$?
if grep -i -E "could not open|failed to load|not found|cannot open|face initialization failed" "$log"; then
  echo "the installed game missed a resource"; exit 1
fi
[ "$status" -eq 0 ] || { echo "exit code $status, expected 0"; cat "$log"; exit 1; }
echo "installed game started from $PWD and found its resources"
