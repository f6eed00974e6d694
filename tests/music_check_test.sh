#!/usr/bin/env bash
# The music check passes the built tunes and effects and refuses each kind of bad file:
# a quiet tune, a tune with a DC offset, a tune with a long silent tail, an effect far louder
# than the tunes, a clipping effect and a missing file.
#   music_check_test.sh SOURCE_DIR GAME_MUSIC_DIR
set -euo pipefail
check="$1/tools/check_music.sh"
music="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
bash "$check" "$music" >/dev/null

# expect_refused NAME PATTERN: the check must fail and name the file and the fault
expect_refused() {
  local msg rc
  set +e
  msg="$(bash "$check" "$work/m" 2>&1 >/dev/null)"
  rc=$?
  set -e
  if [ $rc -eq 0 ] || ! printf '%s\n' "$msg" | grep -q "$1.*$2"; then
    echo "the check let a bad $1 through (wanted '$2'):"
    printf '%s\n' "$msg"
    exit 1
  fi
}
fresh() { rm -rf "$work/m"; cp -r "$music" "$work/m"; }
wma() { ffmpeg -nostdin -loglevel error -y -i "$1" -c:a wmav2 -b:a 128k "$2"; }
ffmpeg -nostdin -loglevel error -y -i "$music/flute.wma" -c:a pcm_s16le "$work/flute.wav"

fresh; sox "$work/flute.wav" "$work/q.wav" gain -6; wma "$work/q.wav" "$work/m/flute.wma"
expect_refused flute.wma "not -16 LUFS"
fresh; sox "$work/flute.wav" "$work/dc.wav" dcshift 0.02; wma "$work/dc.wav" "$work/m/flute.wma"
expect_refused flute.wma "DC offset"
fresh; sox "$work/flute.wav" "$work/t.wav" pad 0 2; wma "$work/t.wav" "$work/m/flute.wma"
expect_refused flute.wma "silence"
fresh; sox -q "$music/door.wav" "$work/m/door.wav" gain 5
expect_refused door.wav "more than 2 LU"
fresh; sox -q "$music/jubjub.wav" "$work/m/jubjub.wav" gain -n -0.1
expect_refused jubjub.wav "true peak"
fresh; rm "$work/m/roar.wma"
expect_refused roar.wma "missing"
echo "music check test passed"
