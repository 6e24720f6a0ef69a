#!/usr/bin/env bash
# Builds the .deb and checks what a player installs: the game, its resources, the launcher,
# the desktop entry and the icons, with Debian's runtime libraries (no -dev packages) as
# dependencies and a desktop entry that desktop-file-validate accepts.
set -u
build_dir="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

(cd "$build_dir" && cpack -G DEB -B "$scratch" >"$scratch/cpack.log" 2>&1) ||
  { echo "cpack failed"; cat "$scratch/cpack.log"; exit 1; }
deb="$(ls "$scratch"/*.deb 2>/dev/null | head -n 1)"
[ -n "$deb" ] || { echo "no .deb was made"; exit 1; }

contents="$(dpkg-deb -c "$deb" | awk '{print $6}')"
missing=0
for path in ./usr/bin/galeskerry ./usr/lib/galeskerry/bin/galeskerry \
            ./usr/lib/galeskerry/resources/shaders/simple_vert.glsl \
            ./usr/lib/galeskerry/resources/models/boat/Ship_free.obj \
            ./usr/lib/galeskerry/resources/fonts/FeFCit2.ttf \
            ./usr/lib/galeskerry/resources/OceanStorm.ogg \
            ./usr/lib/galeskerry/resources/galaxy/galaxy+X.tga \
            ./usr/share/applications/galeskerry.desktop \
            ./usr/share/icons/hicolor/48x48/apps/galeskerry.png \
            ./usr/share/icons/hicolor/256x256/apps/galeskerry.png; do
  if ! grep -qxF "$path" <<<"$contents"; then
    echo "the package lacks $path"; missing=1
  fi
done
[ "$missing" -eq 0 ] || exit 1

depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
grep -q 'libglfw3' <<<"$depends" || { echo "no dependency on GLFW"; exit 1; }
grep -q 'libopenal1' <<<"$depends" || { echo "no dependency on OpenAL"; exit 1; }
if grep -q -- '-dev' <<<"$depends"; then echo "depends on a -dev package"; exit 1; fi

dpkg-deb -x "$deb" "$scratch/root"
desktop-file-validate "$scratch/root/usr/share/applications/galeskerry.desktop" ||
  { echo "desktop entry rejected"; exit 1; }
echo "package $(basename "$deb") holds the game, its resources, launcher, menu entry and icons"
