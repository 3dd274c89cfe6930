#!/usr/bin/env bash
# Builds and runs every test: the format check, the native core tests, the 32-bit build,
# the Win32 tests and end-to-end tests under Wine with a virtual display, a second build of
# the delivered programs elsewhere that must give the same bytes, and the release zip.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)

echo "== format: every source as .clang-format says"
scripts/check-format.sh

echo "== native: build and unit tests"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

echo "== native: unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset native-sanitize >/dev/null
cmake --build --preset native-sanitize -j "$jobs"
ctest --preset native-sanitize -j "$jobs"

echo "== fuzz: every committed input once, then 30 s per target"
scripts/fuzz.sh 30

echo "== windows-x86: build only"
cmake --preset windows-x86 >/dev/null
cmake --build --preset windows-x86 -j "$jobs"

echo "== windows: build"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"

echo "== windows: the delivered programs build reproducibly"
scripts/check-reproducible.sh

echo "== release: the zip with both builds, README and SHA256SUMS (its programs are tested next)"
scripts/release.sh --no-tests

echo "== windows: Win32 tests and end-to-end tests under Wine"
scripts/with-wine.sh build/windows/wineprefix ctest --preset windows
