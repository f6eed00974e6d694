#!/usr/bin/env bash
# Renders the tunes (ABC notation) to Windows Media Audio and the sound effects to WAV, brings
# every one of them to the same loudness, and refuses to ship a file that misses the marks.
#   build_music.sh CONTENT_MUSIC_DIR GAME_MUSIC_DIR
set -euo pipefail
src="$1"
out="$2"
here="$(cd "$(dirname "$0")" && pwd)"
font=/usr/share/sounds/sf2/FluidR3_GM.sf2
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/ship"

# The player hears a tune and an effect one after the other through the same speakers, so all
# of them sit at one loudness, with room under full scale for the encoder's overshoot.
target_i=-16
target_tp=-2

# level IN OUT RATE CHANNELS: take out any DC (a 20 Hz high-pass), measure the loudness with
# loudnorm's first pass, then bring IN to the target with one fixed gain, so the dynamics of the
# piece stay as they were written; a lookahead limiter only shaves the few peaks that the gain
# would push past the true-peak mark. The silence a synthesiser leaves after the last note is
# cut down to a short breath.
level() {
  local in=$1 lev=$2 rate=$3 ch=$4
  local json gain
  json=$(ffmpeg -nostdin -hide_banner -nostats -i "$in" \
    -af "highpass=f=20,loudnorm=I=$target_i:TP=$target_tp:LRA=20:print_format=json" -f null - 2>&1 |
    sed -n '/^{/,/^}/p')
  gain=$(printf '%s\n' "$json" | sed -n 's/.*"input_i" : "\([^"]*\)".*/\1/p')
  case "$gain" in
    -[0-9]*) gain=$(awk -v t="$target_i" -v i="$gain" 'BEGIN { printf "%.2f", t - i }') ;;
    *) echo "music error: $in: loudness could not be measured" >&2; exit 1 ;;
  esac
  # the limiter works on sample peaks; one dB below the mark leaves room for the true peak
  # between samples and for the WMA encoder
  local limit
  limit=$(awk -v t="$target_tp" 'BEGIN { printf "%.4f", 10 ^ ((t - 1) / 20) }')
  ffmpeg -nostdin -loglevel error -y -i "$in" \
    -af "highpass=f=20,volume=${gain}dB,alimiter=limit=$limit:attack=1:release=80:level=false:latency=true" \
    -ar "$rate" -ac "$ch" -c:a pcm_s16le "$in.level.wav"
  sox "$in.level.wav" "$lev" reverse silence 1 0.005 -60d reverse pad 0 0.15
}

for tune in intro frog alpaca goat flute roar; do
  abc="$src/$tune.abc"
  [ -f "$abc" ] || { echo "music error: $abc: missing" >&2; exit 1; }
  abc2midi "$abc" -o "$tmp/$tune.mid" >"$tmp/$tune.abc.log" 2>&1 || { cat "$tmp/$tune.abc.log" >&2; exit 1; }
  if grep -qi "error" "$tmp/$tune.abc.log"; then cat "$tmp/$tune.abc.log" >&2; exit 1; fi
  fluidsynth -ni -q -F "$tmp/$tune.wav" -r 44100 "$font" "$tmp/$tune.mid" >/dev/null 2>&1
  len=$(soxi -D "$tmp/$tune.wav")
  awk -v l="$len" -v t="$tune" 'BEGIN { if (l < 5) { print "music error: " t " renders only " l " s" > "/dev/stderr"; exit 1 } }'
  level "$tmp/$tune.wav" "$tmp/$tune.even.wav" 44100 2
  ffmpeg -nostdin -loglevel error -y -i "$tmp/$tune.even.wav" -c:a wmav2 -b:a 128k "$tmp/ship/$tune.wma"
done
bash "$src/effects.sh" "$tmp/fx"
for fx in door jubjub; do
  [ -s "$tmp/fx/$fx.wav" ] || { echo "music error: effects.sh made no $fx.wav" >&2; exit 1; }
  level "$tmp/fx/$fx.wav" "$tmp/ship/$fx.wav" 22050 1
done

# Measure what will ship, and ship nothing unless all of it passes.
bash "$here/check_music.sh" "$tmp/ship"
mkdir -p "$out"
for f in door jubjub; do cp "$tmp/ship/$f.wav" "$out/$f.wav"; done
# intro.wma goes last: it is the file the build looks at to know the music is done
for f in frog alpaca goat flute roar intro; do cp "$tmp/ship/$f.wma" "$out/$f.wma"; done
