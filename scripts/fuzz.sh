#!/usr/bin/env bash
# Builds the fuzz programs with clang (build-fuzz/) and runs each on its
# corpus for a given time, then prints runs, coverage and crashes per target.
#
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
#   SECONDS_PER_TARGET  default 60; TARGET default: every fuzz_* program.
#   FUZZ_JOBS           targets run at once (default: the number of cores).
#   FUZZ_MERGE=1        afterwards, adds the new inputs that reach new code to
#                       the committed corpus (tests/fuzz/corpus/TARGET).
# New inputs collect in build-fuzz/corpus/TARGET, crashes in
# build-fuzz/artifacts/TARGET, each run's output in build-fuzz/logs/TARGET.log.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
build=build-fuzz
corpora=tests/fuzz/corpus
jobs=${FUZZ_JOBS:-$(nproc)}

./scripts/install-deps.sh fuzz
if [ ! -f "$build/CMakeCache.txt" ]; then
  launcher=(); command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  CC=clang CXX=clang++ cmake -S . -B "$build" -DPEMMARO_FUZZ=ON "${launcher[@]}" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPEMMARO_BUILD_BENCHMARKS=OFF -DPEMMARO_BUILD_WEB_BROWSER=OFF
fi

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(ls "$corpora")
fi
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"

mkdir -p "$build/logs"
export LSAN_OPTIONS="suppressions=$PWD/tests/fuzz/lsan.supp:print_suppressions=0"
run_one() {
  local target=$1 seconds=$2 build=$3 corpora=$4
  mkdir -p "$build/corpus/$target" "$build/artifacts/$target"
  # Inputs that take over 10 s or 2 GB count as faults: the readers must
  # finish quickly on anything. Forked jobs keep the run going past a fault,
  # so one run finds them all.
  "$build/bin/$target" "$build/corpus/$target" "$corpora/$target" \
    -fork=1 -ignore_crashes=1 -ignore_ooms=1 -ignore_timeouts=1 \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build/artifacts/$target/" >"$build/logs/$target.log" 2>&1 || true
}
export -f run_one
printf '%s\n' "${targets[@]}" |
  xargs -P "$jobs" -I{} bash -c 'run_one "$@"' _ {} "$seconds" "$build" "$corpora"

if [ "${FUZZ_MERGE:-0}" = 1 ]; then
  for target in "${targets[@]}"; do
    "$build/bin/$target" -merge=1 "$corpora/$target" "$build/corpus/$target" \
      >>"$build/logs/$target.log" 2>&1
  done
fi

# The last status line of a run: "#RUNS: cov: EDGES ft: FEATURES corp: N ...".
printf '%-20s %12s %8s %8s %8s %8s\n' target runs cov features corpus faults
for target in "${targets[@]}"; do
  log="$build/logs/$target.log"
  last=$(grep -aE '^#[0-9]+: cov: ' "$log" | tail -1 || true)
  [ -n "$last" ] || last=$(grep -aE '^#[0-9]+.*cov: ' "$log" | tail -1 || true)
  field() { sed -n "s/.*$1 \\([0-9]*\\).*/\\1/p" <<<"$last"; }
  runs=$(sed -n 's/^#\([0-9]*\).*/\1/p' <<<"$last")
  faults=$(find "$build/artifacts/$target" -type f | wc -l)
  printf '%-20s %12s %8s %8s %8s %8s\n' "$target" "${runs:--}" "$(field cov:)" "$(field ft:)" \
    "$(field corp:)" "$faults"
done
