#!/usr/bin/env bash
# Draws the three video clips from their frame generators over their rooms and encodes them
# as Motion-JPEG AVI files.
#   build_clips.sh CONTENT_DIR GAME_DIR CONTENTC [--allow-missing]
set -euo pipefail
content="$1"; game="$2"; contentc="$3"; allow="${4:-}"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
clip() {  # name room variant x y w h target
  local name=$1 room=$2 variant=$3 x=$4 y=$5 w=$6 h=$7 target=$8
  local gen="$content/clips/$name.py"
  if [ ! -f "$gen" ]; then
    [ "$allow" = "--allow-missing" ] && return 0
    echo "content error: $gen: missing" >&2
    exit 1
  fi
  mkdir -p "$tmp/$name/svg"
  python3 "$gen" "$tmp/$name/svg"
  "$contentc" --clip "$content/rooms/$room.svg" "$variant" "$x" "$y" "$w" "$h" "$tmp/$name/svg" "$tmp/$name/jpg"
  mkdir -p "$(dirname "$game/$target")"
  ffmpeg -nostdin -loglevel error -y -framerate 12 -i "$tmp/$name/jpg/f%04d.jpg" \
    -c:v mjpeg -q:v 3 -pix_fmt yuvj420p "$game/$target"
}
clip jubjub r15 changed 65 16 312 148 p1/JUBJUB.AVI
clip catfish r22 - 629 212 164 188 p1/CATFISH.AVI
clip tree r28 - 544 77 91 71 p2/TREE.AVI
