#!/usr/bin/env bash
# Configures and builds into build/ (or $BUILD_DIR). Arguments go to the configure step;
# BUILD_TARGET builds one target (and what it needs) instead of everything.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "$@"
cmake --build "$build_dir" -j "$(nproc)" ${BUILD_TARGET:+--target "$BUILD_TARGET"}
