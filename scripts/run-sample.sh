#!/usr/bin/env bash
# Starts the program on the bundled sample disc. The settings file beside the
# program gets the sample disc as its base directory the first time; under no
# display the program runs inside Xvfb.
set -euo pipefail
program=$(realpath "$1")
disc=$(realpath "$2")
settings="$(dirname "$program")/Pemmaro.ini"

if [ ! -f "$settings" ]; then
  printf '[GENERAL]\r\nBase Directory=%s/\r\nJust Installed=No\r\n' "$disc" > "$settings"
fi

cd "$disc"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display: running inside Xvfb (close with Ctrl+C)." >&2
  # Ctrl+C is for the program, which closes its windows and saves its settings;
  # the X server must outlive it, so here and in xvfb-run the signal is ignored.
  trap '' INT
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$program"
fi
exec "$program"
