# Shared helpers of the process and end-to-end tests.

failures=0
case_name=""
folders=()

cleanup() {
  for folder in "${folders[@]}"; do rm -rf "$folder"; done
}
trap cleanup EXIT

# Instance locks live in the runtime directory: a private one keeps these runs
# apart from other tests and from a program the user has open.
use_private_runtime_directory() {
  XDG_RUNTIME_DIR=$(mktemp -d)
  folders+=("$XDG_RUNTIME_DIR")
  chmod 700 "$XDG_RUNTIME_DIR"
  export XDG_RUNTIME_DIR
}

start_case() {
  case_name=$1
  echo "== $case_name"
}

fail() {
  echo "FAIL [$case_name]: $*" >&2
  failures=$((failures + 1))
}

# A private copy of the program, so its settings file lives in a folder of its own.
new_program_folder() {
  local folder
  folder=$(mktemp -d)
  folders+=("$folder")
  cp "$1" "$folder/pemmaro"
  echo "$folder"
}

expect_equal() {
  [ "$1" = "$2" ] || fail "$3: expected '$2', got '$1'"
}

expect_contains() {
  grep -qF -- "$2" "$1" 2>/dev/null || { fail "'$1' lacks '$2'"; [ -f "$1" ] && sed 's/^/    /' "$1" >&2; }
}

expect_no_file() {
  [ ! -e "$1" ] || fail "'$1' should not exist"
}

# Gives the process time to start (or fail) before it is signalled.
wait_for_output_or_exit() {
  local pid=$1 seconds=$2
  local deadline=$((SECONDS + seconds))
  while [ $SECONDS -lt $deadline ] && kill -0 "$pid" 2>/dev/null; do sleep 0.1; done
}

exit_status=""
wait_for_exit() {
  local pid=$1 seconds=$2
  local deadline=$((SECONDS + seconds))
  while kill -0 "$pid" 2>/dev/null; do
    if [ $SECONDS -ge $deadline ]; then
      fail "process $pid did not end within ${seconds}s"
      kill -KILL "$pid" 2>/dev/null
      break
    fi
    sleep 0.1
  done
  set +e
  wait "$pid"
  exit_status=$?
  set -e
}

finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
  fi
  echo "all checks passed"
}

# A PulseAudio server with a null sink in the private runtime folder, stopped
# when the script ends. Returns 1 (and says why) when it cannot start.
null_sink_started=""
start_null_sink() {
  command -v pulseaudio > /dev/null && command -v pactl > /dev/null || {
    echo "no PulseAudio installed"; return 1; }
  pulseaudio -D -n --exit-idle-time=-1 --disallow-exit \
    --load=module-native-protocol-unix --load="module-null-sink sink_name=nullout" \
    2> "${XDG_RUNTIME_DIR}/pulseaudio.log" || { cat "${XDG_RUNTIME_DIR}/pulseaudio.log"; return 1; }
  null_sink_started=1
  local deadline=$((SECONDS + 10))
  until pactl info > /dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || { echo "the sound server did not answer"; return 1; }
    sleep 0.1
  done
  pactl set-default-sink nullout
}

stop_null_sink() {
  if [ -n "$null_sink_started" ]; then pulseaudio -k 2> /dev/null || true; fi
  null_sink_started=""
}

# Polls the condition (a command) until it holds; false after the seconds.
wait_until() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ $SECONDS -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

file_size() {
  stat -c %s "$1" 2> /dev/null || echo 0
}

recording_from_monitor() {
  pactl list source-outputs short 2> /dev/null | grep -q .
}

nothing_plays() {
  ! pactl list sink-inputs short 2> /dev/null | grep -q .
}

# The capture holds what the sink played up to the moment it had from_size
# bytes: it grew by another 0.3 s of sound (the sink goes on with silence) or
# it has not grown for 0.3 s (the sink went idle).
last_size=-1
steady_since=0
capture_settled() {
  local file=$1 from_size=$2 size now
  size=$(file_size "$file")
  now=$(date +%s%N)
  [ "$size" -ge $((from_size + 26460)) ] && return 0
  if [ "$size" != "$last_size" ]; then
    last_size=$size
    steady_since=$now
    return 1
  fi
  [ $((now - steady_since)) -ge 300000000 ]
}

# Records the null sink (44.1 kHz mono 16 bit) into the file from the moment
# the recorder is connected; waiting for that, not for a fixed time, keeps the
# start of the sound on a loaded machine.
recorder=""
start_recorder() {
  parec -d nullout.monitor --format=s16le --rate=44100 --channels=1 --raw \
    --latency-msec=20 > "$1" &
  recorder=$!
  wait_until 10 recording_from_monitor || fail "the recorder did not connect"
}

# Waits until the sound that played has reached the capture in the file.
settle_recorder() {
  wait_until 10 nothing_plays || fail "a stream stayed at the sink"
  last_size=-1
  wait_until 10 capture_settled "$1" "$(file_size "$1")" || fail "the recorder did not settle"
}

stop_recorder() {
  if [ -n "$recorder" ]; then
    kill "$recorder" 2> /dev/null || true
    wait "$recorder" 2> /dev/null || true
  fi
  recorder=""
}

# Skips the test (exit 77) unless every tool is installed.
skip_unless_installed() {
  local tool
  for tool in "$@"; do
    if ! command -v "$tool" > /dev/null; then
      echo "SKIP: $tool is not installed"
      exit 77
    fi
  done
}

# A private runtime folder with its own sound server and null sink, stopped
# on exit with the recorder; the test is skipped when the server will not start.
start_sink_or_skip() {
  use_private_runtime_directory
  trap 'stop_recorder; stop_null_sink; cleanup' EXIT
  if ! start_null_sink; then
    echo "SKIP: the sound server would not start"
    exit 77
  fi
}

# The first X window of the program ($pid) whose name matches the pattern
# (xdotool's regular expression), only mapped ones with "visible"; empty when
# none comes in time or the program has ended.
wait_for_window() { # PATTERN SECONDS [visible]
  local pattern=$1 seconds=$2 id=""
  local only=()
  [ "${3:-}" = visible ] && only=(--onlyvisible)
  local deadline=$((SECONDS + seconds))
  while [ $SECONDS -lt $deadline ] && kill -0 "$pid" 2> /dev/null; do
    id=$(xdotool search "${only[@]}" --name "$pattern" 2> /dev/null | head -n 1 || true)
    [ -n "$id" ] && break
    sleep 0.2
  done
  echo "$id"
}

# Keys go to the focused window (there is no window manager to activate it).
keys() { # WINDOW KEY...
  local window=$1
  shift
  xdotool windowfocus --sync "$window" 2> /dev/null || xdotool windowfocus "$window"
  for key in "$@"; do
    xdotool key --clearmodifiers "$key"
    sleep 0.3
  done
}

# Sets X, Y, WIDTH and HEIGHT of the window's client area on the screen.
geometry_of() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
}

click_at() { # X Y
  xdotool mousemove --sync "$1" "$2" click 1
  sleep 0.5
}
