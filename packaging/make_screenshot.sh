#!/usr/bin/env bash
# Takes the metadata's screenshot from the real program: the built program on
# the sample disc under Xvfb, its main window once painted. Run by hand after
# a visible change: packaging/make_screenshot.sh build/bin/pemmaro
set -euo pipefail
source "$(dirname "$0")/../tests/e2e/lib.sh"
here=$(dirname "$(realpath "$0")")
program_source=$(realpath "$1")
disc=$here/../sample-disc
base=$(dirname "$(dirname "$program_source")")/sample-disc-base

if [ -z "${IN_XVFB:-}" ]; then
  IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb
use_private_runtime_directory
trap 'stop_null_sink; cleanup' EXIT
start_null_sink

work=$(new_program_folder "$program_source")
printf '[GENERAL]\r\nBase Directory=%s/\r\nJust Installed=No\r\n' "$base" > "$work/Pemmaro.ini"
(cd "$disc" && PEMMARO_REPORT_FIRST_PAINT=1 exec "$work/pemmaro" > "$work/stdout" 2> "$work/stderr") &
pid=$!
wait_until 30 grep -q first-paint "$work/stdout" || { cat "$work/stderr" >&2; exit 1; }
sleep 2
window=$(xdotool search --onlyvisible --name '^Pemmaro' | head -1)
# The introduction goes at a key; then a family is unfolded to show its species.
xdotool key Escape
sleep 1
xdotool mousemove --window "$window" 20 259 click 1
sleep 1
mkdir -p "$here/screenshots"
import -window "$window" -strip "$here/screenshots/browsing-window.png"
kill -TERM "$pid"
wait "$pid" || true
