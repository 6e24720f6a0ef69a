#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. GL tests need a display: when none is
# given, a virtual one (Xvfb, rendered by Mesa's llvmpipe) is started for the run.
# Extra arguments go to ctest, e.g. scripts/test.sh -L unit
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${BUILD_DIR:-$root/build}"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" ${CMAKE_ARGS:-}

. "$root/scripts/display.sh"

cd "$build_dir"
ctest -j2 --output-on-failure "$@"
