#!/usr/bin/env bash
# End to end: the sonogram pane in the real program under Xvfb with a
# PulseAudio null sink. The first recording of the first species is opened in
# the pane from the Sound menu and played (the sound must reach the sink);
# two screenshots of the pane taken while it plays differ only in a narrow
# strip around the cursor; a click on the pane moves the playback there.
# Usage: sonogram_pane.sh PROGRAM SAMPLE_DISC SAMPLE_BASE [ARTIFACT_FOLDER]
set -euo pipefail
source "$(dirname "$0")/lib.sh"

program_source=$1
disc=$2
base=$3
artifacts=${4:-$(dirname "$program_source")/../test-artifacts}
mkdir -p "$artifacts"

skip_unless_installed xvfb-run xdotool xwininfo import convert parec pulseaudio pactl python3
if [ ! -d "$base/tapes" ]; then
  echo "SKIP: no generated sample media in $base"
  exit 77
fi

if [ -z "${IN_XVFB:-}" ]; then
  IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb
start_sink_or_skip

title="Pemmaro - Birds of the Solvara Region 1.0"
work=$(new_program_folder "$program_source")
printf '[GENERAL]\r\nBase Directory=%s/\r\nJust Installed=No\r\nShow Picture at Startup=No\r\n' \
  "$base" > "$work/Pemmaro.ini"

(cd "$disc" && exec "$work/pemmaro" 2>> "$work/stderr") &
pid=$!

# The bounding box (W H X Y) of the pixels that differ between two pictures;
# empty when none do.
difference_box() {
  local box
  box=$(convert "$1" "$2" -compose difference -composite -threshold 0 -trim \
    -format '%w %h %X %Y' info: 2> /dev/null || true)
  # An empty difference trims to a 1x1 page with a negative offset.
  case "$box" in *-*) box="" ;; esac
  echo "$box"
}

# The x positions of the cursor's colour on row y of a screenshot.
cursor_columns() {
  convert "$1" -crop "x1+0+$2" +repage txt:- 2> /dev/null |
    awk -F'[,:]' '/#FF3030/ { print $1 }'
}

start_case "the Sound menu opens the pane on the current recording, which plays with it"
main=$(wait_for_window "^${title}\$" 30)
if [ -z "$main" ]; then
  fail "no window titled '$title' appeared"
  sed 's/^/    /' "$work/stderr" >&2
  finish
fi
sleep 1
keys "$main" Return Down Return Down alt+u g
pane=$(wait_for_window "^Sonogram - " 10)
if [ -z "$pane" ]; then
  import -window root "$artifacts/sonogram_pane_missing.png" || true
  fail "no sonogram window appeared"
  sed 's/^/    /' "$work/stderr" >&2
  finish
fi
# The pane over the right part of the screen, the browsing window left of it.
xdotool windowmove "$pane" 360 560
xdotool windowsize "$pane" 900 320
sleep 1
echo "    $(xdotool getwindowname "$pane")"
start_recorder "$work/capture.raw"
keys "$main" space
sleep 1.2
import -window root "$artifacts/sonogram_pane_playing.png" || fail "no screenshot"
import -window "$pane" "$work/first.png"
sleep 0.4
import -window "$pane" "$work/second.png"
cp "$work/first.png" "$artifacts/sonogram_pane_first.png"
cp "$work/second.png" "$artifacts/sonogram_pane_second.png"
start_case "the cursor moves and nothing else changes"
read -r width height x y <<< "$(difference_box "$work/first.png" "$work/second.png")"
echo "    difference ${width:-none}x${height:-} at ${x:-}+${y:-}"
if [ -z "${width:-}" ]; then
  fail "the two screenshots are the same: the cursor did not move"
else
  [ "$width" -le 60 ] || fail "the pictures differ over $width pixels, beyond the cursor's strip"
  row=$((y + height / 2))
  before=$(cursor_columns "$work/first.png" "$row" | head -n 1)
  after=$(cursor_columns "$work/second.png" "$row" | head -n 1)
  echo "    cursor at x=$before, then x=$after"
  [ -n "$before" ] && [ -n "$after" ] && [ "$after" -gt "$before" ] ||
    fail "no cursor moving to the right within the difference"
  [ -n "$before" ] && [ "$before" -ge "$x" ] && [ "$after" -lt $((x + width)) ] ||
    fail "the difference is not around the cursor"
fi

start_case "a click on the pane seeks there"
target=700
xdotool mousemove --window "$pane" "$target" 200 click 1
sleep 0.3
import -window "$pane" "$work/clicked.png"
cp "$work/clicked.png" "$artifacts/sonogram_pane_clicked.png"
at=$(cursor_columns "$work/clicked.png" 200 | head -n 1)
echo "    clicked at x=$target, cursor at x=${at:-none}"
[ -n "$at" ] && [ "$at" -ge $((target - 2)) ] && [ "$at" -le $((target + 60)) ] ||
  fail "the cursor is not at the clicked point"
# Under the null sink a new stream may wait up to the length of the sound
# the last one left in the sink (about 2 s) before it moves on.
later=""
deadline=$((SECONDS + 5))
while [ $SECONDS -lt $deadline ]; do
  sleep 0.5
  import -window "$pane" "$work/later.png"
  later=$(cursor_columns "$work/later.png" 200 | head -n 1)
  [ -n "$later" ] && [ -n "$at" ] && [ "$later" -gt "$at" ] && break
done
cp "$work/later.png" "$artifacts/sonogram_pane_later.png"
echo "    then at x=${later:-none}"
[ -n "$later" ] && [ -n "$at" ] && [ "$later" -gt "$at" ] || fail "playing did not go on from the click"

stop_recorder
peak=$(python3 -c "
import struct, sys
d = open('$work/capture.raw', 'rb').read()
s = struct.unpack('<%dh' % (len(d) // 2), d[:len(d) // 2 * 2])
print(max((abs(x) for x in s), default=0))")
echo "    sound captured while the pane was open: peak $peak"
[ "$peak" -ge 1000 ] || fail "no sound reached the sink (peak $peak)"

kill -TERM "$pid"
wait_for_exit "$pid" 20
expect_equal "$exit_status" 0 "exit code"
finish
