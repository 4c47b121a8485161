#!/usr/bin/env bash
# The real program as a process on Qt's offscreen platform: fatal start-up errors,
# a clean close on SIGTERM with the settings written, a second instance refused.
# Usage: program_process_tests.sh PROGRAM SAMPLE_DISC
set -euo pipefail
source "$(dirname "$0")/lib.sh"

program_source=$1
disc=$2
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

finish
