#!/bin/sh
# Extra drives in a test Wine prefix for the folder chooser's end-to-end cases.
#   chooser-drives.sh setup   PREFIX FOLDER   makes the drives (FOLDER holds their contents)
#   chooser-drives.sh cleanup PREFIX FOLDER   removes them again
# The drives:
#   m:  fixed drive on FOLDER/m with the volume label "MyLabel" (.windows-label)
#   n:  CD-ROM drive on FOLDER/n, holding the folder MixedCase (Wine reports such a volume
#       as neither case-preserving nor case-sensitive)
#   o:  network drive on FOLDER/o (no connection: Wine lists it with its volume text)
#   q:  CD-ROM drive whose folder does not exist: a drive that is not ready
# Wine's mount manager reads the drives when its server starts, so both steps end the
# prefix's server; one that was running is started again as a persistent one, as
# scripts/with-wine.sh leaves it. Run only while no other test uses the prefix (the ctest
# steps are RUN_SERIAL).
set -eu
step=$1
prefix=$2
folder=$3
key='HKLM\Software\Wine\Drives'

. "$(dirname "$0")/../../scripts/wine-env.sh"
wine_env "$prefix"
. "$(dirname "$0")/wineserver-steps.sh"

stop_server first
case "$step" in
setup)
  rm -rf "$folder"
  mkdir -p "$folder/m" "$folder/n/MixedCase" "$folder/o"
  printf 'MyLabel\n' >"$folder/m/.windows-label"
  ln -sfn "$folder/m" "$prefix/dosdevices/m:"
  ln -sfn "$folder/n" "$prefix/dosdevices/n:"
  ln -sfn "$folder/o" "$prefix/dosdevices/o:"
  ln -sfn "$folder/not-ready" "$prefix/dosdevices/q:"
  wine reg add "$key" /v n: /d cdrom /f >/dev/null 2>&1
  wine reg add "$key" /v o: /d network /f >/dev/null 2>&1
  wine reg add "$key" /v q: /d cdrom /f >/dev/null 2>&1
  restart_server
  ;;
cleanup)
  rm -f "$prefix/dosdevices/m:" "$prefix/dosdevices/n:" "$prefix/dosdevices/o:" "$prefix/dosdevices/q:"
  for d in n: o: q:; do wine reg delete "$key" /v "$d" /f >/dev/null 2>&1 || true; done
  restart_server
  rm -rf "$folder"
  ;;
*)
  echo "usage: $0 setup|cleanup PREFIX FOLDER" >&2
  exit 2
  ;;
esac
