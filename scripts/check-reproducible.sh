#!/usr/bin/env bash
# Checks that the delivered programs build reproducibly: the tracked source files are copied
# into a folder of another name, the windows preset's delivered exes are built there into a
# build folder of another name, and each is compared byte for byte with build/windows/bin
# (which must be built already). Also checks that no build folder's name is left in them,
# and that the package made from each build's r7716-install.exe is the same.
# Usage: scripts/check-reproducible.sh
set -euo pipefail
cd "$(dirname "$0")/.."
here=$PWD
exes=(R7716Tool.exe R7716Tool-dev.exe r7716-install.exe)
targets=(R7716Tool R7716Tool-dev r7716-install)
for exe in "${exes[@]}"; do
  [ -f "build/windows/bin/$exe" ] || { echo "check-reproducible: build/windows/bin/$exe is not built"; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/r7716-repro.XXXXXX")
trap 'rm -rf "$work"' EXIT
src=$work/second-source
out=$work/second-build
mkdir -p "$src"
git ls-files -z | tar --null -T - -cf - | tar -xf - -C "$src"

echo "check-reproducible: building ${targets[*]} in $out from $src"
(cd "$src" && cmake --preset windows -B "$out" -DR7716_BUILD_TESTS=OFF -DR7716_BUILD_BENCH=OFF >/dev/null)
cmake --build "$out" -j2 --target "${targets[@]}" >"$work/build.log" 2>&1 || { cat "$work/build.log"; exit 1; }

status=0
for exe in "${exes[@]}"; do
  if cmp -s "build/windows/bin/$exe" "$out/bin/$exe"; then
    echo "check-reproducible: $exe identical ($(stat -c %s "$out/bin/$exe") bytes)"
  else
    echo "check-reproducible: $exe DIFFERS between the two builds"; status=1
  fi
  for tree in "$here" "$src" "$out" "$work"; do
    if strings -a "$out/bin/$exe" | grep -qF "$tree" || strings -a -el "$out/bin/$exe" | grep -qF "$tree"; then
      echo "check-reproducible: $exe holds the build path $tree"; status=1
    fi
  done
done

# The package: each build's r7716-install.exe packaged by its own tree's script, the second
# a second later in another time zone (the copy has no history: the commit's time is given).
epoch=$(git log -1 --format=%ct)
cmake -P packaging/make-msi.cmake build/windows/bin/r7716-install.exe "$work/first.msi" >/dev/null
sleep 1
(cd "$src" && TZ=Asia/Tokyo SOURCE_DATE_EPOCH=$epoch \
  cmake -P packaging/make-msi.cmake "$out/bin/r7716-install.exe" "$work/second.msi" >/dev/null)
if cmp -s "$work/first.msi" "$work/second.msi"; then
  echo "check-reproducible: the package identical ($(stat -c %s "$work/second.msi") bytes)"
else
  echo "check-reproducible: the package DIFFERS between the two builds"; status=1
fi
exit $status
