#!/usr/bin/env bash
# Makes the release zip build/release/R7716Tool-<version>.zip: builds both Windows presets,
# runs the 64-bit build's tests under Wine (the zip holds the programs they tested; skipped
# with --no-tests when the caller has just run them), and packs with CPack's ZIP generator.
# Usage: scripts/release.sh [--no-tests]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

echo "== release: the 32-bit build (compiled, not run here)"
cmake --preset windows-x86 >/dev/null
cmake --build --preset windows-x86 -j2 --target R7716Tool R7716Tool-dev r7716-install

echo "== release: the 64-bit build"
cmake --preset windows -DR7716_RELEASE_X86_DIR="$PWD/build/windows-x86/bin" >/dev/null
cmake --build --preset windows -j2
if [ "${1:-}" != "--no-tests" ]; then
  scripts/with-wine.sh build/windows/wineprefix ctest --preset windows
fi

echo "== release: pack"
rm -rf build/release
# The package of the tested r7716-install.exe, beside the zip and (Release.cmake) in it.
mkdir -p build/release && cmake -P packaging/make-msi.cmake build/windows/bin/r7716-install.exe build/release
(cd build/windows && cpack --config CPackConfig.cmake)
zip=$(ls build/release/R7716Tool-*.zip)

# The zip as a user gets it: every file listed in SHA256SUMS, every sum right.
check=$(mktemp -d "${TMPDIR:-/tmp}/r7716-release.XXXXXX")
trap 'rm -rf "$check"' EXIT
(cd "$check" && cmake -E tar xf "$OLDPWD/$zip")
(cd "$check"/R7716Tool-* && sha256sum --quiet -c SHA256SUMS &&
  [ "$(find . -type f ! -name SHA256SUMS | wc -l)" = "$(wc -l < SHA256SUMS)" ]) ||
  { echo "release: SHA256SUMS does not cover the zip"; exit 1; }
echo "release: $zip"
(cd "$check" && find . -type f | sort)
