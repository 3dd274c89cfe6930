#!/usr/bin/env bash
# Runs a command with the Wine prefix PREFIX ready, a persistent wineserver and, when no
# display is given, a virtual X display. Usage: scripts/with-wine.sh PREFIX COMMAND...
set -euo pipefail
# Every Wine process here runs without address-space randomisation (and so does whatever it
# starts). Wine 8's loader (/usr/lib/wine/wine64, fixed at 0x7d000000) gets its heap put by
# the kernel anywhere in the gigabyte above it; about one start in several thousand puts it
# where Wine then maps its shared user data (0x7ffe0000), and that process dies before it
# runs: "wine: failed to map the shared user data: c0000018", its CreateProcess fails. With
# the layout fixed the heap always follows the loader.
if [ -z "${R7716_FIXED_LAYOUT:-}" ]; then
  R7716_FIXED_LAYOUT=1 exec setarch "$(uname -m)" --addr-no-randomize "$0" "$@"
fi
prefix=$(realpath -m "$1"); shift
here=$(dirname "$0")
"$here/wineprefix.sh" "$prefix"
. "$here/wine-env.sh"
wine_env "$prefix"

xvfb_pid=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1 || true
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ] || [ "${R7716_HEADLESS:-0}" = 1 ]; then
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    break
  done
  [ -n "$xvfb_pid" ] || { echo "with-wine: no free X display" >&2; exit 1; }
fi

wine_start_server
"$@"
