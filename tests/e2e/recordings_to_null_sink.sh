#!/usr/bin/env bash
# End to end: recordings of the sample disc reach a PulseAudio null sink as the
# program plays them. A sound bar plays sound files (an MPEG layer 3 one and a
# PCM one) from a click on its button: the sink must carry sound of the
# recording's length, and begin at most 150 ms after the click. The CD player
# plays spans of both audio CD images on the virtual changer: the sound must be
# the image's samples of that span.
# Usage: recordings_to_null_sink.sh PLAY_RECORDING_PROGRAM DISC_FOLDER BASE_FOLDER
set -euo pipefail
source "$(dirname "$0")/lib.sh"

player=$1
disc=$2
base=$3

skip_unless_installed pulseaudio pactl parec python3 timeout
[ -d "$base/cd-images" ] || { echo "FAIL: no generated media in $base" >&2; exit 1; }

work=$(mktemp -d)
folders+=("$work")

start_sink_or_skip

# Records the sink while the program plays: record NAME ARGUMENTS...
# Leaves NAME.raw (the capture) and NAME.out (the program's report). The sink
# sends nothing until a sound plays (silence after it), so the capture begins
# with the sound.
record() {
  local name=$1
  shift
  start_recorder "$work/$name.raw"
  local status=0
  timeout 60 "$player" "$disc" "$base" "$@" > "$work/$name.out" 2>&1 || status=$?
  sed 's/^/    /' "$work/$name.out"
  [ "$status" -eq 0 ] || fail "the program failed (status $status)"
  expect_contains "$work/$name.out" "output: sound server"
  settle_recorder "$work/$name.raw"
  stop_recorder
}

# A name=value field of the program's report.
field() {
  sed -n "s/.*[ :]$2=\([^ ]*\).*/\1/p" "$1" | head -n 1
}

