#!/usr/bin/env python3
"""Writes the seed inputs of the fuzz targets into corpus/<target>/seed-*.

Each target reads its own small input format (see the comment at the top of its source);
the seeds are good inputs in those formats, from the worked examples of the core's rules.
Run again after changing a format; found crashers (crash-*, named cases) stay as they are.
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))


def width(max_width):
    v = max_width + 64
    return bytes([v & 0xFF, v >> 8])


SEEDS = {
    "lonworks_check": [
        b"\x00C:\\LonWorks", b"\x00c:\\lonworks\\", b"\x00D:\\Programs\\LONWORKS", b"\x00C:\\LonWorks\\\\",
        b"\x00C:\\MyLonWorks", b"\x00C:\\LonWorks ", b"\x00C:/LonWorks/", b"\x00D:\\src\\R7716.xif",
        b"\x00", b"\x00onWorks", b"\x01C:\\\x95\\LonWorks", b"\x01C:\\\x81LonWorks",
    ],
    "path_shortening": [
        b"\x00" + width(0) + b"C:\\Program Files\\LonWorks\\Types",
        b"\x00" + width(361) + b"C:\\Program Files\\LonWorks\\Types\\User\\KR\\Some longer folder name\\Deeper",
        b"\x02" + width(100) + b"C:\\A\\B\\C\\D",
        b"\x00" + width(20) + b"C:\\.a\\b\\c\\name",
        b"\x00" + width(30) + b"\\\\server\\share\\dir\\sub",
        b"\x00" + width(5) + b"C:\\",
        b"\x00" + width(0) + b"Types",
        b"\x00" + width(40) + b"C:\\LonWorks",
        b"\x01" + width(30) + b"C:\\\x95\\\\\x81\\A\\B\\name",
        b"\x03" + width(-10) + b"D:\\\x95\\.x\\\xe0:\\last",
    ],
    "header_section": [
        b"\x00xif" + b"abc",
        b"\x00typ" + bytes(range(12)),
        b"\x00fmt" + bytes(range(10)),
        b"\x00fmt\xff",
        b"\x3eenu" + bytes(range(256)),
        b"\x14fpt" + bytes(range(21)),
        b"\x00xif",
    ],
    "directory_rows": [
        b"\x24Program Files\\LonWorks\n\x10Types\n\x10bin\n\x12.svn\n\x14Catalog\n\x20readme.txt\n\x10.\n\x10..\n\x10types\n\x10Import",
        b"\x44dir\\sub\n\x10A\n\x10a\n\x10B",
        b"\x04C:\\\n\x10Windows\n\x10Program Files\n\x16System Volume Information",
        b"\x04\\\\srv\\share\\\n\x10x",
        b"\x25\x95\\\\A\n\x10\x81\\\n\x10\x95a",
        b"\x28Temp\n\x10Sub",
        b"\x30Temp\n\x10Sub",
        b"\x22Temp\n\x10Sub\n\x10sub\n\x18Label",
        b"\x00C:",
        b"\x64srv\\share",
    ],
    "split_target": [
        b"\x00C:\\LonWorks\\Types",
        b"\x00C:\\",
        b"\x00C:\\Program Files\\LonWorks\\readme.txt",
        b"\x00C:\\Program Files\\LonWorks\\Types\\",
        b"\x00D:\\",
        b"\x01C:\\Temp\\*",
        b"\x00\\\\Server\\Share\\x",
        b"\x00C:\\Windows\\System\ndC:\\Windows\\System\nhC:\\Windows\\Hidden\nfC:\\Windows\\win.ini",
        b"\x00C:\\Windows\\System\ndC:\\Windows\\System\nx\\Windows\\System",
        b"\x00..\\Types",
        b"\x00C:Temp",
        b"\x01C:\\Temp\ncE:\\Work\\Sub",
    ],
}

for target, seeds in SEEDS.items():
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    for name in os.listdir(folder):
        if name.startswith("seed-"):
            os.remove(os.path.join(folder, name))
    for i, data in enumerate(seeds, 1):
        with open(os.path.join(folder, "seed-%02d" % i), "wb") as f:
            f.write(data)
