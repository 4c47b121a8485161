#!/usr/bin/env bash
# End to end: the real program in Xvfb on the sample disc. The introduction
# window comes up after start-up and a key closes it; clicking a recordist on
# the display opens the person pop-up and a key closes it; About opens from
# the Help menu and Escape closes it. Screenshots go to the test artifacts.
# Usage: dialogs_and_popups.sh PROGRAM SAMPLE_DISC SAMPLE_BASE [ARTIFACT_FOLDER]
set -euo pipefail
source "$(dirname "$0")/lib.sh"

program_source=$1
disc=$2
base=$3
artifacts=${4:-$(dirname "$program_source")/../test-artifacts}
mkdir -p "$artifacts"

skip_unless_installed xvfb-run xdotool import convert python3 pulseaudio pactl
if [ -z "${IN_XVFB:-}" ]; then
  IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb
# Without a sound server a message box would come before the windows.
start_sink_or_skip

title="Pemmaro - Birds of the Solvara Region 1.0"
intro_title="Sounds, photographs and maps of the birds of the Solvara region"
about_title="Pemmaro - Birds of the Solvara Region - About"
# The recordist of the sample disc's first recording (Lesser Whistling Duck).
recordist="T. Brannick"

work=$(new_program_folder "$program_source")
printf '[GENERAL]\r\nBase Directory=%s/\r\nJust Installed=No\r\n' "$base" > "$work/Pemmaro.ini"
(cd "$disc" && exec "$work/pemmaro" 2>> "$work/stderr") &
pid=$!

shown_window() { # NAME: the id of a mapped window with exactly this name
  xdotool search --onlyvisible --name "^${1}\$" 2> /dev/null | head -n 1
}
window_shown() { [ -n "$(shown_window "$1")" ]; }
window_gone() { ! window_shown "$1"; }

focus() {
  xdotool windowfocus --sync "$1" 2> /dev/null || xdotool windowfocus "$1"
}

# The link underlines on screen: "x y" of each run of link-green pixels, top down.
link_underlines() {
  convert "$1" ppm:- | python3 -c '
import sys
data = sys.stdin.buffer.read()
fields, pos = [], 0
while len(fields) < 4:
    while data[pos:pos + 1].isspace(): pos += 1
    if data[pos:pos + 1] == b"#":
        pos = data.index(b"\n", pos); continue
    end = pos
    while not data[end:end + 1].isspace(): end += 1
    fields.append(data[pos:end]); pos = end
pos += 1
width, height = int(fields[1]), int(fields[2])
pixels = data[pos:]
for y in range(height):
    row = pixels[y * width * 3:(y + 1) * width * 3]
    x = 0
    while x < width:
        r, g, b = row[3 * x], row[3 * x + 1], row[3 * x + 2]
        if r < 16 and g >= 240 and b < 16:
            start = x
            while x < width and row[3 * x] < 16 and row[3 * x + 1] >= 240 and row[3 * x + 2] < 16:
                x += 1
            if x - start >= 8:
                print(start + 3, y)
        x += 1
'
}

start_case "the introduction window shows after start-up"
if wait_until 30 window_shown "$intro_title"; then
  sleep 0.5
  import -window root "$artifacts/dialogs_intro.png" || fail "no screenshot"
  focus "$(shown_window "$intro_title")"
  xdotool key --clearmodifiers space
  wait_until 5 window_gone "$intro_title" || fail "a key did not close the introduction window"
else
  fail "no introduction window appeared"
  sed 's/^/    /' "$work/stderr" >&2
fi

start_case "clicking a recordist opens the person window"
main=$(shown_window "$title")
[ -n "$main" ] || { fail "no main window"; finish; }
focus "$main"
# Unfold the first family and its first species, then the details of its
# first recording, where the recordist's name is a link.
for key in Return Down Return Down Down Return; do
  xdotool key --clearmodifiers "$key"
  sleep 0.3
done
sleep 0.5
import -window root "$work/details.png"
opened=""
while read -r x y; do
  xdotool mousemove "$x" $((y - 4)) click 1
  if wait_until 1 window_shown "$recordist"; then
    opened=1
    break
  fi
done < <(link_underlines "$work/details.png")
if [ -n "$opened" ]; then
  import -window root "$artifacts/dialogs_recordist.png" || fail "no screenshot"
  focus "$main"
  xdotool key --clearmodifiers Up
  wait_until 5 window_gone "$recordist" || fail "a key did not close the person window"
else
  fail "no person window named '$recordist' after clicking the links"
  cp "$work/details.png" "$artifacts/dialogs_recordist_not_found.png"
fi

start_case "About opens from the Help menu and closes"
focus "$main"
xdotool key --clearmodifiers alt+h
sleep 0.3
xdotool key --clearmodifiers a
if wait_until 10 window_shown "$about_title"; then
  sleep 0.5
  import -window root "$artifacts/dialogs_about.png" || fail "no screenshot"
  focus "$(shown_window "$about_title")"
  xdotool key --clearmodifiers Escape
  wait_until 5 window_gone "$about_title" || fail "Escape did not close the about window"
else
  fail "no window titled '$about_title' appeared"
fi

start_case "the settings keep the intro choice and the text size"
kill -TERM "$pid"
wait_for_exit "$pid" 20
expect_equal "$exit_status" 0 "exit code"
expect_contains "$work/Pemmaro.ini" "Show Picture at Startup=Yes"
expect_contains "$work/Pemmaro.ini" "Text Size=15"

finish
