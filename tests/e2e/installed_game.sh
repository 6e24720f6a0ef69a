#!/usr/bin/env bash
# Installs the build into a scratch prefix, starts the installed launcher from an unrelated
# directory as a player would, and expects every resource to be found and a clean exit on Escape.
set -u
build_dir="$1"
tests="$(cd "$(dirname "$0")" && pwd)"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

cmake --install "$build_dir" --prefix "$scratch/usr" >/dev/null || { echo "install failed"; exit 1; }
launcher="$scratch/usr/games/galeskerry"
[ -x "$launcher" ] || { echo "no launcher at $launcher"; exit 1; }

"$launcher" --version | grep -q '^Galeskerry [0-9]' || { echo "--version says nothing useful"; exit 1; }
"$launcher" --help | grep -q '^Usage: galeskerry' || { echo "--help gives no usage"; exit 1; }

mkdir -p "$scratch/elsewhere"
cd "$scratch/elsewhere"
log="$scratch/game.log"
"$launcher" >"$log" 2>&1 &
pid=$!
. "$tests/game_window.sh"
window="$(wait_for_game_window "$pid")" || exit 1
sleep 2
quit_with_escape "$pid" "$window"
status=$?
if grep -i -E "could not open|failed to load|not found|cannot open|face initialization failed" "$log"; then
  echo "the installed game missed a resource"; exit 1
fi
[ "$status" -eq 0 ] || { echo "exit code $status, expected 0"; cat "$log"; exit 1; }
echo "installed game started from $PWD and found its resources"
