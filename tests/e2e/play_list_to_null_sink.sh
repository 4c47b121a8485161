#!/usr/bin/env bash
# End to end: the real program in Xvfb with a PulseAudio null sink. It opens
# the play list window, drags the sound bars of two recordings of the first
# species onto its grid with the mouse, saves the list through the save
# dialog, plays it, and checks at the sink that both recordings played, the
# first one first. The saved file must hold both records in that order.
# Usage: play_list_to_null_sink.sh PROGRAM SAMPLE_DISC SAMPLE_BASE [ARTIFACT_FOLDER]
set -euo pipefail
source "$(dirname "$0")/lib.sh"

program_source=$1
disc=$2
base=$(cd "$3" && pwd)
artifacts=${4:-$(dirname "$program_source")/../test-artifacts}
mkdir -p "$artifacts"

skip_unless_installed xvfb-run xdotool import convert parec pulseaudio pactl python3 sox
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
# The browsing window on the left, so that the play list goes beside it.
printf '[GENERAL]\r\nBase Directory=%s/\r\nJust Installed=No\r\nShow Picture at Startup=No\r\n[WINDOW 1]\r\nCoord=0,0,700,980\r\nMaximized=No\r\n' \
  "$base" > "$work/Pemmaro.ini"
list_file="$work/lists/calls.pl"
mkdir -p "$work/lists"

(cd "$disc" && exec "$work/pemmaro" 2>> "$work/stderr") &
pid=$!

# The top-left corners ("x y" lines) of the play buttons of sound bars that
# are not playing and have no focus, found by their black triangle.
find_sound_bars() {
  import -window root -depth 8 "rgb:$work/screen.rgb"
  python3 - "$work/screen.rgb" 1280 1024 << 'PY'
import sys
path, width, height = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
data = open(path, "rb").read()
black = b"\0\0\0"
def is_black(x, y):
    i = (y * width + x) * 3
    return data[i:i + 3] == black
# Rows of the triangle below its tip: how many black pixels from its left edge.
shape = [1, 3, 4, 5, 5, 4, 3, 1]
for y in range(height - len(shape)):
    row = data[y * width * 3:(y + 1) * width * 3]
    start = 0
    while True:
        i = row.find(black, start)
        if i < 0:
            break
        start = i + 1
        if i % 3:
            continue
        x = i // 3
        if x < 1 or x + 7 >= width or is_black(x - 1, y) or is_black(x, y - 1):
            continue
        if all(all(is_black(x + k, y + r) for k in range(n)) and not is_black(x + n, y + r)
               and not is_black(x - 1, y + r) for r, n in enumerate(shape)) \
                and not is_black(x, y + len(shape)):
            print(x, y)
PY
}

# Drags from one point to another with the left button, in small steps as a hand would.
drag() {
  local from_x=$1 from_y=$2 to_x=$3 to_y=$4 step
  xdotool mousemove --sync "$from_x" "$from_y"
  sleep 0.2
  xdotool mousedown 1
  sleep 0.2
  for step in 1 2 3 4 5 6 7 8 9 10; do
    xdotool mousemove $((from_x + (to_x - from_x) * step / 10)) $((from_y + (to_y - from_y) * step / 10))
    sleep 0.1
  done
  sleep 0.3
  xdotool mouseup 1
  sleep 0.5
}

start_case "drag two sound bars onto the play list"
main=$(wait_for_window "^$title\$" 30)
if [ -z "$main" ]; then
  fail "no window titled '$title' appeared"
  sed 's/^/    /' "$work/stderr" >&2
  finish
