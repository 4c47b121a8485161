#!/usr/bin/env bash
# Renders the program icon (packaging/pemmaro.svg, drawn by hand) into the PNG
# sizes of the hicolor theme. Run by hand after changing the drawing; the PNGs
# are committed so that a build needs no SVG renderer.
set -euo pipefail
here=$(dirname "$(realpath "$0")")
for size in 48 128 256; do
  mkdir -p "$here/icons/${size}x${size}"
  convert -background none -density 300 "$here/pemmaro.svg" -resize "${size}x${size}" \
    -strip "PNG32:$here/icons/${size}x${size}/pemmaro.png"
done
