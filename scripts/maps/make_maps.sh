#!/bin/sh
# Draws the six base maps of the program (resources/maps/) from Natural Earth.
#
#   scripts/maps/make_maps.sh            extract the geography again, then draw
#   scripts/maps/make_maps.sh --draw     draw from the committed geography only
#
# Extracting installs the npm packages world-atlas, topojson-client and
# topojson-simplify into a scratch folder (network needed) and writes
# scripts/maps/solvara_geography.json. Drawing builds pemmaro_draw_maps with the
# project (the program's own geographic mapping places every point) and writes
# the pictures. The build and the tests never run this script.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
geography="$here/solvara_geography.json"

if [ "${1:-}" != "--draw" ]; then
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    npm install --silent --no-audit --no-fund --prefix "$scratch" \
        world-atlas@2.0.2 topojson-client@3.1.0 topojson-simplify@3.0.3
    node "$here/extract_geography.mjs" "$scratch" > "$geography.new"
    mv "$geography.new" "$geography"
    echo "wrote $geography"
fi

cmake --build --preset default --target pemmaro_draw_maps
"$repo/build/bin/pemmaro_draw_maps" "$geography" "$repo/resources/maps"
