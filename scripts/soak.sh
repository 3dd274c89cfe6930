#!/usr/bin/env bash
# Runs the Windows suite (or the part that the ctest arguments select) N times in the existing
# build, each run as scripts/test.sh runs it (its own virtual display and Wine server), and
# prints each test that failed with how often. The output of every failing run is kept in
# build/soak/. With --load, as many busy processes as there are cores run beside the suite.
# Usage: scripts/soak.sh [--load] N [CTEST_ARG...]     e.g. scripts/soak.sh 20 -R 'e2e\.Faults'
set -euo pipefail
cd "$(dirname "$0")/.."
load=0
[ "${1:-}" != --load ] || { load=1; shift; }
[[ ${1:-} =~ ^[1-9][0-9]*$ ]] || { echo "usage: scripts/soak.sh [--load] N [CTEST_ARG...]" >&2; exit 2; }
runs=$1; shift
[ -f build/windows/CTestTestfile.cmake ] || { echo "soak: no Windows build: run scripts/test.sh first" >&2; exit 1; }

out=build/soak
rm -rf "$out" && mkdir -p "$out"
busy=()
trap '[ ${#busy[@]} = 0 ] || kill "${busy[@]}" 2>/dev/null || true' EXIT
if [ $load = 1 ]; then
  for _ in $(seq "$(nproc)"); do sh -c 'while :; do :; done' & busy+=($!); done
fi

failed_runs=0
for run in $(seq "$runs"); do
  log=$out/run-$run.log
  start=$(date +%s)
  if scripts/with-wine.sh build/windows/wineprefix ctest --preset windows "$@" >"$log" 2>&1; then
    verdict=passed; rm -f "$log"
  else
    verdict="FAILED ($log)"; failed_runs=$((failed_runs + 1))
    # ctest's summary lines: "  12 - e2e.Name (Failed)"
    sed -n 's/^[[:space:]]*[0-9]\{1,\} - \([^ ]*\).* (\([^()]*\))$/\1 \2/p' "$log" >>"$out/failures"
  fi
  echo "soak: run $run of $runs ${verdict} in $(($(date +%s) - start)) s${busy:+, cores kept busy}"
done

echo "soak: $((runs - failed_runs)) of $runs runs passed"
if [ -s "$out/failures" ]; then
  printf '\n| test | failed | how |\n| --- | ---: | --- |\n'
  sort "$out/failures" | uniq -c | sort -rn | awk '{ n = $1; t = $2; $1 = $2 = ""; sub(/^  /, ""); printf "| %s | %d of '"$runs"' | %s |\n", t, n, $0 }'
fi
[ $failed_runs = 0 ]
