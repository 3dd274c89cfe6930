#!/usr/bin/env bash
# Builds and runs every test: the format check, the documentation's links, the native core
# tests, the 32-bit build, the signed release and its checks (signatures, bill of materials,
# refused certificates, the links of the documents it carries, a second release elsewhere
# that must give the same bytes), and the Win32 tests and end-to-end tests under Wine with a
# virtual display: those of the 64-bit build, then the same ones of the 32-bit build under
# a 32-bit Wine (scripts/wine32.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)
# Each part's heading, and the time the part before it took.
part() { [ -z "${began:-}" ] || echo "   ($((SECONDS - began)) s)"; began=$SECONDS; echo "== $*"; }
trap '[ $? != 0 ] || echo "   ($((SECONDS - began)) s; the whole run $SECONDS s)"' EXIT

part "format: every source as .clang-format says"
scripts/check-format.sh

part "links: every relative link and picture of README.md and docs/*.md resolves"
scripts/check-links.sh

part "native: build and unit tests"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

part "native: unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset native-sanitize >/dev/null
cmake --build --preset native-sanitize -j "$jobs"
ctest --preset native-sanitize -j "$jobs"

part "fuzz: every committed input once, then 30 s per target"
scripts/fuzz.sh 30

part "windows-x86: build"
cmake --preset windows-x86 >/dev/null
cmake --build --preset windows-x86 -j "$jobs"

part "windows: build"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"

part "release: signed with a throwaway certificate and checked, made again elsewhere and compared (its programs are tested next)"
scripts/check-release.sh

part "windows: Win32 tests and end-to-end tests under Wine"
scripts/with-wine.sh build/windows/wineprefix ctest --preset windows

part "windows-x86: the same tests under a 32-bit Wine, set up in build/wine32 (the package's cases excepted: it is 64-bit only)"
scripts/wine32.sh scripts/with-wine.sh build/windows-x86/wineprefix ctest --preset windows-x86
