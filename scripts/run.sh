#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game from build/bin so that its default
# resource directory "../resources" is build/resources.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
BUILD_TARGET=galeskerry "$root/scripts/build.sh"
cd "${BUILD_DIR:-$root/build}/bin"
exec ./galeskerry "$@"