fi
sleep 1
# The first family, then its first species with its recordings.
keys "$main" Return Down Return
keys "$main" alt+f p
play_list=$(wait_for_window "^Play List: Untitled\$" 10)
[ -n "$play_list" ] || { fail "the play list window did not open"; finish; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$play_list")"
echo "    play list window at ${X},${Y} ${WIDTH}x${HEIGHT}"
mapfile -t bars < <(find_sound_bars)
echo "    sound bars at: ${bars[*]}"
import -window root "$artifacts/play_list_before_drag.png" || true
[ "${#bars[@]}" -ge 2 ] || { fail "fewer than two sound bars on the screen"; finish; }
# Onto the grid, in the lower part of the window.
target_x=$((X + WIDTH / 2))
target_y=$((Y + HEIGHT - 40))
for bar in "${bars[0]}" "${bars[1]}"; do
  read -r bx by <<< "$bar"
  # The scroll bar begins just right of the 16-pixel button.
  drag $((bx + 30)) $((by + 4)) "$target_x" "$target_y"
done
import -window root "$artifacts/play_list_after_drag.png" || true

start_case "save the list through the save dialog"
keys "$play_list" ctrl+s
dialog=$(wait_for_window "^Save As\$" 10)
[ -n "$dialog" ] || fail "no save dialog"
if [ -n "$dialog" ]; then
  sleep 0.5
  xdotool windowfocus --sync "$dialog" 2> /dev/null || true
  xdotool type --delay 20 "${list_file%.pl}"
  sleep 0.3
  xdotool key Return
fi
wait_until 10 test -s "$list_file" || fail "no file '$list_file'"
[ -n "$(wait_for_window "^Play List: calls\$" 5)" ] || fail "the window is not named after the file"
sed 's/^/    /' "$list_file"
records=$(tr -d '\r' < "$list_file" | sed -n 's/^R[0-9]*=//p')
[ "$(wc -l <<< "$records")" -eq 2 ] || fail "the file holds not two records"

# The sound file of a record (species, code, times): tape, side, cut, sub letter.
source_of() {
  python3 - "$base/tapes" "$1" << 'PY'
import os, re, sys
tapes, record = sys.argv[1], sys.argv[2]
code = record.split(",")[1]
tape, side, cut, sub = int(code[0:5]), code[5], int(code[6:10]), code[10].strip()
folder = os.path.join(tapes, "%02d" % tape)
pattern = re.compile(r"^%s%02d%s(_.*)?\.wav$" % (side, cut, re.escape(sub)), re.IGNORECASE)
print(next(os.path.join(folder, f) for f in sorted(os.listdir(folder)) if pattern.match(f)))
PY
}
first_source=$(source_of "$(sed -n 1p <<< "$records")")
second_source=$(source_of "$(sed -n 2p <<< "$records")")
echo "    sources: $first_source, $second_source"
[ "$first_source" != "$second_source" ] || fail "both records name one recording"

start_case "play the list: both recordings reach the sink in order"
for source in "$first_source" "$second_source"; do
  sox "$source" -r 44100 -c 1 -b 16 -e signed-integer -t raw "$work/$(basename "$source").raw"
done
first_length=$(soxi -D "$first_source")
second_length=$(soxi -D "$second_source")
start_recorder "$work/capture.raw"
keys "$play_list" alt+p
sleep 2
import -window root "$artifacts/play_list_playing.png" || true
# Both recordings and the second's pause before it, then the sink falls silent.
sleep "$(python3 -c "print(round($first_length + $second_length + 1))")"
settle_recorder "$work/capture.raw"
stop_recorder
python3 - "$work/capture.raw" "$work/$(basename "$first_source").raw" \
  "$work/$(basename "$second_source").raw" "$first_length" << 'PY' > "$work/order" || fail "the recordings did not play in order"
import array, math, sys
frame = 2205  # 50 ms at 44.1 kHz

def envelope(path):
    samples = array.array("h")
    data = open(path, "rb").read()
    samples.frombytes(data[: len(data) // 2 * 2])
    if sys.byteorder == "big":
        samples.byteswap()
    return [math.sqrt(sum(s * s for s in samples[i:i + frame]) / frame)
            for i in range(0, len(samples) - frame + 1, frame)]

def best_place(capture, source):
    """The offset (frames) where the source's envelope fits the capture best, and how well."""
    best = (-1.0, 0)
    n = len(source)
    mean_s = sum(source) / n
    ds = [v - mean_s for v in source]
    norm_s = math.sqrt(sum(v * v for v in ds)) or 1.0
    for offset in range(0, len(capture) - n + 1):
        window = capture[offset:offset + n]
        mean_w = sum(window) / n
        dw = [v - mean_w for v in window]
        norm_w = math.sqrt(sum(v * v for v in dw)) or 1.0
        best = max(best, (sum(a * b for a, b in zip(ds, dw)) / (norm_s * norm_w), offset))
    return best

capture = envelope(sys.argv[1])
(first_fit, first_at), (second_fit, second_at) = (best_place(capture, envelope(p)) for p in sys.argv[2:4])
print("first at %.2f s (fit %.2f), second at %.2f s (fit %.2f), capture %.1f s"
      % (first_at * 0.05, first_fit, second_at * 0.05, second_fit, len(capture) * 0.05))
# The second follows the first after the second of silence between recordings.
gap = (second_at - first_at) * 0.05 - float(sys.argv[4])
print("the second began %.2f s after the end of the first" % gap)
sys.exit(0 if first_fit > 0.8 and second_fit > 0.8 and 0.3 < gap < 1.8 else 1)
PY
sed 's/^/    /' "$work/order"

start_case "SIGTERM ends the program with the list saved"
kill -TERM "$pid"
wait_for_exit "$pid" 20
expect_equal "$exit_status" 0 "exit code"
# A key of section PLAYLISTS of the settings file.
setting() {
  awk -v key="$1" '
    { sub(/\r$/, "") }
    /^\[/ { in_section = ($0 == "[PLAYLISTS]"); next }
    in_section && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }' \
    "$work/Pemmaro.ini"
}
expect_equal "$(setting Current)" "$list_file" "the current play list in the settings"
expect_equal "$(setting "Open at Startup")" "Yes" "Open at Startup"
coord=$(setting Coord)

start_case "the next start opens the list where it was"
(cd "$disc" && exec "$work/pemmaro" 2>> "$work/stderr") &
pid=$!
play_list=$(wait_for_window "^Play List: calls\$" 30)
if [ -n "$play_list" ]; then
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$play_list")"
  expect_equal "$X,$Y,$((X + WIDTH)),$((Y + HEIGHT))" "$coord" "the play list window's rectangle"
else
  fail "the play list window did not open with its list"
fi
kill -TERM "$pid"
wait_for_exit "$pid" 20
finish
