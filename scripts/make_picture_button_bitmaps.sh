#!/usr/bin/env bash
# Draws the glyphs of the big picture window's buttons (ImageMagick 6): previous,
# next, information and photographer's credit, 14 x 14 on a transparent ground.
# Writes into resources/bitmaps/.
set -euo pipefail

out="$(cd "$(dirname "$0")/.." && pwd)/resources/bitmaps"
mkdir -p "$out"

draw() { # file, drawing
  convert -size 14x14 xc:none -stroke none -draw "$2" "PNG32:$out/$1"
}

draw previous_picture.png "fill '#202020' polygon 9,2 9,12 3,7"
draw next_picture.png "fill '#202020' polygon 4,2 4,12 10,7"
draw information.png "fill '#1a4fa0' circle 7,7 7,0 fill white rectangle 6,6 8,11 rectangle 6,3 8,4"
draw copyright.png "fill none stroke '#202020' stroke-width 1.5 circle 7,7 7,1 stroke-width 1.5 arc 4,4 10,10 45,315"
echo "picture button bitmaps written to $out"
