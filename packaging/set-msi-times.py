#!/usr/bin/python3
"""Sets the creation and last-save times of a Windows Installer package to a Unix time.

    set-msi-times.py PACKAGE.msi UNIX_TIME

wixl writes the current time into the package's summary information and has no
SOURCE_DATE_EPOCH. olefile (Debian's python3-olefile, hence /usr/bin/python3) reads the
compound file's summary information stream and writes it back in place, the same size with
the two FILETIME values replaced. Nothing else changes.
"""
import struct
import sys

import olefile

SUMMARY = "\x05SummaryInformation"
TIMES = (12, 13)  # PID_CREATE_DTM, PID_LASTSAVE_DTM
SINCE_1601 = 11644473600  # FILETIME counts 100 ns from 1601, Unix time seconds from 1970


def main(path, unix_time):
    filetime = struct.pack("<Q", (unix_time + SINCE_1601) * 10_000_000)
    with olefile.OleFileIO(path, write_mode=True) as package:
        stream = bytearray(package.openstream(SUMMARY).read())
        # The property set's section (its offset follows the 28-byte header and the FMTID):
        # a size, a count, then each property's id and offset; a value follows its 4-byte type.
        (section,) = struct.unpack_from("<I", stream, 44)
        (count,) = struct.unpack_from("<I", stream, section + 4)
        for i in range(count):
            pid, offset = struct.unpack_from("<II", stream, section + 8 + 8 * i)
            if pid in TIMES:
                stream[section + offset + 4:section + offset + 12] = filetime
        package.write_stream(SUMMARY, bytes(stream))
    # olefile reads a FILETIME property as whole seconds since 1601.
    with olefile.OleFileIO(path) as package:
        times = package.getproperties(SUMMARY)
    if [times.get(pid) for pid in TIMES] != [unix_time + SINCE_1601] * len(TIMES):
        sys.exit("set-msi-times: %s: the creation and last-save times are not set" % path)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: set-msi-times.py PACKAGE.msi UNIX_TIME")
    main(sys.argv[1], int(sys.argv[2]))
