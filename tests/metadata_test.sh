#!/usr/bin/env bash
# The metadata desktops and software centres read, checked as they check it: the AppStream
# metainfo and the desktop entry validate and agree on the id, the screenshots they name are
# in the tree, the icons have a transparent surround at every size, the manual page formats
# cleanly and names every option, and the package declares the dependency lists.
set -euo pipefail
src="$1"
build="$2"
id=org.lanternfall.Lanternfall
meta="$src/packaging/$id.metainfo.xml"
desktop="$src/packaging/$id.desktop"
fail() { echo "metadata: $*"; exit 1; }

appstreamcli validate --no-net "$meta" >/dev/null || { appstreamcli validate --no-net "$meta"; fail "metainfo does not validate"; }
desktop-file-validate "$desktop" || fail "desktop entry does not validate"
grep -q "<id>$id</id>" "$meta" || fail "metainfo id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$meta" || fail "launchable"
grep -q "<binary>lanternfall</binary>" "$meta" || fail "provides binary"
grep -q "^Icon=$id\$" "$desktop" || fail "desktop icon name"
grep -q "^Exec=lanternfall\$" "$desktop" || fail "desktop Exec"
version="$("$build/lanternfall" --version)"
[ "$version" = "lanternfall $(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$meta" | head -1)" ] ||
  fail "--version says '$version', the newest release in the metainfo differs"
head -1 "$src/debian/changelog" | grep -q "^lanternfall (${version#lanternfall }) " || fail "debian/changelog's version"

# Screenshots are published under their path in the tree, at the size the metainfo gives.
n=0
while read -r w h url; do
  file="$src/${url#https://lanternfall.org/}"
  [ -f "$file" ] || fail "screenshot $url is not in the tree ($file)"
  [ "$(identify -format '%wx%h' "$file")" = "${w}x${h}" ] || fail "screenshot $file is not ${w}x${h}"
  n=$((n + 1))
done < <(sed -n 's|.*<image type="source" width="\([0-9]*\)" height="\([0-9]*\)">\([^<]*\)</image>.*|\1 \2 \3|p' "$meta")
[ $n -ge 1 ] || fail "no screenshots"

# Icons: every size, with alpha, transparent corners and an opaque middle.
for s in 16 22 24 32 48 64 128 256 512; do
  png="$build/game/icons/hicolor/${s}x${s}/apps/$id.png"
  [ -f "$png" ] || fail "no ${s}px icon"
  read -r size channels corner middle < <(convert "$png" -format '%wx%h %[channels] %[fx:p{0,0}.a] %[fx:p{w/2,h/2}.a]\n' info:)
  [ "$size" = "${s}x${s}" ] || fail "$png is $size"
  [ "$channels" = "srgba" ] || fail "$png has no alpha channel ($channels)"
  [ "$corner" = "0" ] || fail "$png: the corner is not transparent ($corner)"
  [ "$middle" = "1" ] || fail "$png: the middle is not opaque ($middle)"
done

# The manual page formats without a warning and names every option of --help.
warnings="$(groff -man -Tutf8 -ww -z "$src/packaging/lanternfall.6" 2>&1)"
[ -z "$warnings" ] || fail "lanternfall.6: $warnings"
for opt in $("$build/lanternfall" --help | grep -o -- '--[a-z]*' | sort -u); do
  grep -q -- "${opt//-/\\\\-}" "$src/packaging/lanternfall.6" || fail "lanternfall.6 does not name $opt"
done

# One list per need: Build-Depends is the build list (build-essential is implied there), the
# package depends on the runtime list besides the shared libraries.
list() { sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "$src/packaging/deps/$1.txt" | sort; }
field() {
  awk -v f="$1" '$0 ~ "^" f ":" {on=1; sub("^" f ":", ""); print; next} on && /^[ \t]/ {print; next} {on=0}' \
    "$src/debian/control" | tr ',' '\n' | sed -e 's/(.*)//' -e 's/[[:space:]]//g' -e '/^$/d' | sort
}
diff <(list build | grep -v '^build-essential$') <(field Build-Depends | grep -v '^debhelper-compat$') ||
  fail "debian/control's Build-Depends and packaging/deps/build.txt differ"
diff <(list runtime) <(field Depends | grep -v '^\${') || fail "the package's Depends and packaging/deps/runtime.txt differ"
grep -qx wamerican <(list build) || fail "the content compiler's word list is not in the build list"
! grep -rqx ccache "$src/packaging/deps" || fail "ccache is a local choice, not a dependency"
echo "metadata test passed"
