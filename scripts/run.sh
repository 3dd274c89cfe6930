#!/usr/bin/env bash
# Builds the tool and runs it. With a usable display the tool opens under Wine for you to
# use. Without one it runs under a virtual display, where the end-to-end driver works
# through one installation into a fresh sample LonWorks folder, prints what was installed
# and saves screenshots into build/windows/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
if ! command -v xdpyinfo >/dev/null 2>&1; then
  echo "run: installing x11-utils (xdpyinfo, to tell whether a display is usable)"
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends x11-utils >/dev/null
fi

echo "== build (windows preset)"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)"
prefix=build/windows/wineprefix
scripts/wineprefix.sh "$prefix"

if [ -n "${DISPLAY:-}" ] && [ "${R7716_HEADLESS:-0}" != 1 ] && xdpyinfo >/dev/null 2>&1; then
  echo "== running the tool on $DISPLAY (close its window to end)"
  exec scripts/with-wine.sh "$prefix" build/windows/wine-run.sh build/windows/bin/R7716Tool.exe
fi

echo "== no usable display: one installation under a virtual display, worked by the driver"
folder="C:\\demo\\$(date +%Y%m%d-%H%M%S)-$$\\LonWorks"
R7716_HEADLESS=1 scripts/with-wine.sh "$prefix" \
  build/windows/wine-run.sh build/windows/bin/e2e_driver.exe --demo "$folder" | tr -d '\r'
echo
echo "Sample folder on this machine: $prefix/drive_c/${folder#C:\\}" | tr '\\' '/'
echo "Screenshots:"
for png in build/windows/artifacts/main-window.png build/windows/artifacts/success-box.png; do
  [ -f "$png" ] && echo "  $png"
done
