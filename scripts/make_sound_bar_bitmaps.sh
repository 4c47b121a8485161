#!/usr/bin/env bash
# Draws the sound bar's button bitmaps and the drag cursor (ImageMagick 6).
# Writes into resources/bitmaps/; run again after changing a drawing.
set -euo pipefail

out="$(cd "$(dirname "$0")/.." && pwd)/resources/bitmaps"
mkdir -p "$out"

play="polygon 3,2 3,9 7,6 7,5"
pause="rectangle 3,2 4,9 rectangle 7,2 8,9"
# The focus mark: every other pixel of the outer ring, like a dotted focus frame.
focus=""
for x in $(seq 0 11); do
  for y in $(seq 0 11); do
    if { [ "$x" -eq 0 ] || [ "$x" -eq 11 ] || [ "$y" -eq 0 ] || [ "$y" -eq 11 ]; } &&
       [ $(((x + y) % 2)) -eq 0 ]; then
      focus="$focus point $x,$y"
    fi
  done
done

button() { # file, colour, drawing
  convert -size 12x12 xc:none +antialias -fill "$2" -draw "$3" "PNG32:$out/$1"
}
button soundbar_not_playing.png black "$play"
button soundbar_playing.png black "$pause"
button soundbar_not_playing_cursor.png '#000080' "$play $focus"
button soundbar_playing_cursor.png '#000080' "$pause $focus"

# The drag cursor: an arrow (hot spot at its tip, 0,0) carrying a small sound bar.
convert -size 32x32 xc:none +antialias \
  -fill white -stroke black -draw "polygon 0,0 0,15 4,11 7,17 9,16 6,10 11,10" \
  -fill '#C0C0C0' -stroke black -draw "rectangle 12,18 30,26" \
  -fill black -stroke none -draw "polygon 14,20 14,24 17,22" \
  -fill '#808080' -draw "rectangle 20,21 28,23" \
  -fill black -draw "rectangle 23,20 24,24" \
  "PNG32:$out/drag_cursor.png"
