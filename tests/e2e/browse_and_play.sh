#!/usr/bin/env bash
# End to end: the real program in Xvfb with a PulseAudio null sink, driven by
# keys. It unfolds the first family and its first species, plays the species'
# first recording (the sound must reach the sink), opens a second window, is
# ended with SIGTERM and started again: both windows must come back, and the
# settings must hold the unfolded family.
# Usage: browse_and_play.sh PROGRAM SAMPLE_DISC SAMPLE_BASE [ARTIFACT_FOLDER]
set -euo pipefail
source "$(dirname "$0")/lib.sh"

program_source=$1
disc=$2
base=$3
artifacts=${4:-$(dirname "$program_source")/../test-artifacts}
mkdir -p "$artifacts"

skip_unless_installed xvfb-run xdotool xwininfo import parec pulseaudio pactl python3
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
# No introduction window over the screenshots.
printf '[GENERAL]\r\nBase Directory=%s/\r\nJust Installed=No\r\nShow Picture at Startup=No\r\n' \
  "$base" > "$work/Pemmaro.ini"

start_program() {
  (cd "$disc" && exec "$work/pemmaro" 2>> "$work/stderr") &
  pid=$!
}

# "loud seconds" and the peak of a raw 16-bit mono capture at 44100 Hz.
measure() {
  python3 - "$1" << 'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
samples = struct.unpack("<%dh" % (len(data) // 2), data[: len(data) // 2 * 2])
window = 441
loud = sum(1 for i in range(0, len(samples) - window, window)
           if max(abs(s) for s in samples[i:i + window]) > 300)
print("%.2f %d" % (loud * window / 44100, max((abs(s) for s in samples), default=0)))
PY
}

setting_of_window() { # SECTION KEY
  awk -v section="[$1]" -v key="$2" '
    { sub(/\r$/, "") }
    /^\[/ { in_section = ($0 == section); next }
    in_section && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }' \
    "$work/Pemmaro.ini"
}

start_case "unfold a family and a species, play a recording"
start_program
main=$(wait_for_window "^$title\$" 30)
if [ -z "$main" ]; then
  fail "no window titled '$title' appeared"
  sed 's/^/    /' "$work/stderr" >&2
  finish
fi
sleep 1 # the first paint
# Enter unfolds the current family, Down goes to its first species, Enter
# unfolds it, Down lands on its first recording's sound bar.
keys "$main" Return Down Return Down
sleep 0.5
import -window root "$artifacts/browse_and_play_unfolded.png" || fail "no screenshot"
start_recorder "$work/capture.raw"
keys "$main" space
sleep 2.5
import -window root "$artifacts/browse_and_play_playing.png" || fail "no screenshot"
stop_recorder
read -r loud peak <<< "$(measure "$work/capture.raw")"
echo "    captured ${loud} s of sound, peak ${peak}"
python3 -c "import sys; sys.exit(0 if $loud >= 0.5 and $peak >= 1000 else 1)" ||
  fail "no sound reached the sink (${loud} s, peak ${peak})"
keys "$main" space # pause again

start_case "a second window through the File menu"
keys "$main" alt+f n
second=$(wait_for_window "^$title : 1\$" 10)
[ -n "$second" ] || fail "no window titled '$title : 1' appeared"
sleep 0.5
import -window root "$artifacts/browse_and_play_two_windows.png" || fail "no screenshot"

start_case "SIGTERM writes every window's state"
kill -TERM "$pid"
wait_for_exit "$pid" 20
expect_equal "$exit_status" 0 "exit code"
expect_equal "$(setting_of_window GENERAL Windows)" 2 "Windows"
visible=$(setting_of_window "WINDOW 1" Visible)
echo "    WINDOW 1 Visible=$visible"
# Family 1 is listed among the unfolded families (after the four positions).
echo "$visible" | tr ',' '\n' | tail -n +5 | grep -qx 1 ||
  fail "WINDOW 1 Visible='$visible' does not list family 1 as unfolded"
visible2=$(setting_of_window "WINDOW 2" Visible)
echo "$visible2" | tr ',' '\n' | tail -n +5 | grep -qx 1 ||
  fail "WINDOW 2 Visible='$visible2' does not list family 1 (New Window copies the folds)"

start_case "the next start restores both windows"
start_program
main=$(wait_for_window "^$title\$" 30)
second=$(wait_for_window "^$title : 1\$" 10)
[ -n "$main" ] || fail "the main window did not come back"
[ -n "$second" ] || fail "the second window did not come back"
tree=$(xwininfo -root -tree)
for name in "\"$title\"" "\"$title : 1\""; do
  count=$(grep -cF -- "$name" <<< "$tree" || true)
  [ "$count" -ge 1 ] || fail "xwininfo lists no window $name"
done
[ "$(grep -cF -- "\"$title : 2\"" <<< "$tree" || true)" -eq 0 ] || fail "a third window appeared"
sleep 1
import -window root "$artifacts/browse_and_play_restored.png" || fail "no screenshot"
kill -TERM "$pid"
wait_for_exit "$pid" 20
expect_equal "$exit_status" 0 "exit code after the restart"
expect_equal "$(setting_of_window GENERAL Windows)" 2 "Windows after the restart"
expect_equal "$(setting_of_window "WINDOW 1" Visible)" "$visible" "WINDOW 1 Visible after the restart"

finish
