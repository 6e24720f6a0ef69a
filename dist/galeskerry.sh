#!/bin/sh
# Starts Galeskerry from its own bin directory, where the game finds its files in ../resources,
# whatever directory the player starts it from.
set -e
here=$(dirname "$(readlink -f "$0")")
game_dir="$here/../lib/galeskerry/bin"
# A resource directory given relative to where the player stands must survive the change of
# directory below.
if [ $# -ge 1 ] && [ "${1#-}" = "$1" ] && [ "${1#/}" = "$1" ]; then
  first="$PWD/$1"
  shift
  set -- "$first" "$@"
fi
cd "$game_dir"
exec ./galeskerry "$@"