# The sound in a capture: "SECONDS PEAK RMS" of the part between the first and
# the last 10 ms that are not silent.
measure_sound() {
  python3 - "$1" << 'PY'
import array, math, sys
samples = array.array("h")
with open(sys.argv[1], "rb") as f:
    data = f.read()
samples.frombytes(data[: len(data) // 2 * 2])
if sys.byteorder == "big":
    samples.byteswap()
window = 441
loud = [i for i in range(0, len(samples) - window + 1, window)
        if max(map(abs, samples[i:i + window])) > 64]
if not loud:
    print("0 0 0")
    sys.exit()
sound = samples[loud[0]:loud[-1] + window]
rms = math.sqrt(sum(s * s for s in sound) / len(sound))
print("%.3f %d %.0f" % (len(sound) / 44100, max(map(abs, sound)), rms))
PY
}

# Compares a capture with the samples of a span of an audio CD image:
# compare_with_image CAPTURE CUE TRACK OFFSET_MS LENGTH_MS. Finds where the
# captured sound lies in the image and prints "CORRELATION SECONDS START END
# STRAY": the normalised correlation with the span at that place, the length
# of the captured sound, where in the track (ms) it begins and ends, and the
# peak of what the capture holds outside the span there.
compare_with_image() {
  python3 - "$@" << 'PY'
import array, math, operator, re, sys

capture_path, cue_path, track, offset_ms, length_ms = sys.argv[1:6]
track, offset_ms, length_ms = int(track), int(offset_ms), int(length_ms)
rate = 44100
context = 3 * rate  # the image is searched this far around the span

def read_pcm(data):
    values = array.array("h")
    values.frombytes(data[: len(data) // 2 * 2])
    if sys.byteorder == "big":
        values.byteswap()
    return values

# The track's first sample from the cue sheet's INDEX 01 (frames of 1/75 s).
cue = open(cue_path).read()
bin_name = re.search(r'FILE\s+"([^"]+)"', cue).group(1)
starts = {}
current = None
for line in cue.splitlines():
    words = line.split()
    if words[:1] == ["TRACK"]:
        current = int(words[1])
    elif words[:2] == ["INDEX", "01"] and current is not None:
        m, s, f = (int(x) for x in words[2].split(":"))
        starts[current] = ((m * 60 + s) * 75 + f) * 588
span_start = offset_ms * rate // 1000  # in the track
span_length = length_ms * rate // 1000
first = max(0, span_start - context)   # the reference: the span and its context
with open(cue_path.rsplit("/", 1)[0] + "/" + bin_name, "rb") as image:
    image.seek((starts[track] + first) * 4)
    stereo = read_pcm(image.read((span_start + span_length + context - first) * 4))
reference = [(stereo[i] + stereo[i + 1]) * 0.5 for i in range(0, len(stereo) - 1, 2)]
span_in_reference = span_start - first

capture = read_pcm(open(capture_path, "rb").read())
loud = [i for i in range(0, len(capture) - 441 + 1, 441)
        if max(map(abs, capture[i:i + 441])) > 64]
if not loud:
    print("0 0 0 0 0")
    sys.exit()
sound_first, sound_end = loud[0], loud[-1] + 441

def normalised(a, b):
    norm = math.sqrt(sum(x * x for x in a) * sum(x * x for x in b))
    return sum(map(operator.mul, a, b)) / norm if norm else 0.0

def envelope(values, begin, end, block):
    e = [sum(map(abs, values[i:i + block])) for i in range(begin, end - block + 1, block)]
    mean = sum(e) / len(e)
    return [x - mean for x in e]

def envelope_score(lag, block, sound_env, reference_env):
    # lag: the reference sample where the sound's first sample lies.
    shift = lag // block
    a0, b0 = max(0, -shift), max(0, shift)
    n = min(len(sound_env) - a0, len(reference_env) - b0)
    return normalised(sound_env[a0:a0 + n], reference_env[b0:b0 + n]) if n > 0 else -1.0

# A lag maps a capture index to a reference index. Three steps: envelopes of
# 10 ms over all places, envelopes of 1 ms near the three best, then samples.
candidates = []
for block, radius in ((441, None), (44, 12)):
    sound_env = envelope(capture, sound_first, sound_end, block)
    reference_env = envelope(reference, 0, len(reference), block)
    if radius is None:
        lags = range(-len(sound_env) // 2 * block, (len(reference_env) - len(sound_env) // 2) * block,
                     block)
        ranked = sorted(((envelope_score(l, block, sound_env, reference_env), l) for l in lags),
                        reverse=True)
        for _, lag in ranked:
            if all(abs(lag - other) > 4 * block for other in candidates):
                candidates.append(lag)
            if len(candidates) == 3:
                break
    else:
        refined = []
        for centre in candidates:
            # The sound's envelope starts at a multiple of the block in the reference.
            best = max((envelope_score(l, block, sound_env, reference_env), l)
                       for l in range(centre - radius * block, centre + radius * block + 1, block))
            refined.append(best[1])
        candidates = refined
candidates = [lag - sound_first for lag in candidates]

# Samples: four probes spread over the sound, each at the loudest place of its
# quarter, so that one click cannot decide the place.
probe_length = 4096
quarter = max(1, (sound_end - sound_first) // 4)
probes = []
for q in range(4):
    begin = sound_first + q * quarter
    end = max(begin + 1, min(sound_end, begin + quarter) - probe_length)
    at = max(range(begin, end, 441), key=lambda i: sum(map(abs, capture[i:i + probe_length])))
    probes.append((at, [float(x) for x in capture[at:at + probe_length]]))
probe_power = sum(x * x for _, p in probes for x in p) or 1.0
energy = [0.0]
for x in reference:
    energy.append(energy[-1] + x * x)
best = (-2.0, candidates[0])
for lag in sorted({l for c in candidates for l in range(c - 100, c + 101)}):
    dot = power = 0.0
    for at, probe in probes:
        begin = at + lag
        if 0 <= begin and begin + probe_length <= len(reference):
            dot += sum(map(operator.mul, probe, reference[begin:begin + probe_length]))
            power += energy[begin + probe_length] - energy[begin]
    if power > 0:
        best = max(best, (dot / math.sqrt(power * probe_power), lag))
lag = best[1]

# The correlation over the whole span: what the capture holds where the span
# should be (nothing where the capture is shorter) against the span.
capture_span_first = span_in_reference - lag
span = reference[span_in_reference:span_in_reference + span_length]
aligned = [float(capture[i]) if 0 <= i < len(capture) else 0.0
           for i in range(capture_span_first, capture_span_first + span_length)]
correlation = normalised(aligned, span)
# Sound outside the span (10 ms of slack at either side).
outside = list(capture[:max(0, capture_span_first - 441)]) + \
    list(capture[max(0, capture_span_first + span_length + 441):])
stray = max(map(abs, outside), default=0)
print("%.4f %.3f %.0f %.0f %d" % (correlation, (sound_end - sound_first) / rate,
                                  (sound_first + lag + first) * 1000 / rate,
                                  (sound_end + lag + first) * 1000 / rate, stray))
PY
}

within() { # VALUE LOW HIGH
  python3 -c "import sys; sys.exit(0 if $2 <= $1 <= $3 else 1)"
}

# A failed case's capture and report stay for a look (not removed at the end).
kept=""
failures_before=0
keep_capture_of_failure() {
  if [ "$failures" -gt "$failures_before" ]; then
    [ -n "$kept" ] || kept=$(mktemp -d "${TMPDIR:-/tmp}/pemmaro-recordings.XXXXXX")
    cp "$work/$1.raw" "$work/$1.out" "$kept/" 2> /dev/null || true
    echo "    the capture (mono s16le 44.1 kHz) and the report are kept in $kept" >&2
  fi
  failures_before=$failures
}

# A busy machine can starve the sound server for a moment and leave a gap in
# the capture, so a failed case is played once more; a real fault fails twice.
retry_once() { # CHECK KEY
  local before=$failures
  "$@"
  [ "$failures" -gt "$before" ] || return 0
  echo "    playing it once more: a gap may come from a busy machine"
  failures=$before
  failures_before=$before
  "$@"
}

# A sound file through a sound bar plays to the end and reaches the sink.
check_bar() { # KEY
  local key=$1
  start_case "a sound bar plays $key to the end through the sink"
  record "bar-$key" --bar "$key"
  length_ms=$(field "$work/bar-$key.out" length_ms)
  if [ -z "$length_ms" ]; then
    fail "the program gave no length"
    keep_capture_of_failure "bar-$key"
    return
  fi
  expect_contains "$work/bar-$key.out" "at_end=1"
  read -r seconds peak rms <<< "$(measure_sound "$work/bar-$key.raw")"
  echo "    captured ${seconds} s of sound (peak $peak, rms $rms); the recording is ${length_ms} ms"
  within "$rms" 100 32767 || fail "the capture is (nearly) silent: rms $rms"
  # The first ~0.1 s of a capture may be lost.
  within "$seconds" "$length_ms / 1000 - 0.3" "$length_ms / 1000 + 0.3" ||
    fail "expected ${length_ms} ms of sound, got $seconds s"
  keep_capture_of_failure "bar-$key"
}

# A span of an audio CD through the CD player on the virtual changer: the sound
# must be the image's samples of that span.
check_span() { # KEY
  local key=$1
  start_case "the CD player plays span $key as the image holds it"
  record "span-$key" --span "$key"
  cd=$(field "$work/span-$key.out" cd)
  track=$(field "$work/span-$key.out" track)
  offset_ms=$(field "$work/span-$key.out" offset_ms)
  length_ms=$(field "$work/span-$key.out" length_ms)
  if [ -z "$cd" ] || [ -z "$track" ] || [ -z "$offset_ms" ] || [ -z "$length_ms" ]; then
    fail "the program did not describe the span"
    keep_capture_of_failure "span-$key"
    return
  fi
  cue=$(printf "%s/cd-images/cd%02d.cue" "$base" "$cd")
  read -r correlation seconds start_ms end_ms stray <<< \
    "$(compare_with_image "$work/span-$key.raw" "$cue" "$track" "$offset_ms" "$length_ms")"
  echo "    CD $cd track $track, offset ${offset_ms} ms, length ${length_ms} ms: captured" \
    "${seconds} s from ${start_ms} to ${end_ms} ms into the track, correlation $correlation," \
    "peak outside the span $stray"
  within "$correlation" 0.9 1.0 || fail "the sound is not the span's: correlation $correlation"
  within "$seconds" "$length_ms / 1000 - 0.3" "$length_ms / 1000 + 0.3" ||
    fail "expected ${length_ms} ms of sound, got $seconds s"
  # The sound of a neighbouring place correlates well too: it must be the span.
  # Its first ~0.1 s may be lost; the end is within a CD frame.
  within "$start_ms" "$offset_ms - 30" "$offset_ms + 150" ||
    fail "the sound begins at $start_ms ms of the track, the span at $offset_ms ms"
  within "$end_ms" "$offset_ms + $length_ms - 300" "$offset_ms + $length_ms + 30" ||
    fail "the sound ends at $end_ms ms of the track, the span at $((offset_ms + length_ms)) ms"
  # The track's quiet background is below this; song or clicks are not.
  within "$stray" 0 1000 || fail "sound outside the span: peak $stray"
  keep_capture_of_failure "span-$key"
}

# Records the sink as start_recorder does, and notes when each piece of the
# capture arrived (CLOCK_MONOTONIC): NAME.raw and NAME.times ("BYTES NS" a line).
start_timed_recorder() {
  python3 - "$1" "$1.times" << 'PY' &
import os, signal, subprocess, sys, time
raw_path, times_path = sys.argv[1:3]
parec = subprocess.Popen(["parec", "-d", "nullout.monitor", "--format=s16le", "--rate=44100",
                          "--channels=1", "--raw", "--latency-msec=5"], stdout=subprocess.PIPE)
signal.signal(signal.SIGTERM, lambda *_: parec.terminate())
total = 0
with open(raw_path, "wb") as raw, open(times_path, "w") as times:
    while True:
        data = os.read(parec.stdout.fileno(), 4096)
        if not data:
            break
        now = time.monotonic_ns()
        total += len(data)
        raw.write(data)
        raw.flush()
        times.write("%d %d\n" % (total, now))
parec.wait()
PY
  recorder=$!
  wait_until 10 recording_from_monitor || fail "the recorder did not connect"
}

# Milliseconds from the click to the first sample of the capture above the
# silence threshold: CAPTURE CLICK_NS. The sample's time is its piece's arrival
# less what followed it in the piece, so the recorder's own delay counts too.
click_to_sound_ms() {
  python3 - "$1" "$1.times" "$2" << 'PY'
import array, sys
raw_path, times_path, click_ns = sys.argv[1], sys.argv[2], int(sys.argv[3])
samples = array.array("h")
data = open(raw_path, "rb").read()
samples.frombytes(data[: len(data) // 2 * 2])
if sys.byteorder == "big":
    samples.byteswap()
first = next((i for i, s in enumerate(samples) if abs(s) > 64), None)
if first is None:
    print("none")
    sys.exit()
for line in open(times_path):
    total, arrived = (int(x) for x in line.split())
    if total // 2 > first:
        print("%.1f" % ((arrived - (total // 2 - first) * 1e9 / 44100 - click_ns) / 1e6))
        break
PY
}

# The null sink renders ahead as far as its latency allows: up to 2 s of
# silence while no client asks for less, and a stream that joins then waits
# behind that silence, as the sink cannot take it back (a device's sink can).
# The sink has caught up once the recorder's short latency holds.
sink_caught_up() {
  local usec
  usec=$(pactl list sinks 2> /dev/null | sed -n 's/.*Latency: \([0-9]*\) usec.*/\1/p' | head -n 1)
  [ -n "$usec" ] && [ "$usec" -lt 30000 ]
}

# The time from the click on a sound bar to its sound at the sink.
check_click_to_sound() { # KEY
  local key=$1 name="click-$1"
  start_case "the sound of $key reaches the sink soon after the click"
  start_timed_recorder "$work/$name.raw"
  wait_until 10 sink_caught_up || fail "the sink kept the silence it had rendered ahead"
  local status=0
  timeout 60 "$player" "$disc" "$base" --bar "$key" > "$work/$name.out" 2>&1 || status=$?
  sed 's/^/    /' "$work/$name.out"
  [ "$status" -eq 0 ] || fail "the program failed (status $status)"
  expect_contains "$work/$name.out" "output: sound server"
  settle_recorder "$work/$name.raw"
  stop_recorder
  click_ns=$(field "$work/$name.out" click_ns)
  if [ -z "$click_ns" ]; then
    fail "the program gave no click time"
    keep_capture_of_failure "$name"
    return
  fi
  delay=$(click_to_sound_ms "$work/$name.raw" "$click_ns")
  echo "    from the click to the first sound at the sink: $delay ms"
  # The sink renders up to its latency (under 30 ms here) ahead of the clock,
  # so a sound that comes at once may seem to come a little before the click.
  [ "$delay" != none ] && within "$delay" -30 150 ||
    fail "the first sound came $delay ms after the click (at most 150 ms)"
  keep_capture_of_failure "$name"
}

# An MPEG layer 3 file (compression 6) and a PCM one (compression 0); spans of
# both audio CDs.
for key in 1A006b 8A008; do retry_once check_bar "$key"; done
for key in 9A002 10B015; do retry_once check_span "$key"; done
for key in 1A006b 8A008; do retry_once check_click_to_sound "$key"; done

finish
