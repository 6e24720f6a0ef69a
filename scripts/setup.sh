#!/usr/bin/env bash
# Installs every package the game, its tests, benchmarks and asset generator need.
# Safe to run again; works as root or through sudo.
set -euo pipefail

packages=(
  build-essential cmake pkg-config dpkg-dev desktop-file-utils
  libglfw3-dev libglm-dev libfreetype-dev libstb-dev libtinyobjloader-dev
  libopenal-dev libvorbis-dev libogg-dev
  python3 python3-glad
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  xvfb xauth xdotool mesa-utils libgl1-mesa-dri libgl1-mesa-dev libegl1-mesa-dev
  fonts-ebgaramond-extra
  lintian appstream man-db groff-base
)

if [ "$(id -u)" -eq 0 ]; then
  sudo_cmd=()
else
  sudo_cmd=(sudo)
fi

missing=()
for pkg in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$pkg")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
