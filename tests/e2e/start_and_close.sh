#!/usr/bin/env bash
# End to end: the real program in a real X server (Xvfb). It starts on the sample
# disc, shows its main window with the product title, is screenshotted, and on
# SIGTERM closes cleanly writing its settings.
# Usage: start_and_close.sh PROGRAM SAMPLE_DISC [ARTIFACT_FOLDER]
set -euo pipefail
source "$(dirname "$0")/lib.sh"

program_source=$1
disc=$2
artifacts=${3:-$(dirname "$program_source")/../test-artifacts}
mkdir -p "$artifacts"

if [ -z "${IN_XVFB:-}" ]; then
  IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb
use_private_runtime_directory
trap 'stop_null_sink; cleanup' EXIT

title="Pemmaro - Birds of the Solvara Region 1.0"

window_titled() {
  xwininfo -root -tree 2>/dev/null | grep -qF "\"$1\""
}

# Without a sound server the start shows a message box before any window; a
# logout's SIGTERM must answer it and end the program with its settings saved.
start_case "termination while a message box is open"
work=$(new_program_folder "$program_source")
printf '[GENERAL]\r\nBase Directory=%s/\r\nJust Installed=Yes\r\n' "$disc" > "$work/Pemmaro.ini"
(cd "$disc" && PULSE_SERVER=unix:/nonexistent exec "$work/pemmaro" 2> "$work/stderr") &
pid=$!
no_output_text="No sound output device was found"
if wait_until 30 grep -qF "$no_output_text" "$work/stderr" && wait_until 10 window_titled "${title% 1.0}"; then
  kill -TERM "$pid"
  wait_for_exit "$pid" 5
  expect_equal "$exit_status" 0 "exit code"
  expect_contains "$work/Pemmaro.ini" 'Just Installed=No'
else
  fail "the no-sound-output message box did not appear"
  kill -KILL "$pid" 2>/dev/null || true
fi

start_null_sink || echo "note: no sound server; the program reports that there is no sound output"

start_case "main window in a real X server"
work=$(new_program_folder "$program_source")
printf '[GENERAL]\r\nBase Directory=%s/\r\nJust Installed=No\r\n' "$disc" > "$work/Pemmaro.ini"
(cd "$disc" && exec "$work/pemmaro" 2> "$work/stderr") &
pid=$!

deadline=$((SECONDS + 30))
until window_titled "$title"; do
  if [ $SECONDS -ge $deadline ] || ! kill -0 "$pid" 2>/dev/null; then
    fail "no window titled '$title' appeared"
    break
  fi
  sleep 0.2
done
sleep 0.5 # let the first paint finish before the screenshot
import -window root "$artifacts/start_and_close.png" || fail "no screenshot"

# Help Topics opens the integrated browser, whose engine is loaded only now:
# Qt must not complain that the application was made without what it needs.
start_case "help in the integrated browser"
if command -v xdotool > /dev/null; then
  main=$(xdotool search --name "^${title}\$" 2> /dev/null | head -n 1)
  xdotool windowfocus --sync "$main" 2> /dev/null || xdotool windowfocus "$main"
  xdotool key --clearmodifiers alt+h
  sleep 0.3
  xdotool key --clearmodifiers h
  deadline=$((SECONDS + 30))
  until xdotool search --name "^URL: " > /dev/null 2>&1; do
    if [ $SECONDS -ge $deadline ]; then
      fail "the help did not open in the integrated browser"
      break
    fi
    sleep 0.2
  done
  if grep -qF "AA_ShareOpenGLContexts" "$work/stderr"; then
    fail "Qt warned about the shared OpenGL contexts"
    grep -F "AA_ShareOpenGLContexts" "$work/stderr" | sed 's/^/    /' >&2
  fi
else
  echo "note: xdotool is not installed; the browser case is left out"
fi

kill -TERM "$pid"
wait_for_exit "$pid" 20
expect_equal "$exit_status" 0 "exit code"
expect_contains "$work/Pemmaro.ini" "Base Directory=$disc/"
expect_contains "$work/Pemmaro.ini" 'Just Installed=No'
if window_titled "$title"; then
  fail "the window is still there after the program ended"
fi

finish
