#!/usr/bin/env bash
# The start-up check of the generated hostile discs: the one with megabyte
# lines, long chains, deep continuation lines and gigapixel pictures loads;
# of those with a twenty-digit number, the ones whose number names something
# stop with the loader's message, the others load with the value made harmless.
# Its time and memory are measured in the benchmarks, not here.
# Usage: hostile_disc_check.sh PROGRAM SAMPLE_DISC GENERATOR
set -euo pipefail
source "$(dirname "$0")/lib.sh"

program=$1
sample=$2
generator=$3
export QT_QPA_PLATFORM=offscreen
use_private_runtime_directory

discs=$(mktemp -d)
folders+=("$discs")
python3 "$generator" "$discs" > /dev/null
work=$(new_program_folder "$program")

check() { # DISC
  cp "$sample/Pemmaro.txt" "$1/"
  set +e
  "$work/pemmaro" --check "$1" > "$work/stdout" 2> "$work/stderr"
  code=$?
  set -e
}

start_case "the disc that pushes every limit loads"
check "$discs"
expect_equal "$code" 0 "exit code"
expect_contains "$work/stdout" "species 500, subspecies 0, cut parts 1, recording items 100000, big pictures 150000, localities 1"

for name in species-id unique-id picture-species compression audio-cd-tape; do
  start_case "a huge number in $name stops with the message"
  check "$discs/huge-numbers/$name"
  expect_equal "$code" 1 "exit code"
  case $name in
    species-id) expect_contains "$work/stderr" "Error occured when converting species ID!" ;;
    unique-id) expect_contains "$work/stderr" "Error occured when converting unique ID!" ;;
    picture-species) expect_contains "$work/stderr" "unique ID in big_pict.txt not found in species list!" ;;
    compression) expect_contains "$work/stderr" "Error occured when converting compression number!" ;;
    audio-cd-tape) expect_contains "$work/stderr" 'Error occured when converting audio CD "tape" number!' ;;
  esac
done

for name in picture-value seconds cut-part-tape item-number map-number latitude; do
  start_case "a huge number in $name loads"
  check "$discs/huge-numbers/$name"
  expect_equal "$code" 0 "exit code"
  expect_contains "$work/stdout" "species 2, subspecies 0, cut parts 1, recording items 2, big pictures 2, localities 1, people 4, audio CDs 1"
done

finish
