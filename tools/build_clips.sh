#!/usr/bin/env bash
# Draws the three video clips from their frame generators over their rooms and encodes them
# as Motion-JPEG AVI files.
#   build_clips.sh CONTENT_DIR GAME_DIR CONTENTC [--allow-missing]
set -euo pipefail
content="$1"; game="$2"; contentc="$3"; allow="${4:-}"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
clip() {  # name room look x y w h target
  local name=$1 room=$2 variant=$3 x=$4 y=$5 w=$6 h=$7 target=$8
  local gen="$content/clips/$name.py"
  if [ ! -f "$gen" ]; then
    [ "$allow" = "--allow-missing" ] && return 0
    echo "content error: $gen: missing" >&2
    exit 1
  fi
  mkdir -p "$tmp/$name/svg"
  python3 "$gen" "$tmp/$name/svg"
  "$contentc" --clip "$content/rooms/$(printf 'r%02d' "$room").svg" "$variant" "$x" "$y" "$w" "$h" "$tmp/$name/svg" "$tmp/$name/jpg"
  mkdir -p "$(dirname "$game/$target")"
  ffmpeg -nostdin -loglevel error -y -framerate 12 -i "$tmp/$name/jpg/f%04d.jpg" \
    -c:v mjpeg -q:v 3 -pix_fmt yuvj420p "$game/$target"
}
# Each clip's room, look and rectangle are the game's own, from the core's table.
"$contentc" --print-table clips > "$tmp/clips.tsv"
while IFS=$'\t' read -r name room look x y w h target; do
  clip "$name" "$room" "$look" "$x" "$y" "$w" "$h" "$target"
done < <(tail -n +2 "$tmp/clips.tsv")
