#!/usr/bin/env bash
# The real program as a process on Qt's offscreen platform: fatal start-up errors,
# a clean close on SIGTERM with the settings written, a second instance refused.
# Usage: program_process_tests.sh PROGRAM SAMPLE_DISC
set -euo pipefail
source "$(dirname "$0")/lib.sh"

program_source=$1
disc=$2
good_disc=$3
export QT_QPA_PLATFORM=offscreen
use_private_runtime_directory

# Missing language text file: the message, exit code 1, no settings written.
start_case "missing language text file"
work=$(new_program_folder "$program_source")
mkdir "$work/empty"
set +e
(cd "$work/empty" && timeout 20 "$work/pemmaro" 2> "$work/stderr")
code=$?
set -e
expect_equal "$code" 1 "exit code"
expect_contains "$work/stderr" 'The text file "Pemmaro.txt" was not found!'
expect_no_file "$work/Pemmaro.ini"

# A normal run on the sample disc, ended by SIGTERM as by the close button.
start_case "start on the sample disc and close"
work=$(new_program_folder "$program_source")
printf '[GENERAL]\r\nBase Directory=E:\\DATA\\\r\nJust Installed=Yes\r\n' > "$work/Pemmaro.ini"
(cd "$disc" && exec "$work/pemmaro" 2> "$work/stderr") &
pid=$!
wait_for_output_or_exit "$pid" 2
kill -TERM "$pid"
wait_for_exit "$pid" 20
expect_equal "$exit_status" 0 "exit code"
expect_contains "$work/Pemmaro.ini" 'Base Directory=E:\'
expect_contains "$work/Pemmaro.ini" 'Just Installed=No'

# Killed while it writes its settings on closing: each save replaces the file
# whole, so wherever the kill falls the file keeps every line and the next start
# is normal. What a killed save left beside the file is replaced, never read.
start_case "killed while saving its settings"
work=$(new_program_folder "$program_source")
printf '[GENERAL]\r\nBase Directory=E:\\DATA\\\r\nJust Installed=No\r\n; kept by hand\r\n' > "$work/Pemmaro.ini"
printf '[GENERAL]\r\nBase Direc' > "$work/Pemmaro.ini.saving"
for delay in 0.002 0.01 0.03; do
  (cd "$disc" && exec "$work/pemmaro" 2>> "$work/stderr") &
  pid=$!
  wait_for_output_or_exit "$pid" 2
  kill -TERM "$pid"
  sleep "$delay"
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  expect_contains "$work/Pemmaro.ini" 'Base Directory=E:\DATA\'
  expect_contains "$work/Pemmaro.ini" '; kept by hand'
done
(cd "$disc" && exec "$work/pemmaro" 2>> "$work/stderr") &
pid=$!
wait_for_output_or_exit "$pid" 2
kill -TERM "$pid"
wait_for_exit "$pid" 20
expect_equal "$exit_status" 0 "exit code after the killed saves"
expect_contains "$work/Pemmaro.ini" 'Windows=1'
expect_contains "$work/Pemmaro.ini" '; kept by hand'
expect_no_file "$work/Pemmaro.ini.saving"

# On a full disk the saves on closing fail and the settings stay as they were.
# The program runs from a read-only folder, so its settings live in the
# configuration folder, here a small file system of its own, filled up; that
# needs a user namespace (skipped without one).
start_case "full disk"
if unshare -rm true 2> /dev/null; then
  work=$(new_program_folder "$program_source")
  mkdir "$work/config"
  printf '[GENERAL]\r\nBase Directory=E:\\DATA\\\r\nJust Installed=No\r\n' > "$work/before.ini"
  set +e
  (cd "$disc" && exec unshare -rm bash -c '
    set -e
    work=$1
    mount --bind "$work" "$work"
    mount -o remount,bind,ro "$work"
    mount -t tmpfs -o size=64k tmpfs "$work/config"
    mkdir "$work/config/pemmaro"
    cp "$work/before.ini" "$work/config/pemmaro/Pemmaro.ini"
    head -c 1M /dev/zero > "$work/config/filler" 2> /dev/null || true
    XDG_CONFIG_HOME="$work/config" "$work/pemmaro" &
    pid=$!
    sleep 2
    kill -TERM "$pid"
    wait "$pid" && code=0 || code=$?
    ls -a "$work/config/pemmaro"
    cat "$work/config/pemmaro/Pemmaro.ini"
    exit "$code"' full_disk "$work" > "$work/after" 2> "$work/stderr")
  code=$?
  set -e
  expect_equal "$code" 0 "exit code on a full disk"
  expect_equal "$(cat "$work/after")" "$(printf '.\n..\nPemmaro.ini\nPemmaro.ini.lock\n'; cat "$work/before.ini")" "settings folder and file after closing"
  expect_contains "$work/stderr" "No space left on device"
else
  echo "no user namespace here: skipped"
fi

# A second instance: without a screen to ask on, the safe answer No ends it.
start_case "second instance"
work=$(new_program_folder "$program_source")
(cd "$disc" && exec "$work/pemmaro" 2> "$work/first.stderr") &
first=$!
wait_for_output_or_exit "$first" 2
set +e
(cd "$disc" && timeout 20 "$work/pemmaro" 2> "$work/second.stderr")
code=$?
set -e
expect_equal "$code" 0 "second instance exit code"
expect_contains "$work/second.stderr" "$(sed -n '/OTHER_INSTANCE/{n;p;q}' "$disc/Pemmaro.txt" | tr -d '\r')"
kill -TERM "$first"
wait_for_exit "$first" 20
expect_equal "$exit_status" 0 "first instance exit code"

# The data check of a broken disc ends with exit code 1 and the message.
expect_check_fails() {
  local work=$1 message=$2 code
  set +e
  "$work/pemmaro" --check "$work/disc" > "$work/stdout" 2> "$work/stderr"
  code=$?
  set -e
  expect_equal "$code" 1 "exit code of a broken disc"
  expect_contains "$work/stderr" "$message"
}

# The data check of a good disc and of broken ones.
start_case "data check"
work=$(new_program_folder "$program_source")
mkdir "$work/disc"
cp "$good_disc"/* "$disc/Pemmaro.txt" "$work/disc/"
"$work/pemmaro" --check "$work/disc" > "$work/stdout" 2> "$work/stderr" || fail "check of the good disc failed"
expect_contains "$work/stdout" "families 3/0/0, species 8, subspecies 40, cut parts 17, recording items 20, big pictures 11, localities 9, people 5, audio CDs 2"
printf '@#[]\r\n12A005\r\n1\r\n10\r\n\r\n\r\nNOWHERE\r\n' > "$work/disc/cutparts.txt"
expect_check_fails "$work" "cutparts.txt corrupt! Error 1"
rm "$work/disc/names_sc.txt"
expect_check_fails "$work" "names_sc.txt"

finish
