#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. GL tests need a display: when none is
# given, a virtual one (Xvfb, rendered by Mesa's llvmpipe) is started for the run.
# Extra arguments go to ctest, e.g. scripts/test.sh -L unit
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${BUILD_DIR:-$root/build}"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" ${CMAKE_ARGS:-}

xvfb_pid=""
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
  done
  # -noreset: by default the server resets whenever its last client leaves, and a test that
  # connects during that reset is refused.
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY="$display"
  for _ in $(seq 1 100); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.1
  done
fi
export LIBGL_ALWAYS_SOFTWARE=1

cd "$build_dir"
ctest -j2 --output-on-failure "$@"
