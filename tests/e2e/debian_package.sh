#!/usr/bin/env bash
# Builds the .deb and checks it as a distribution would take it: what a player installs (the
# game, its resources, the launcher in /usr/games, the menu entry, icons, metainfo, manual page,
# copyright file and changelog), Debian's runtime libraries as the only dependencies, lintian
# without errors or warnings, the desktop entry, the AppStream metainfo and the manual page
# accepted by their validators, and --help saying what the manual page says.
set -u
build_dir="$1"
source_dir="$2"
app_id="$3"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

(cd "$build_dir" && cpack -G DEB -B "$scratch" >"$scratch/cpack.log" 2>&1) ||
  { echo "cpack failed"; cat "$scratch/cpack.log"; exit 1; }
deb="$(ls "$scratch"/*.deb 2>/dev/null | head -n 1)"
[ -n "$deb" ] || { echo "no .deb was made"; exit 1; }
version="$(dpkg-deb -f "$deb" Version)"

contents="$(dpkg-deb -c "$deb" | awk '{print $6}')"
for path in ./usr/games/galeskerry ./usr/lib/galeskerry/bin/galeskerry \
            ./usr/lib/galeskerry/resources/shaders/simple_vert.glsl \
            ./usr/lib/galeskerry/resources/models/boat/Ship_free.obj \
            ./usr/lib/galeskerry/resources/fonts/FeFCit2.ttf \
            ./usr/lib/galeskerry/resources/OceanStorm.ogg \
            ./usr/lib/galeskerry/resources/galaxy/galaxy+X.tga \
            "./usr/share/applications/$app_id.desktop" \
            "./usr/share/metainfo/$app_id.metainfo.xml" \
            ./usr/share/icons/hicolor/48x48/apps/galeskerry.png \
            ./usr/share/icons/hicolor/256x256/apps/galeskerry.png \
            ./usr/share/man/man6/galeskerry.6.gz \
            ./usr/share/doc/galeskerry/copyright \
            ./usr/share/doc/galeskerry/changelog.gz; do
  grep -qxF "$path" <<<"$contents" || fail "the package lacks $path"
done

depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
grep -q 'libglfw3' <<<"$depends" || fail "no dependency on GLFW"
grep -q 'libopenal1' <<<"$depends" || fail "no dependency on OpenAL"
if grep -q -- '-dev' <<<"$depends"; then fail "depends on a -dev package"; fi
maintainer="$(dpkg-deb -f "$deb" Maintainer)"

echo "--- lintian"
lintian --fail-on error,warning "$deb" || fail "lintian reports errors or warnings"

dpkg-deb -x "$deb" "$scratch/root"
root="$scratch/root"

echo "--- desktop-file-validate"
desktop_file="$root/usr/share/applications/$app_id.desktop"
desktop-file-validate "$desktop_file" || fail "desktop entry rejected"
exec_command="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop_file")"
[ -x "$root/usr/games/$exec_command" ] || fail "the menu entry runs '$exec_command', not in /usr/games"

echo "--- appstreamcli validate"
metainfo="$root/usr/share/metainfo/$app_id.metainfo.xml"
appstreamcli validate --no-net "$metainfo" || fail "AppStream metainfo rejected"
grep -qF "<id>$app_id</id>" "$metainfo" || fail "the metainfo id is not $app_id"
grep -qF "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "the metainfo does not launch $app_id.desktop"
# The screenshots are the README's pictures.
screenshots="$(sed -n 's|.*<image>.*/\(docs/[^<]*\)</image>.*|\1|p' "$metainfo")"
[ -n "$screenshots" ] || fail "no screenshots in the metainfo"
for picture in $screenshots; do
  [ -f "$source_dir/$picture" ] || fail "screenshot $picture is not among the README's pictures"
  grep -qF "($picture)" "$source_dir/README.md" || fail "the README does not show $picture"
done
newest_release="$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)"
[ "$newest_release" = "$version" ] ||
  fail "the metainfo's newest release is $newest_release, the package is $version"

echo "--- changelog and copyright"
changelog_head="$(zcat "$root/usr/share/doc/galeskerry/changelog.gz" | head -n 1)"
[ "${changelog_head#galeskerry ($version) }" != "$changelog_head" ] ||
  fail "the changelog's newest entry is not version $version: $changelog_head"
zcat "$root/usr/share/doc/galeskerry/changelog.gz" | grep -qF -- " -- $maintainer  " ||
  fail "the changelog is not signed by the maintainer $maintainer"
copyright="$root/usr/share/doc/galeskerry/copyright"
for field in "Upstream-Contact: $maintainer" "License: MIT" "License: OFL-1.1"; do
  grep -qxF "$field" "$copyright" || fail "the copyright file lacks '$field'"
done

echo "--- manual page"
manual="$root/usr/share/man/man6/galeskerry.6.gz"
# man --warnings passes groff's warnings through; a clean page renders with none.
LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$manual" >"$scratch/man80.txt" 2>"$scratch/man.err" ||
  fail "man -l could not render the manual page"
if [ -s "$scratch/man.err" ]; then cat "$scratch/man.err"; fail "man -l warns"; fi
grep -q '^NAME' "$scratch/man80.txt" || fail "the rendered manual page has no NAME section"
# Rendered wide, no description is broken across lines, so --help's entries can be found whole.
LC_ALL=C.UTF-8 MANWIDTH=250 man -l "$manual" 2>/dev/null | col -b >"$scratch/man.txt"

echo "--- the launcher on the PATH, and --help against the manual page"
player_path="$root/usr/games:/usr/bin:/bin"
(cd "$scratch" && PATH="$player_path" galeskerry --version) | grep -qxF "Galeskerry $version" ||
  fail "galeskerry on the PATH does not report version $version"
(cd "$scratch" && PATH="$player_path" galeskerry --help) >"$scratch/help.txt" ||
  fail "galeskerry --help failed"
python3 - "$scratch/help.txt" "$scratch/man.txt" <<'PYTHON' || fail "--help and the manual page differ"
import re, sys
help_text = open(sys.argv[1]).read()
# groff prints apostrophes and hyphens as typographic characters; --help has plain ones.
typographic = str.maketrans({"\u2019": "'", "\u2018": "'", "\u2010": "-", "\u2212": "-"})
manual = " ".join(open(sys.argv[2]).read().translate(typographic).split())
# Every two-column entry of --help: a term, two or more spaces, its description, which may go on
# in lines indented to the description's column.
entries = []
for line in help_text.splitlines():
    entry = re.match(r"^  (\S.*?)\s{2,}(\S.*)$", line)
    if entry:
        entries.append([entry.group(1), entry.group(2)])
    elif entries and re.match(r"^ {4,}\S", line):
        entries[-1][1] += " " + line.strip()
if not entries:
    sys.exit("found no entries in --help to compare")
missing = [(term, text) for term, text in entries
           if term.split(",")[0] not in manual or " ".join(text.split()) not in manual]
for term, text in missing:
    print(f"the manual page lacks: {term}  {text}")
sys.exit(1 if missing else 0)
PYTHON

[ "$failed" -eq 0 ] || exit 1
echo "package $(basename "$deb") is lintian-clean and holds the game, launcher, menu entry," \
     "metainfo, manual page, copyright file, changelog and icons"
