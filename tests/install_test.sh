#!/usr/bin/env bash
# Installs the game into a temporary prefix, makes the game folder read-only, and starts the
# installed program from another folder: it must reach the game window, write only into the
# player's data folder, and refuse a missing game folder with a clear message.
set -euo pipefail
build="$1"
work="$(mktemp -d)"
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
prefix="$work/prefix"
# The player's own installation keeps its record of what it installed.
manifest="$build/install_manifest.txt"
if [ -f "$manifest" ]; then cp -p "$manifest" "$work/manifest"; fi
cmake --install "$build" --prefix "$prefix" >/dev/null
if [ -f "$work/manifest" ]; then cp -p "$work/manifest" "$manifest"; else rm -f "$manifest"; fi
bin="$prefix/bin/lanternfall"
share="$prefix/share/games/lanternfall"
test -x "$bin"
test -f "$share/2grdata."
test -f "$share/data/zerodata"
test -f "$share/music/intro.wma"
id=org.lanternfall.Lanternfall
test -f "$prefix/share/applications/$id.desktop"
grep -q '^Categories=Game;AdventureGame;' "$prefix/share/applications/$id.desktop"
test -f "$prefix/share/metainfo/$id.metainfo.xml"
test -f "$prefix/share/man/man6/lanternfall.6"
test -f "$prefix/share/icons/hicolor/scalable/apps/$id.svg"
for size in 16 22 24 32 48 64 128 256 512; do test -f "$prefix/share/icons/hicolor/${size}x$size/apps/$id.png"; done
# Nothing else lands outside the game folder.
extra="$(cd "$prefix" && find . -type f ! -path './share/games/lanternfall/*' ! -path './share/icons/hicolor/*/apps/*' |
  sort | tr '\n' ' ')"
[ "$extra" = "./bin/lanternfall ./share/applications/$id.desktop ./share/man/man6/lanternfall.6 ./share/metainfo/$id.metainfo.xml " ] ||
  { echo "unexpected installed files: $extra"; exit 1; }
chmod -R a-w "$share"
before="$(find "$share" -type f -printf '%p %s %T@\n' | sort | md5sum)"
mkdir -p "$work/home" "$work/elsewhere"
# A picture an older version composed, and a saved game beside it.
player="$work/home/data/lanternfall"
mkdir -p "$player/p1"
echo "older" > "$player/p1/070.jpg"
echo "0.9" > "$player/composed-pictures.version"
head -c 471 /dev/zero > "$player/kept.sav"
cd "$work/elsewhere"
# No sound server at all (the address leads nowhere): the intro tune must not hold up the start.
out="$(HOME="$work/home" XDG_DATA_HOME="$work/home/data" PULSE_SERVER=unix:/nonexistent/lanternfall QT_QPA_PLATFORM=offscreen timeout 60 "$bin" --check 2>&1)"
echo "$out" | grep -q "reached the game window in room 4" || { echo "$out"; exit 1; }
after="$(find "$share" -type f -printf '%p %s %T@\n' | sort | md5sum)"
[ "$before" = "$after" ] || { echo "the installed game folder changed"; exit 1; }
[ -d "$work/home/data/lanternfall" ] || { echo "no player data folder"; exit 1; }
[ ! -e "$player/p1/070.jpg" ] || { echo "an older version's composed picture was kept"; exit 1; }
[ "$(cat "$player/composed-pictures.version")" = "$("$bin" --version | cut -d' ' -f2)" ] || { echo "no version stamp"; exit 1; }
[ "$(stat -c %s "$player/kept.sav")" = 471 ] || { echo "a saved game was touched"; exit 1; }
[ -z "$(ls -A "$work/elsewhere")" ] || { echo "files written into the working folder"; exit 1; }
# A missing game folder: one clear message and a non-zero exit.
set +e
msg="$(QT_QPA_PLATFORM=offscreen timeout 20 "$bin" --data "$work/nothing-here" 2>&1)"
rc=$?
set -e
[ $rc -ne 0 ] || { echo "a missing game folder must fail"; exit 1; }
echo "$msg" | grep -q "cannot be found" || { echo "$msg"; exit 1; }
echo "$msg" | grep -q "$work/nothing-here" || { echo "$msg"; exit 1; }
# A game folder lacking a start file names the file.
cp -r "$share" "$work/partial"
chmod -R u+w "$work/partial"
rm "$work/partial/data/zerodata"
set +e
msg="$(QT_QPA_PLATFORM=offscreen timeout 20 "$bin" --data "$work/partial" 2>&1)"
rc=$?
set -e
[ $rc -ne 0 ] && echo "$msg" | grep -q "data/zerodata" || { echo "$msg"; exit 1; }
"$bin" --help | grep -q -- "--window"
"$bin" --version | grep -qx "lanternfall [0-9][0-9.]*"
# An unknown option gives the usage and exits 2.
set +e
msg="$("$bin" --fly 2>&1)"
rc=$?
set -e
[ $rc -eq 2 ] && echo "$msg" | grep -q "^Usage: lanternfall" || { echo "rc $rc: $msg"; exit 1; }
echo "install test passed"
