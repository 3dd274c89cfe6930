#!/bin/sh
# Extra drives in a test Wine prefix for the installation's fault cases, made for one run of
# a command and removed again afterwards, whatever the command's outcome:
#   fault-drives.sh PREFIX FOLDER COMMAND...
# The drives:
#   r:  CD-ROM drive whose folder does not exist: a drive that is not ready
#   s:  a 512 KB tmpfs mounted on FOLDER/s, a disk the cases can fill up; only where this
#       machine lets us mount (root); else s: is missing and the command is told so by
#       R7716_FAULT_TMPFS=0 with the reason in R7716_FAULT_TMPFS_WHY
# The command sees R7716_FAULT_DRIVES=1. Wine's mount manager reads the drives when its
# server starts, so the server is ended before and after; one that was running is started
# again as a persistent one, as scripts/with-wine.sh leaves it.
set -u
prefix=$1
folder=$2
shift 2
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
key='HKLM\Software\Wine\Drives'

was_running=0
stop_server() {
  if wineserver -k >/dev/null 2>&1; then
    [ "${1:-}" = first ] && was_running=1
  fi
  wineserver -w >/dev/null 2>&1 || true
}
restart_server() {
  stop_server
  if [ "$was_running" = 1 ]; then
    wineserver -p </dev/null >/dev/null 2>&1
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  fi
}

cleanup() {
  stop_server
  rm -f "$prefix/dosdevices/r:" "$prefix/dosdevices/s:"
  wine reg delete "$key" /v r: /f >/dev/null 2>&1 || true
  restart_server
  if mountpoint -q "$folder/s" 2>/dev/null; then umount "$folder/s" || true; fi
  rm -rf "$folder"
}

stop_server first
if mountpoint -q "$folder/s" 2>/dev/null; then umount "$folder/s" || true; fi
rm -rf "$folder"
mkdir -p "$folder/s"
trap cleanup EXIT INT TERM
ln -sfn "$folder/not-ready" "$prefix/dosdevices/r:"
wine reg add "$key" /v r: /d cdrom /f >/dev/null 2>&1
if why=$(mount -t tmpfs -o size=512k,mode=0777 tmpfs "$folder/s" 2>&1); then
  ln -sfn "$folder/s" "$prefix/dosdevices/s:"
  export R7716_FAULT_TMPFS=1
else
  export R7716_FAULT_TMPFS=0 R7716_FAULT_TMPFS_WHY="mount -t tmpfs failed: $why"
fi
restart_server
R7716_FAULT_DRIVES=1 "$@"
rc=$?
exit $rc
