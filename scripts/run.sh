#!/usr/bin/env bash
# Builds the tool and runs it. With a usable display the tool opens under Wine for you to
# use. Without one it runs under a virtual display, where the end-to-end driver works
# through one installation into a fresh sample LonWorks folder, prints what was installed
# and saves screenshots into <build>/artifacts/. R7716_BUILD_DIR picks another build
# tree than build/windows (it gets its own Wine prefix).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/setup.sh x11-utils  # xdpyinfo tells whether a display is usable

build=${R7716_BUILD_DIR:-build/windows}
echo "== build (windows preset) in $build"
cmake --preset windows -B "$build" >/dev/null
cmake --build "$build" -j "$(nproc)"
prefix=$build/wineprefix
scripts/wineprefix.sh "$prefix"

if [ -n "${DISPLAY:-}" ] && [ "${R7716_HEADLESS:-0}" != 1 ] && xdpyinfo >/dev/null 2>&1; then
  echo "== running the tool on $DISPLAY (close its window to end)"
  exec scripts/with-wine.sh "$prefix" "$build/wine-run.sh" "$build/bin/R7716Tool.exe"
fi

echo "== no usable display: one installation under a virtual display, worked by the driver"
folder="C:\\demo\\$(date +%Y%m%d-%H%M%S)-$$\\LonWorks"
R7716_HEADLESS=1 scripts/with-wine.sh "$prefix" \
  "$build/wine-run.sh" "$build/bin/e2e_driver.exe" --demo "$folder" | tr -d '\r'
echo
echo "(mkcat.exe, the LonWorks catalog tool, is not on this machine: the command file's"
echo " complaint that it cannot find it is expected here.)"
echo "Sample folder on this machine: $prefix/drive_c/${folder#C:\\}" | tr '\\' '/'
echo "Screenshots:"
for png in "$build/artifacts/main-window.png" "$build/artifacts/success-box.png" \
           "$build/artifacts/main-window-dev.png"; do
  if [ -f "$png" ]; then echo "  $png"; fi
done
