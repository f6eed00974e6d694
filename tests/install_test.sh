#!/usr/bin/env bash
# Installs the game into a temporary prefix, makes the game folder read-only, and starts the
# installed program from another folder: it must reach the game window, write only into the
# player's data folder, and refuse a missing game folder with a clear message.
set -euo pipefail
build="$1"
work="$(mktemp -d)"
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
bin="$prefix/bin/lanternfall"
share="$prefix/share/lanternfall"
test -x "$bin"
test -f "$share/2grdata."
test -f "$share/data/zerodata"
test -f "$share/music/intro.wma"
test -f "$prefix/share/applications/lanternfall.desktop"
grep -q '^Categories=Game;AdventureGame;' "$prefix/share/applications/lanternfall.desktop"
for size in 16x16 32x32 48x48 256x256; do test -f "$prefix/share/icons/hicolor/$size/apps/lanternfall.png"; done
chmod -R a-w "$share"
before="$(find "$share" -type f -printf '%p %s %T@\n' | sort | md5sum)"
mkdir -p "$work/home" "$work/elsewhere"
cd "$work/elsewhere"
# No sound server at all (the address leads nowhere): the intro tune must not hold up the start.
out="$(HOME="$work/home" XDG_DATA_HOME="$work/home/data" PULSE_SERVER=unix:/nonexistent/lanternfall QT_QPA_PLATFORM=offscreen timeout 60 "$bin" --check 2>&1)"
echo "$out" | grep -q "reached the game window in room 4" || { echo "$out"; exit 1; }
after="$(find "$share" -type f -printf '%p %s %T@\n' | sort | md5sum)"
[ "$before" = "$after" ] || { echo "the installed game folder changed"; exit 1; }
[ -d "$work/home/data/lanternfall" ] || { echo "no player data folder"; exit 1; }
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
echo "install test passed"
