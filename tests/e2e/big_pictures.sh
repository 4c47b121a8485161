#!/usr/bin/env bash
# End to end: the big picture window of the real program in Xvfb, on the
# sample disc. A click on the first species' pictures mark opens its first
# photograph; Right shows the next; Ctrl+I shows the picture's information,
# whose underlined locality opens the map with the place.
# Usage: big_pictures.sh PROGRAM SAMPLE_DISC SAMPLE_BASE [ARTIFACT_FOLDER]
set -euo pipefail
source "$(dirname "$0")/lib.sh"

program_source=$1
disc=$2
base=$(cd "$3" && pwd)
artifacts=${4:-$(dirname "$program_source")/../test-artifacts}
mkdir -p "$artifacts"

skip_unless_installed xvfb-run xdotool import convert pulseaudio pactl python3
if [ ! -d "$base/big_pict" ]; then
  echo "SKIP: no generated sample media in $base"
  exit 77
fi

if [ -z "${IN_XVFB:-}" ]; then
  IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb
export QTWEBENGINE_DISABLE_SANDBOX=1
start_sink_or_skip

title="Pemmaro - Birds of the Solvara Region 1.0"
work=$(new_program_folder "$program_source")
printf '[GENERAL]\r\nBase Directory=%s/\r\nJust Installed=No\r\nShow Picture at Startup=No\r\n' \
  "$base" > "$work/Pemmaro.ini"
(cd "$disc" && exec "$work/pemmaro" 2>> "$work/stderr") &
pid=$!

window_gone() {
  ! xdotool search --onlyvisible --name "$1" > /dev/null 2>&1
}

# The first point (x y, within the rectangle) where a horizontal run of at
# least RUN pixels of the colour starts, read from the screen; empty when none.
find_colour() { # X Y WIDTH HEIGHT RRGGBB RUN
  import -window root -crop "$3x$4+$1+$2" +repage "$work/find.png"
  convert "$work/find.png" -depth 8 "ppm:$work/find.ppm"
  python3 - "$work/find.ppm" "$5" "$6" << 'PY'
import sys
data = open(sys.argv[1], "rb").read()
fields, start = [], 0
while len(fields) < 4:
    end = data.index(b"\n", start)
    fields += data[start:end].split()
    start = end + 1
width, height, pixels = int(fields[1]), int(fields[2]), data[start:]
colour, run = bytes.fromhex(sys.argv[2]), int(sys.argv[3])
for y in range(height):
    row = pixels[3 * width * y:3 * width * (y + 1)]
    count = 0
    for x in range(width):
        count = count + 1 if row[3 * x:3 * x + 3] == colour else 0
        if count == run:
            print(x - run + 1, y)
            sys.exit(0)
PY
}

# How many different colours the rectangle of the screen shows.
colour_count() { # FILE X Y WIDTH HEIGHT
  import -window root -crop "$4x$5+$2+$3" +repage "$1"
  convert "$1" -format %k info:
}

main=$(wait_for_window "^$title\$" 30 visible)
if [ -z "$main" ]; then
  fail "no window titled '$title' appeared"
  sed 's/^/    /' "$work/stderr" >&2
  finish
fi
sleep 1

start_case "the first species' pictures mark opens its first photograph"
keys "$main" Return
sleep 0.5
geometry_of "$main"
# The camera's lens in the pictures mark (drawn ANDed onto the white display).
read -r lens_x lens_y <<< "$(find_colour "$X" "$Y" "$WIDTH" "$HEIGHT" 80c0ff 2)"
pictures=""
if [ -z "${lens_x:-}" ]; then
  fail "no pictures mark on the display"
  import -window root "$artifacts/big_pictures_display.png" || true
else
  echo "    pictures mark at $lens_x,$lens_y"
  click_at $((X + lens_x)) $((Y + lens_y))
  pictures=$(wait_for_window "Dendrocygna javanica.*D\\. Mervaine" 10 visible)
fi
if [ -z "$pictures" ]; then
  fail "no big picture window with the first photograph"
  for window in $(xdotool search --onlyvisible --name . 2> /dev/null); do
    echo "    window: $(xdotool getwindowname "$window")" >&2
  done
  import -window root "$artifacts/big_pictures_display.png" || true
  sed 's/^/    /' "$work/stderr" >&2
else
  sleep 1
  geometry_of "$pictures"
  echo "    picture window at ${X},${Y}, ${WIDTH}x${HEIGHT}"
  colours=$(colour_count "$work/first.png" "$X" "$Y" "$WIDTH" "$HEIGHT")
  cp "$work/first.png" "$artifacts/big_pictures_first.png"
  import -window root "$artifacts/big_pictures_screen.png" || true
  [ "$colours" -gt 1000 ] || fail "the window shows $colours colours, not a photograph"
  # The full-size photograph is fitted to the screen, not cut off.
  [ "$WIDTH" -le 1280 ] && [ "$HEIGHT" -le 1024 ] || fail "the window is larger than the screen"

  start_case "Right shows the next photograph"
  keys "$pictures" Right
  next=$(wait_for_window "Dendrocygna javanica.*N\\. Tavrinen" 5 visible)
  [ -n "$next" ] || fail "Right did not show the second photograph"
  import -window root "$artifacts/big_pictures_next.png" || true

  start_case "the information's locality opens the map"
  keys "$pictures" ctrl+i
  sleep 0.5
  geometry_of "$pictures"
  read -r link_x link_y <<< "$(find_colour "$X" "$Y" "$WIDTH" "$HEIGHT" 00ff00 10)"
  if [ -z "${link_x:-}" ]; then
    fail "no underlined locality in the information window"
  else
    import -window root "$artifacts/big_pictures_information.png" || true
    click_at $((X + link_x + 3)) $((Y + link_y - 3))
    map=$(wait_for_window "Whistling Duck.*\\), " 10 visible)
    if [ -z "$map" ]; then
      fail "no map window from the locality"
    else
      sleep 1
      import -window root "$artifacts/big_pictures_map.png" || true
      keys "$pictures" Escape
      wait_until 5 window_gone "Whistling Duck.*\\), " \
        || fail "closing the information did not close its map"
    fi
  fi
  keys "$pictures" Escape
  wait_until 5 window_gone "Dendrocygna javanica.*Tavrinen" || fail "Escape did not close the window"
fi

kill -TERM "$pid"
wait_for_exit "$pid" 20
expect_equal "$exit_status" 0 "exit code"
finish
