#!/usr/bin/env bash
# Plays the game with scripted keys and writes the README's pictures into docs/ (half-size
# JPEG files). Needs the project built once (scripts/test.sh or scripts/run.sh did that);
# starts a virtual display when none is set.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${BUILD_DIR:-$root/build}"
BUILD_TARGET=galeskerry_capture "$root/scripts/build.sh" >/dev/null

. "$root/scripts/display.sh"
ALSOFT_DRIVERS=null "$build_dir/bin/galeskerry_capture" --small "$root/docs"
