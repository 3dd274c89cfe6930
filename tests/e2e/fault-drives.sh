#!/bin/sh
# Extra drives in a test Wine prefix for the installation's fault cases, made for one run of
# a command and removed again afterwards, whatever the command's outcome:
#   fault-drives.sh PREFIX FOLDER COMMAND...
# The drives:
#   r:  CD-ROM drive whose folder does not exist: a drive that is not ready
#   s:  a 512 KB tmpfs mounted on FOLDER/s, a disk the cases can fill up; only where this
#       machine lets us mount (root); else s: is missing and the command is told so by
#       R7716_FAULT_TMPFS=0 with the reason in R7716_FAULT_TMPFS_WHY
#   t:  a read-only bind mount of FOLDER/t-files on FOLDER/t holding LonWorks with all its
#       folders and old files, each holding "old " and its name (write-protected media);
#       where mounting is refused, R7716_FAULT_READONLY=0 and R7716_FAULT_READONLY_WHY
# The command sees R7716_FAULT_DRIVES=1. Wine's mount manager reads the drives when its
# server starts, so the server is ended before and after; one that was running is started
# again as a persistent one, as scripts/with-wine.sh leaves it.
set -u
prefix=$1
folder=$2
shift 2
key='HKLM\Software\Wine\Drives'

. "$(dirname "$0")/../../scripts/wine-env.sh"
wine_env "$prefix"
. "$(dirname "$0")/wineserver-steps.sh"

unmount_all() {
  for m in "$folder/s" "$folder/t-stage" "$folder/t"; do
    if mountpoint -q "$m" 2>/dev/null; then umount "$m" || true; fi
  done
}

cleanup() {
  stop_server
  rm -f "$prefix/dosdevices/r:" "$prefix/dosdevices/s:" "$prefix/dosdevices/t:"
  wine reg delete "$key" /v r: /f >/dev/null 2>&1 || true
  restart_server
  unmount_all
  rm -rf "$folder"
}

stop_server first
unmount_all
rm -rf "$folder"
mkdir -p "$folder/s" "$folder/t"
trap cleanup EXIT INT TERM
ln -sfn "$folder/not-ready" "$prefix/dosdevices/r:"
wine reg add "$key" /v r: /d cdrom /f >/dev/null 2>&1
if why=$(mount -t tmpfs -o size=512k,mode=0777 tmpfs "$folder/s" 2>&1); then
  ln -sfn "$folder/s" "$prefix/dosdevices/s:"
  export R7716_FAULT_TMPFS=1
else
  export R7716_FAULT_TMPFS=0 R7716_FAULT_TMPFS_WHY="mount -t tmpfs failed: $why"
fi
lw="$folder/t-files/LonWorks"
mkdir -p "$lw/Import" "$lw/Types/User/KR"
printf 'old R7716.XIF' >"$lw/Import/R7716.XIF"
for f in R7716.ENU R7716.FMT R7716.FPT R7716.TYP; do printf 'old %s' "$f" >"$lw/Types/User/KR/$f"; done
printf 'old loninst.cmd' >"$lw/Types/loninst.cmd"
# Bound read-only first elsewhere, then from there: a bind mount made read-only afterwards
# stays writable in the copies that mount propagation made of it meanwhile (the 32-bit
# suite's Wine sees the tree through such a copy, scripts/wine32.sh); a bind of a read-only
# mount is read-only in every copy.
mkdir -p "$folder/t-stage"
if why=$( (mount --bind "$folder/t-files" "$folder/t-stage" && mount -o remount,bind,ro "$folder/t-stage" &&
           mount --bind "$folder/t-stage" "$folder/t" && umount "$folder/t-stage") 2>&1); then
  ln -sfn "$folder/t" "$prefix/dosdevices/t:"
  export R7716_FAULT_READONLY=1
else
  export R7716_FAULT_READONLY=0 R7716_FAULT_READONLY_WHY="read-only bind mount failed: $why"
fi
restart_server
R7716_FAULT_DRIVES=1 "$@"
rc=$?
exit $rc
