#!/usr/bin/env bash
# Makes the pictures of docs/ again from the end-to-end driver's screenshots: builds the
# windows preset, runs the end-to-end cases that save the boxes and the headless demonstration
# (which installs into "C:\Program Files\LonWorks" of the build's Wine prefix, made with its
# Import and Types folders for the picture and removed again), all under a virtual display,
# and copies each screenshot into docs/ as a palette PNG (a screenshot holds few colours).
# Usage: scripts/doc-pictures.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

build=build/windows prefix=build/windows/wineprefix
artifacts=$build/artifacts
# docs/NAME      the driver's screenshot    who saves it (--demo: the demonstration, else its e2e case)
pictures=(
  "main-window.png        main-window.png                  --demo"
  "main-window-dev.png    main-window-dev.png              --demo"
  "box-success.png        success-box.png                  --demo"
  "box-warning.png        warning-box-0.png                e2e.Installation.RefusedPathShowsTheThreeLineWarningAndCreatesNothing"
  "box-cannot-create.png  error-box.png                    e2e.Installation.MissingLonWorksFolderIsAnErrorAndASecondRunThenSucceeds"
  "box-busy.png           busy-box.png                     e2e.Installation.WaitsWhileAnotherInstallationRuns"
  "box-cannot-start.png   start-error-box.png              e2e.Installation.RelativePathFollowsTheWorkingDirectory"
  "box-cannot-write.png   fault-InterfaceFile.png          e2e.Faults/FolderInPlaceOfAFile.IsAnErrorNamingTheFileAndKeepsTheFolder/InterfaceFile"
  "box-lock-unusable.png  fault-LockTakenBySquatter.png    e2e.Faults/ElevatedRun.GivesNoStandardUserAWayIn/LockTakenBySquatter"
  "box-leads-outside.png  fault-DeviceFolderLeadsOutside.png e2e.Faults/ElevatedRun.GivesNoStandardUserAWayIn/DeviceFolderLeadsOutside"
)

echo "== doc-pictures: build (windows preset)"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)"
scripts/wineprefix.sh "$prefix"

# No screenshot of an earlier run stands in for one that was not made now.
tests=()
for row in "${pictures[@]}"; do
  read -r _ shot source <<<"$row"
  rm -f "$artifacts/$shot"
  [ "$source" = --demo ] || tests+=("$(sed 's/[.]/\\./g' <<<"$source")")
done
# A parameterised case's ctest name ends in "  # GetParam() = ...".
regex="^($(IFS='|'; echo "${tests[*]}"))(  #.*)?\$"

echo "== doc-pictures: the end-to-end cases that save the boxes"
R7716_HEADLESS=1 scripts/with-wine.sh "$prefix" ctest --preset windows --output-on-failure -R "$regex"

echo "== doc-pictures: the demonstration (main windows and the success box)"
demo=$prefix/drive_c/Program\ Files/LonWorks
[ ! -e "$demo" ] || { echo "doc-pictures: $demo is there already; remove it first" >&2; exit 1; }
trap 'rm -rf "$demo"' EXIT
mkdir -p "$demo/Import" "$demo/Types"
R7716_HEADLESS=1 scripts/with-wine.sh "$prefix" \
  "$build/wine-run.sh" "$build/bin/e2e_driver.exe" --demo 'C:\Program Files\LonWorks' | tr -d '\r' >"$build/doc-pictures-demo.log" ||
  { cat "$build/doc-pictures-demo.log" >&2; echo "doc-pictures: the demonstration failed" >&2; exit 1; }

echo "== doc-pictures: into docs/"
for row in "${pictures[@]}"; do
  read -r name shot source <<<"$row"
  [ -f "$artifacts/$shot" ] || { echo "doc-pictures: $source saved no $artifacts/$shot" >&2; exit 1; }
done
for row in "${pictures[@]}"; do
  read -r name shot _ <<<"$row"
  python3 - "$artifacts/$shot" "docs/$name" <<'EOF'
# Writes the 8-bit RGB PNG argv[1] as argv[2]: with a palette when it has at most 256 colours,
# else as RGB, compressed at zlib's highest level (the driver stores its rows uncompressed).
import struct, sys, zlib

def chunks(data):
    at = 8
    while at < len(data):
        (n,) = struct.unpack(">I", data[at:at + 4])
        yield data[at + 4:at + 8], data[at + 8:at + 8 + n]
        at += 12 + n

def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

data = open(sys.argv[1], "rb").read()
assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
parts = list(chunks(data))
width, height, depth, kind, _, _, interlace = struct.unpack(">IIBBBBB", parts[0][1])
assert (depth, kind, interlace) == (8, 2, 0), "not an 8-bit RGB PNG without interlacing"
raw = zlib.decompress(b"".join(body for k, body in parts if k == b"IDAT"))
stride = width * 3
rows, above = [], bytearray(stride)
for y in range(height):
    line = raw[y * (stride + 1):(y + 1) * (stride + 1)]
    f, row = line[0], bytearray(line[1:])
    for x in range(stride):
        a = row[x - 3] if x >= 3 else 0
        b, c = above[x], above[x - 3] if x >= 3 else 0
        if f == 1: row[x] = (row[x] + a) & 255
        elif f == 2: row[x] = (row[x] + b) & 255
        elif f == 3: row[x] = (row[x] + (a + b) // 2) & 255
        elif f == 4:
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            row[x] = (row[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
    rows.append(bytes(row))
    above = row
colours = sorted({row[x:x + 3] for row in rows for x in range(0, stride, 3)})
if len(colours) <= 256:
    index = {c: i for i, c in enumerate(colours)}
    body = b"".join(b"\0" + bytes(index[row[x:x + 3]] for x in range(0, stride, 3)) for row in rows)
    header, extra = struct.pack(">IIBBBBB", width, height, 8, 3, 0, 0, 0), chunk(b"PLTE", b"".join(colours))
else:
    body = b"".join(b"\0" + row for row in rows)
    header, extra = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0), b""
out = data[:8] + chunk(b"IHDR", header) + extra + chunk(b"IDAT", zlib.compress(body, 9)) + chunk(b"IEND", b"")
open(sys.argv[2], "wb").write(out)
EOF
  echo "  docs/$name  ($(stat -c %s "docs/$name") bytes, from $shot)"
done
