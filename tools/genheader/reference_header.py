#!/usr/bin/env python3
"""Reference writer of the payload header, used by the tests to check r7716-genheader.

Written straight from the format's rules, one entry at a time, without any of the
generator's arithmetic, so the two implementations fail independently.
Usage: reference_header.py PATHFIELD OUTPUT
"""
import sys


def section(ext, data):
    if not data:
        return b"\r\n\r\n"
    n = len(data)
    parts = ["int %slen = %d;\r\n" % (ext, n), "char %s[%d]={\r\n" % (ext, n)]
    for i, b in enumerate(data):
        parts.append("0x%02X" % b)
        if i != n - 1:
            parts.append(",")
        if (i + 1) % 10 == 0:
            parts.append("\r\n")
        if i == n - 1:
            parts.append("};")
    parts.append("\r\n\r\n")
    return "".join(parts).encode("ascii")


def main():
    path_field, output = sys.argv[1], sys.argv[2]
    base = path_field[:-3] if len(path_field) >= 3 else path_field
    header = b""
    for ext in ("xif", "enu", "fpt", "fmt", "typ"):
        try:
            with open(base + ext, "rb") as f:
                data = f.read()
        except OSError:
            data = b""
        header += section(ext, data)
    with open(output, "wb") as f:
        f.write(header)


if __name__ == "__main__":
    main()
