#!/usr/bin/env bash
# Measures every tune and sound effect of a game music folder and fails when one misses the
# marks the game is mixed to:
#   - a tune: -16 LUFS integrated (EBU R128), give or take 1 LU;
#   - an effect: within 2 LU of the tunes' average, so neither drowns the other;
#   - every file: true peak at most -1 dBTP, no DC offset (|DC| at most 0.001 of full scale),
#     at most 0.5 s of silence (below -60 dBFS) at the end.
# It prints one line per file (file, LUFS, true peak, DC, tail silence, length).
#   check_music.sh GAME_MUSIC_DIR
set -euo pipefail
dir="$1"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
tunes=(intro frog alpaca goat flute roar)
effects=(door jubjub)
failed=0
fail() { echo "music error: $1" >&2; failed=1; }

# measure FILE: prints "LUFS TRUEPEAK DC TAIL LENGTH" of the decoded file
measure() {
  local wav="$tmp/m.wav"
  ffmpeg -nostdin -loglevel error -y -i "$1" -c:a pcm_s16le "$wav"
  local loud dc len trimmed
  loud=$(ffmpeg -nostdin -hide_banner -nostats -i "$wav" -af ebur128=peak=true -f null - 2>&1 |
    awk '/Integrated loudness:/ { s = 1 } s && $1 == "I:" { i = $2; s = 0 }
         /True peak:/ { p = 1 } p && $1 == "Peak:" { tp = $2; p = 0 } END { print i, tp }')
  dc=$(sox "$wav" -n stats 2>&1 | awk '$1 == "DC" && $2 == "offset" { print $3 }')
  len=$(soxi -D "$wav")
  sox "$wav" "$tmp/t.wav" reverse silence 1 0.005 -60d reverse
  trimmed=$(soxi -D "$tmp/t.wav")
  echo "$loud $dc $(awk -v a="$len" -v b="$trimmed" 'BEGIN { printf "%.2f", a - b }') $len"
}

declare -A lufs
printf '%-12s %7s %9s %9s %6s %7s\n' file LUFS "peak dBTP" DC "tail s" length
for name in "${tunes[@]/%/.wma}" "${effects[@]/%/.wav}"; do
  f="$dir/$name"
  if [ ! -s "$f" ]; then fail "$name: missing"; continue; fi
  read -r i tp dc tail len < <(measure "$f")
  if [ -z "$i" ] || [ -z "$tp" ] || [ -z "$dc" ]; then fail "$name: could not be measured"; continue; fi
  lufs[$name]=$i
  printf '%-12s %7s %9s %9s %6s %7.2f\n' "$name" "$i" "$tp" "$dc" "$tail" "$len"
  awk -v v="$tp" 'BEGIN { exit !(v > -1.0) }' && fail "$name: true peak $tp dBTP is above -1 dBTP"
  awk -v v="$dc" 'BEGIN { exit !(v > 0.001 || v < -0.001) }' && fail "$name: DC offset $dc (at most 0.001)"
  awk -v v="$tail" 'BEGIN { exit !(v > 0.5) }' && fail "$name: ends in $tail s of silence (at most 0.5 s)"
done
sum=0 n=0
for t in "${tunes[@]}"; do
  i=${lufs[$t.wma]:-}
  [ -n "$i" ] || continue
  awk -v v="$i" 'BEGIN { exit !(v < -17 || v > -15) }' && fail "$t.wma: $i LUFS, not -16 LUFS within 1 LU"
  sum=$(awk -v s="$sum" -v v="$i" 'BEGIN { print s + v }') n=$((n + 1))
done
if [ "$n" -gt 0 ]; then
  mean=$(awk -v s="$sum" -v n="$n" 'BEGIN { printf "%.1f", s / n }')
  for e in "${effects[@]}"; do
    i=${lufs[$e.wav]:-}
    [ -n "$i" ] || continue
    awk -v v="$i" -v m="$mean" 'BEGIN { d = v - m; exit !(d > 2 || d < -2) }' &&
      fail "$e.wav: $i LUFS, more than 2 LU from the tunes' $mean LUFS"
  done
fi
exit "$failed"
