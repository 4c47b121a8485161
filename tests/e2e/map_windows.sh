#!/usr/bin/env bash
# End to end: the map windows of the real program in Xvfb, on the sample disc.
# A species' map shows its range over the region map's land; Select Area with
# Clear All and a click on India keeps only India; the localities map shows
# the sample's eight sites and a click on one opens its page.
# Usage: map_windows.sh PROGRAM SAMPLE_DISC SAMPLE_BASE REGION_MAP [ARTIFACT_FOLDER]
set -euo pipefail
source "$(dirname "$0")/lib.sh"

program_source=$1
disc=$2
base=$(cd "$3" && pwd)
region_map=$4
artifacts=${5:-$(dirname "$program_source")/../test-artifacts}
mkdir -p "$artifacts"

skip_unless_installed xvfb-run xdotool import convert pulseaudio pactl python3
if [ ! -d "$base/distmaps" ]; then
  echo "SKIP: no generated sample media in $base"
  exit 77
fi

if [ -z "${IN_XVFB:-}" ]; then
  IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb
export QTWEBENGINE_DISABLE_SANDBOX=1
# Without a sound device the program would say so in a message box first.
start_sink_or_skip

title="Pemmaro - Birds of the Solvara Region 1.0"
work=$(new_program_folder "$program_source")
printf '[GENERAL]\r\nBase Directory=%s/\r\nJust Installed=No\r\n' "$base" > "$work/Pemmaro.ini"
(cd "$disc" && exec "$work/pemmaro" 2>> "$work/stderr") &
pid=$!

window_gone() {
  ! xdotool search --name "$1" > /dev/null 2>&1
}

# The screen's pixels of the rectangle as a binary PPM file.
grab() { # FILE X Y WIDTH HEIGHT
  import -window root -crop "$4x$5+$2+$3" +repage "$1.png"
  convert "$1.png" -depth 8 "ppm:$1"
}

main=$(wait_for_window "^$title\$" 30)
if [ -z "$main" ]; then
  fail "no window titled '$title' appeared"
  sed 's/^/    /' "$work/stderr" >&2
  finish
fi
sleep 1
convert "$region_map" -depth 8 "ppm:$work/region.ppm"

start_case "a species' map lays its range over the region map's land"
# Baer's Pochard, the fifth duck: its range is a mask over the region map.
keys "$main" Return Down Down Down Down Down ctrl+m
map=$(wait_for_window "Aythya baeri" 10)
if [ -z "$map" ]; then
  fail "no map window for Aythya baeri"
else
  sleep 1
  geometry_of "$map"
  grab "$work/range.ppm" "$X" "$Y" 574 471
  cp "$work/range.ppm.png" "$artifacts/map_windows_range.png"
  python3 - "$work/range.ppm" "$work/region.ppm" << 'PY' || fail "the range does not lie on the land"
import sys

def ppm(path):
    data = open(path, "rb").read()
    fields, start = [], 0
    while len(fields) < 4:
        end = data.index(b"\n", start)
        fields += data[start:end].split()
        start = end + 1
    width, height = int(fields[1]), int(fields[2])
    return width, data[start:]

width, shown = ppm(sys.argv[1])
region_width, region = ppm(sys.argv[2])
blue = on_sea = 0
for i in range(0, len(shown) // 3):
    if shown[3 * i:3 * i + 3] == b"\x00\x00\xff":
        blue += 1
        x, y = i % width, i // width
        j = 3 * (y * region_width + x)
        if region[j:j + 3] == bytes((77, 255, 255)):
            on_sea += 1
print("    %d range pixels, %d of them over the sea" % (blue, on_sea))
sys.exit(0 if blue >= 5000 and on_sea * 100 <= blue else 1)
PY
  keys "$map" Escape
  wait_until 5 window_gone "Aythya baeri" || fail "Escape did not close the map window"
fi

start_case "Select Area, Clear All, India, OK keeps only India"
keys "$main" alt+o r
dialog=$(wait_for_window "^Select Area" 10)
if [ -z "$dialog" ]; then
  fail "no select-area window"
else
  sleep 0.5
  geometry_of "$dialog"
  bottom_row=$((Y + HEIGHT - 15))
  click_at $((X + 51)) "$bottom_row"   # Clear All
  click_at $((X + 130)) $((Y + 150))   # India
  import -window root "$artifacts/map_windows_select_area.png"
  click_at $((X + 227)) "$bottom_row"  # OK
  wait_until 5 window_gone "^Select Area" || fail "OK did not close the select-area window"
  keys "$main" Return
  sleep 0.5
  import -window root "$artifacts/map_windows_only_india.png" || fail "no screenshot"
fi

start_case "the localities map marks eight sites and a click opens a page"
keys "$main" alt+v s
localities=$(wait_for_window "^Site Descriptions\$" 10)
if [ -z "$localities" ]; then
  fail "no localities map"
else
  sleep 1
  geometry_of "$localities"
  grab "$work/sites.ppm" "$X" "$Y" "$WIDTH" "$HEIGHT"
  cp "$work/sites.ppm.png" "$artifacts/map_windows_sites.png"
  marker=$(python3 - "$work/sites.ppm" << 'PY'
import sys
data = open(sys.argv[1], "rb").read()
fields, start = [], 0
while len(fields) < 4:
    end = data.index(b"\n", start)
    fields += data[start:end].split()
    start = end + 1
width, height, pixels = int(fields[1]), int(fields[2]), data[start:]
red = {(i % width, i // width) for i in range(width * height)
       if pixels[3 * i:3 * i + 3] == b"\xff\x00\x00"}
markers = []
while red:
    todo, blob = [red.pop()], []
    while todo:
        x, y = todo.pop()
        blob.append((x, y))
        for near in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
            if near in red:
                red.remove(near)
                todo.append(near)
    if len(blob) >= 15:
        markers.append(blob)
print(len(markers))
first = min(markers, key=lambda blob: min(blob))
print(sum(x for x, _ in first) // len(first), sum(y for _, y in first) // len(first))
PY
)
  read -r count <<< "$(head -n 1 <<< "$marker")"
  read -r mx my <<< "$(tail -n 1 <<< "$marker")"
  echo "    $count markers, clicking the one at $mx,$my"
  expect_equal "$count" 8 "markers on the localities map"
  click_at $((X + mx)) $((Y + my))
  page=$(wait_for_window "^URL: .*localities/.*\\.htm" 60)
  if [ -z "$page" ]; then
    fail "no site description page opened"
    sed 's/^/    /' "$work/stderr" >&2
  else
    sleep 2
    import -window root "$artifacts/map_windows_site_page.png" || fail "no screenshot"
  fi
fi

kill -TERM "$pid"
wait_for_exit "$pid" 20
expect_equal "$exit_status" 0 "exit code"
selected=$(awk '{ sub(/\r$/, "") } /^\[/ { s = ($0 == "[WINDOW 1]"); next }
  s && index($0, "Selected Area=") == 1 { print substr($0, 15); exit }' "$work/Pemmaro.ini")
expect_equal "$selected" "IN" "the window's Selected Area"

finish
