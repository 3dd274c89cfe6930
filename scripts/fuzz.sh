#!/usr/bin/env bash
# Builds the libFuzzer targets of the portable core and runs them.
#
#   scripts/fuzz.sh [SECONDS]      (default 30 seconds per target; 0: regression only)
#
# 1. Regression: every committed input under tests/fuzz/corpus/<target>/ runs once, each
#    in its own process, so that every failing input is named. This part always runs.
# 2. Fuzzing: each target runs for SECONDS over a scratch copy of its corpus (the
#    repository is never written), as many targets at a time as there are build jobs; new inputs and crashes stay in the scratch folder,
#    which is kept and named when a target crashed.
# Prints per target the executions and whether it crashed; exits non-zero when any
# regression input fails or any target crashes.
#
# Environment: R7716_FUZZ_BUILD (build folder, default build/fuzz), R7716_FUZZ_JOBS
# (build jobs and targets at a time, default 2; 1 for figures of one target alone).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
[[ "$seconds" =~ ^[0-9]+$ ]] || { echo "usage: scripts/fuzz.sh [SECONDS]" >&2; exit 2; }
build=${R7716_FUZZ_BUILD:-build/fuzz}
jobs=${R7716_FUZZ_JOBS:-2}
targets=(lonworks_check path_shortening header_section directory_rows split_target)

# clang with libFuzzer and the sanitizer runtimes (Debian: clang + libclang-rt-14-dev).
scripts/setup.sh clang libclang-rt-14-dev cmake ninja-build

echo "== fuzz: build ($build)"
cmake --preset fuzz -B "$build" >/dev/null
cmake --build "$build" --target fuzz_targets -j "$jobs"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/r7716-fuzz.XXXXXX")
keep_scratch=0
trap '[ "$keep_scratch" -eq 1 ] || rm -rf "$scratch"' EXIT
failed=0
options=(-timeout=10 -rss_limit_mb=1024 -print_final_stats=1)

# The failed property (or the sanitizer's finding) and libFuzzer's summary from a log.
report() {
  { grep -E -A1 "^property failed" "$1" | head -2
    grep -E -m1 "runtime error|ERROR: AddressSanitizer" "$1" || true
    grep -E -m1 "^SUMMARY" "$1" || true; } | sed 's/^/     /'
}

echo "== fuzz: regression over the committed corpus"
for t in "${targets[@]}"; do
  bin="$build/fuzz/fuzz_$t"
  total=0; bad=0
  for input in tests/fuzz/corpus/"$t"/*; do
    [ -f "$input" ] || continue
    total=$((total + 1))
    if ! "$bin" "${options[@]}" "$input" >"$scratch/regression.log" 2>&1; then
      bad=$((bad + 1))
      echo "   FAILED: $input"
      report "$scratch/regression.log"
    fi
  done
  printf '   %-16s %3d inputs, %d failed\n' "$t" "$total" "$bad"
  [ "$bad" -eq 0 ] || failed=1
done

# One target for the given time over a scratch copy of its corpus; its exit status in "status".
fuzz_one() {
  local t=$1 work=$scratch/$1 status=0
  mkdir -p "$work/corpus" "$work/artifacts"
  cp tests/fuzz/corpus/"$t"/* "$work/corpus/" 2>/dev/null || true
  "$build/fuzz/fuzz_$t" "${options[@]}" -max_total_time="$seconds" -artifact_prefix="$work/artifacts/" \
    "$work/corpus" >"$work/log" 2>&1 || status=$?
  echo "$status" >"$work/status"
}

if [ "$seconds" -gt 0 ]; then
  echo "== fuzz: $seconds s per target, $jobs at a time"
  running=0
  for t in "${targets[@]}"; do
    fuzz_one "$t" &
    running=$((running + 1))
    if [ "$running" -ge "$jobs" ]; then wait -n; running=$((running - 1)); fi
  done
  wait
  for t in "${targets[@]}"; do
    work="$scratch/$t"
    status=$(cat "$work/status")
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -1)
    if [ "$status" -eq 0 ]; then
      result="no crash"
    else
      result="CRASHED (exit $status)"
      failed=1
      keep_scratch=1
    fi
    printf '   %-16s %10s executions in %s s, %s\n' "$t" "${runs:-?}" "$seconds" "$result"
    if [ "$status" -ne 0 ]; then
      report "$work/log"
      for a in "$work"/artifacts/*; do [ -f "$a" ] && echo "     input: $a (keep it under tests/fuzz/corpus/$t/)"; done
      echo "     log: $work/log"
    fi
  done
fi

if [ "$failed" -ne 0 ]; then
  echo "fuzz: FAILED"
  exit 1
fi
echo "fuzz: all passed"
