#!/usr/bin/env bash
# End to end: a 1 s tone played through the media devices (a device, then the
# synchronous call of the spoken names) reaches a PulseAudio null sink as sound
# of about that length and pitch. The test starts its own sound server in a
# private runtime folder and stops it at the end.
# Usage: media_to_null_sink.sh PLAY_FILE_PROGRAM
set -euo pipefail
source "$(dirname "$0")/lib.sh"

player=$1

skip_unless_installed pulseaudio pactl parec python3

work=$(mktemp -d)
folders+=("$work")

start_sink_or_skip

# 1 s of 440 Hz at 22050 Hz mono, so the output resamples too.
python3 - "$work/tone.wav" << 'PY'
import math, struct, sys, wave
with wave.open(sys.argv[1], "wb") as w:
    w.setnchannels(1); w.setsampwidth(2); w.setframerate(22050)
    w.writeframes(b"".join(struct.pack("<h", int(16000 * math.sin(2 * math.pi * 440 * i / 22050)))
                           for i in range(22050)))
PY

# Sound in the capture: its length in seconds and its pitch.
measure() {
  python3 - "$1" << 'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
samples = struct.unpack("<%dh" % (len(data) // 2), data[: len(data) // 2 * 2])
window = 441
loud = [i for i in range(0, len(samples) - window, window)
        if max(abs(s) for s in samples[i:i + window]) > 4000]
if not loud:
    print("0 0"); sys.exit()
first, last = loud[0], loud[-1] + window
tone = samples[first:last]
crossings = sum(1 for a, b in zip(tone, tone[1:]) if a < 0 <= b)
seconds = len(loud) * window / 44100
print("%.2f %.0f" % (seconds, crossings / (len(tone) / 44100)))
PY
}

for mode in device sync; do
  start_case "a 1 s tone through the $mode path reaches the sink"
  start_recorder "$work/$mode.raw"
  args=("$work/tone.wav")
  [ "$mode" = sync ] && args=(--sync "$work/tone.wav")
  if ! "$player" "${args[@]}" > "$work/$mode.out" 2>&1; then
    fail "the player failed"
  fi
  sed 's/^/    /' "$work/$mode.out"
  expect_contains "$work/$mode.out" "output: sound server"
  settle_recorder "$work/$mode.raw"
  stop_recorder
  read -r seconds pitch <<< "$(measure "$work/$mode.raw")"
  echo "    captured ${seconds} s of sound at ${pitch} Hz"
  # The first ~0.1 s of a capture may be lost.
  python3 -c "import sys; sys.exit(0 if 0.8 <= $seconds <= 1.15 else 1)" ||
    fail "expected about 1 s of sound, got $seconds s"
  python3 -c "import sys; sys.exit(0 if 420 <= $pitch <= 460 else 1)" ||
    fail "expected 440 Hz, got $pitch Hz"
done

finish
