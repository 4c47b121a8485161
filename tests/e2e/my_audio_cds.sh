#!/usr/bin/env bash
# End to end: the real program in Xvfb. The user unfolds the first barbet,
# whose recordings are on audio CD 2, unchecks CD 2 in My Audio CDs and
# unfolds the bird again: its recordings are gone from the display (the two
# pictures of the display differ, and the window saves the owned set as CD 1
# alone). Screenshots go to the test artifacts.
# Usage: my_audio_cds.sh PROGRAM SAMPLE_DISC SAMPLE_BASE [ARTIFACT_FOLDER]
set -euo pipefail
source "$(dirname "$0")/lib.sh"

program_source=$1
disc=$2
base=$3
artifacts=${4:-$(dirname "$program_source")/../test-artifacts}
mkdir -p "$artifacts"

skip_unless_installed xvfb-run xdotool import compare pulseaudio pactl

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

setting() { # SECTION KEY
  awk -v section="[$1]" -v key="$2" '
    { sub(/\r$/, "") }
    /^\[/ { in_section = ($0 == section); next }
    in_section && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }' \
    "$work/Pemmaro.ini"
}

# From the folded display: down to the ninth family (the barbets), unfold it,
# down to its first bird and unfold that.
unfold_first_barbet() {
  keys "$1" ctrl+Home Down Down Down Down Down Down Down Down Return Down Return
  sleep 0.5
}

start_case "My Audio CDs: unchecking CD 2 hides its recordings"
main=$(wait_for_window "^$title\$" 30)
if [ -z "$main" ]; then
  fail "no window titled '$title' appeared"
  sed 's/^/    /' "$work/stderr" >&2
  finish
fi
sleep 1
unfold_first_barbet "$main"
import -window root "$artifacts/my_audio_cds_before.png" || fail "no screenshot"

keys "$main" alt+f a
dialog=$(wait_for_window "^My Audio CDs\$" 10)
if [ -z "$dialog" ]; then
  fail "the My Audio CDs dialog did not open"
else
  keys "$dialog" alt+2
  import -window root "$artifacts/my_audio_cds_dialog.png" || fail "no screenshot"
  keys "$dialog" Return
  sleep 0.5
  [ -z "$(xdotool search --onlyvisible --name '^My Audio CDs$' 2> /dev/null || true)" ] ||
    fail "the dialog stayed open"
fi
unfold_first_barbet "$main"
import -window root "$artifacts/my_audio_cds_after.png" || fail "no screenshot"
differing=$(compare -metric AE "$artifacts/my_audio_cds_before.png" \
  "$artifacts/my_audio_cds_after.png" null: 2>&1 || true)
echo "    $differing pixels differ"
[ "${differing%% *}" -gt 1000 ] 2> /dev/null || fail "the display did not change ($differing)"

kill -TERM "$pid"
wait_for_exit "$pid" 20
expect_equal "$exit_status" 0 "exit code"
expect_equal "$(setting "WINDOW 1" "Used Audio CDs")" 1 "Used Audio CDs"

finish
