#!/usr/bin/env bash
# Renders the tunes (ABC notation) to Windows Media Audio and the sound effects to WAV.
#   build_music.sh CONTENT_MUSIC_DIR GAME_MUSIC_DIR
set -euo pipefail
src="$1"
out="$2"
font=/usr/share/sounds/sf2/FluidR3_GM.sf2
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$out"
for tune in intro frog alpaca goat flute roar; do
  abc="$src/$tune.abc"
  [ -f "$abc" ] || { echo "music error: $abc: missing" >&2; exit 1; }
  abc2midi "$abc" -o "$tmp/$tune.mid" >"$tmp/$tune.abc.log" 2>&1 || { cat "$tmp/$tune.abc.log" >&2; exit 1; }
  if grep -qi "error" "$tmp/$tune.abc.log"; then cat "$tmp/$tune.abc.log" >&2; exit 1; fi
  fluidsynth -ni -q -F "$tmp/$tune.wav" -r 44100 "$font" "$tmp/$tune.mid" >/dev/null 2>&1
  len=$(soxi -D "$tmp/$tune.wav")
  awk -v l="$len" -v t="$tune" 'BEGIN { if (l < 5) { print "music error: " t " renders only " l " s" > "/dev/stderr"; exit 1 } }'
  ffmpeg -nostdin -loglevel error -y -i "$tmp/$tune.wav" -c:a wmav2 -b:a 128k "$out/$tune.wma"
done
bash "$src/effects.sh" "$tmp/fx"
for fx in door jubjub; do
  [ -s "$tmp/fx/$fx.wav" ] || { echo "music error: effects.sh made no $fx.wav" >&2; exit 1; }
  cp "$tmp/fx/$fx.wav" "$out/$fx.wav"
done
