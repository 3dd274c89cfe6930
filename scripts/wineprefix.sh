#!/usr/bin/env bash
# Creates a Wine prefix for tests once: fonts, a virtual desktop, no crash dialog, no
# Mono or Gecko prompt. Usage: scripts/wineprefix.sh PREFIX
set -euo pipefail
prefix=$(realpath -m "$1")
. "$(dirname "$0")/wine-env.sh"
wine_env "$prefix"
if [ -f "$prefix/.r7716-ready" ]; then exit 0; fi
echo "wineprefix: creating $prefix"
rm -rf "$prefix"
mkdir -p "$prefix"
wineboot --init >/dev/null 2>&1
wineserver -w
mkdir -p "$prefix/drive_c/windows/Fonts"
cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
wineserver -w
touch "$prefix/.r7716-ready"
