#!/usr/bin/env bash
# End to end: the real program in Xvfb with a PulseAudio null sink. Show! with
# "Sounds Only" opens a window of its own that plays random recordings on its
# sound bars; the sound reaches the sink, Escape ends the show, and the What
# Was That window of the browsing window lists what was played.
# Usage: sounds_show_to_null_sink.sh PROGRAM SAMPLE_DISC SAMPLE_BASE [ARTIFACT_FOLDER]
set -euo pipefail
source "$(dirname "$0")/lib.sh"

program_source=$1
disc=$2
base=$(cd "$3" && pwd)
artifacts=${4:-$(dirname "$program_source")/../test-artifacts}
mkdir -p "$artifacts"

skip_unless_installed xvfb-run xdotool import parec pulseaudio pactl python3
python3 -c "import tkinter" 2> /dev/null || { echo "SKIP: python3 has no tkinter"; exit 77; }
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
printf '[GENERAL]\r\nBase Directory=%s/\r\nJust Installed=No\r\nShow Picture at Startup=No\r\n[WINDOW 1]\r\nCoord=0,0,700,980\r\nMaximized=No\r\n[SLIDES AND SOUNDS SHOW]\r\nShow Type=Sounds Only\r\nSeconds between Sounds=1\r\n' \
  "$base" > "$work/Pemmaro.ini"

(cd "$disc" && exec "$work/pemmaro" 2>> "$work/stderr") &
pid=$!

window_gone() {
  [ -z "$(xdotool search --onlyvisible --name "^$1\$" 2> /dev/null || true)" ]
}

start_case "Show! with Sounds Only opens a window that plays recordings"
main=$(wait_for_window "^$title\$" 30 visible)
if [ -z "$main" ]; then
  fail "no window titled '$title' appeared"
  sed 's/^/    /' "$work/stderr" >&2
  finish
fi
sleep 1
start_recorder "$work/capture.raw"
keys "$main" alt+f s
dialog=$(wait_for_window "^Slides and Sounds Show\$" 10 visible)
[ -n "$dialog" ] || { fail "the show settings dialog did not open"; finish; }
import -window root "$artifacts/sounds_show_dialog.png" || true
keys "$dialog" Return
show=$(wait_for_window "^Playing Recordings\$" 10 visible)
[ -n "$show" ] || { fail "no show window"; finish; }
sleep 12
xdotool getwindowgeometry "$show" | sed 's/^/    /'
import -window root "$artifacts/sounds_show_playing.png" || true
import -window "$show" "$artifacts/sounds_show_window.png" || true

start_case "Escape ends the show"
keys "$show" Escape
wait_until 5 window_gone "Playing Recordings" || fail "the show window stayed"
settle_recorder "$work/capture.raw"
stop_recorder
python3 - "$work/capture.raw" << 'PY' > "$work/loudness" || fail "no recording reached the sink"
import array, math, sys
frame = 2205  # 50 ms at 44.1 kHz
samples = array.array("h")
data = open(sys.argv[1], "rb").read()
samples.frombytes(data[: len(data) // 2 * 2])
if sys.byteorder == "big":
    samples.byteswap()
loud = sum(1 for i in range(0, len(samples) - frame + 1, frame)
           if math.sqrt(sum(s * s for s in samples[i:i + frame]) / frame) > 300)
print("%.1f s of sound in %.1f s captured" % (loud * 0.05, len(samples) / 44100))
sys.exit(0 if loud * 0.05 >= 1.0 else 1)
PY
sed 's/^/    /' "$work/loudness"

start_case "What Was That lists the recordings played"
keys "$main" alt+f w
list=$(wait_for_window "^Pictures and Recordings Shown\$" 10 visible)
[ -n "$list" ] || { fail "the What Was That window did not open"; finish; }
import -window root "$artifacts/sounds_show_what_was_that.png" || true
keys "$list" ctrl+c
python3 -c "import tkinter; t = tkinter.Tk(); t.withdraw(); print(t.clipboard_get())" \
  > "$work/log" 2> "$work/clipboard_error" || fail "the clipboard could not be read"
sed 's/^/    /' "$work/log"
expect_contains "$work/log" "1: Recording: "
# Each line names its species and the recording's number.
grep -qvE '^[0-9]+: Recording: .+ \([0-9]+\)$' "$work/log" && fail "a line of another form"

start_case "the program ends"
kill -TERM "$pid"
wait_for_exit "$pid" 20
expect_equal "$exit_status" 0 "exit code"
finish
