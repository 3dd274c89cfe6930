#!/usr/bin/env bash
# Checks that the release is reproducible: the tracked source files are copied into a folder
# of another name, the release is made there again, later and in another time zone, by
# scripts/release.sh with the given options (the same as those of the release in build/release, which must be made
# already), and compared byte for byte with build/release: the six programs as built (before
# signing), the zip and the MSI. Also checks that no build folder's name is left in them.
# Usage: scripts/check-reproducible.sh [RELEASE_OPTION...]     e.g. --sign FILE.pfx
set -euo pipefail
cd "$(dirname "$0")/.."
here=$PWD
ls build/release/*.zip >/dev/null 2>&1 || { echo "check-reproducible: no release in build/release: run scripts/release.sh first"; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/r7716-repro.XXXXXX")
trap 'rm -rf "$work"' EXIT
src=$work/second-source
mkdir -p "$src"
git ls-files -z | tar --null -T - -cf - | tar -xf - -C "$src"

echo "check-reproducible: the release again in $src"
# The copy has no history: the commit's time is given.
(cd "$src" && TZ=Asia/Tokyo SOURCE_DATE_EPOCH=$(git -C "$here" log -1 --format=%ct) scripts/release.sh --no-tests "$@") \
  >"$work/release.log" 2>&1 || { cat "$work/release.log"; exit 1; }

status=0
same() { # FIRST SECOND
  local verdict=identical
  cmp -s "$1" "$2" || { verdict="DIFFERENT"; status=1; }
  echo "check-reproducible: ${1#"$here/"} $verdict: sha256 $(sha256sum <"$1" | cut -c1-64) (made $(date -u -r "$1" +%T)), $(sha256sum <"$2" | cut -c1-64) (made $(date -u -r "$2" +%T))"
}
for tree in windows windows-x86; do
  for exe in R7716Tool.exe R7716Tool-dev.exe r7716-install.exe; do
    same "$here/build/$tree/bin/$exe" "$src/build/$tree/bin/$exe"
    for path in "$here" "$src" "$work"; do
      if strings -a "$src/build/$tree/bin/$exe" | grep -qF "$path" || strings -a -el "$src/build/$tree/bin/$exe" | grep -qF "$path"; then
        echo "check-reproducible: $tree/$exe holds the build path $path"; status=1
      fi
    done
  done
done
for package in "$here"/build/release/*.zip "$here"/build/release/*.msi; do
  [ -e "$package" ] && same "$package" "$src/build/release/${package##*/}"
done
exit $status
