#!/usr/bin/env bash
# Draws the bitmaps of the browsing window's line display (ImageMagick 6):
# fold boxes, media marks and the map mark, on white, which the display draws
# with AND so white shows the background. Writes into resources/bitmaps/.
set -euo pipefail

out="$(cd "$(dirname "$0")/.." && pwd)/resources/bitmaps"
mkdir -p "$out"

draw() { # file, size, drawing
  convert -size "$2" xc:white +antialias -stroke none -draw "$3" "PNG24:$out/$1"
}

box="fill white stroke '#808080' rectangle 0,0 10,10 stroke none"
draw plus.png 11x11 "$box fill black rectangle 2,5 8,5 rectangle 5,2 5,8"
draw minus.png 11x11 "$box fill black rectangle 2,5 8,5"
draw invisible_box.png 11x11 "fill white point 0,0"
little="fill white stroke '#808080' rectangle 0,0 8,8 stroke none"
draw little_plus.png 9x9 "$little fill black rectangle 2,4 6,4 rectangle 4,2 4,6"
draw little_minus.png 9x9 "$little fill black rectangle 2,4 6,4"

camera="fill '#404040' rectangle 0,3 13,11 rectangle 4,1 8,3 fill '#80c0ff' circle 7,7 7,9 fill '#ffe060' rectangle 10,4 12,5"
note="fill '#008000' rectangle 5,1 6,9 rectangle 11,0 12,8 polygon 5,1 12,0 12,2 5,3 ellipse 3,9 3,2 0,360 ellipse 9,8 3,2 0,360"
draw pictures.png 14x12 "$camera"
draw recordings.png 14x12 "$note"
draw pictures_and_recordings.png 30x12 "$camera translate 16,0 $note"
draw little_map.png 14x12 "fill '#60a0e0' rectangle 0,0 13,11 fill '#40a040' polygon 2,2 7,1 9,4 6,8 8,10 3,10 1,6 fill red rectangle 6,5 7,6"
echo "display bitmaps written to $out"
