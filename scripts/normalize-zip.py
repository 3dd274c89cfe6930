#!/usr/bin/env python3
"""Makes a zip written by CPack reproducible, in place: the same entries with the same contents,
sorted by name, each with the time SOURCE_DATE_EPOCH (UTC), mode 644 (folders 755) and no extra
fields. CMake 3.25 cannot do this itself: its archive writer (CPack's ZIP generator and
`cmake -E tar --mtime` alike) puts into every entry's Info-ZIP "UT" field the file's access and
change times and into its "ux" field the builder's user and group ids, and CPack adds the entries
in the order the file system lists them.

Usage: normalize-zip.py ZIP"""
import os
import sys
import time
import zipfile


def main():
    path = sys.argv[1]
    date = time.gmtime(max(int(os.environ["SOURCE_DATE_EPOCH"]), 315532800))[:6]  # zip times begin in 1980
    with zipfile.ZipFile(path) as packed:
        entries = sorted((i.filename, i.is_dir(), packed.read(i)) for i in packed.infolist())
    with zipfile.ZipFile(path + ".tmp", "w") as normal:
        for name, is_dir, data in entries:
            info = zipfile.ZipInfo(name, date)
            info.create_system = 3  # Unix, so that the modes below count
            info.external_attr = (0o40755 << 16) | 0x10 if is_dir else 0o100644 << 16
            info.compress_type = zipfile.ZIP_STORED if is_dir else zipfile.ZIP_DEFLATED
            normal.writestr(info, data, compresslevel=9)
    os.replace(path + ".tmp", path)


if __name__ == "__main__":
    main()
