#!/usr/bin/env python3
"""Sets the creation and last-save times of a Windows Installer package to a Unix time.

    set-msi-times.py PACKAGE.msi UNIX_TIME

wixl writes the current time into the package's summary information (PID 12 and 13) and has
no SOURCE_DATE_EPOCH; this overwrites both values in place, so that two builds of the same
sources give the same bytes. The package is a compound file: the summary information stream
is found through its directory and allocation tables, read, and its two FILETIME values are
written back where the stream's bytes lie. Nothing else changes. Exits with 1 and a message
when the file is not laid out as expected.
"""
import struct
import sys

SIGNATURE = bytes.fromhex("d0cf11e0a1b11ae1")
SUMMARY_STREAM = "\x05SummaryInformation"
SUMMARY_FMTID = bytes.fromhex("e0859ff2f94f6810ab9108002b27b3d9")
END_OF_CHAIN, FREE_SECTOR = 0xFFFFFFFE, 0xFFFFFFFF
VT_FILETIME = 64
TIME_PIDS = (12, 13)  # PID_CREATE_DTM, PID_LASTSAVE_DTM


class LayoutError(Exception):
    pass


def u32(data, offset):
    return struct.unpack_from("<I", data, offset)[0]


def stream_offsets(data):
    """The file offset of each byte of the summary information stream."""
    if data[:8] != SIGNATURE:
        raise LayoutError("not a compound file")
    sector_size = 1 << struct.unpack_from("<H", data, 30)[0]
    mini_size = 1 << struct.unpack_from("<H", data, 32)[0]
    cutoff = u32(data, 56)

    def at(sector):
        return (sector + 1) * sector_size

    def sector_words(sector):
        return struct.unpack_from("<%dI" % (sector_size // 4), data, at(sector))

    fat_sectors = [s for s in struct.unpack_from("<109I", data, 76) if s != FREE_SECTOR]
    difat = u32(data, 68)
    for _ in range(u32(data, 72)):
        words = sector_words(difat)
        fat_sectors += [s for s in words[:-1] if s != FREE_SECTOR]
        difat = words[-1]
    fat = [word for s in fat_sectors for word in sector_words(s)]

    def chain(start, table):
        sectors = []
        while start != END_OF_CHAIN:
            if start >= len(table) or len(sectors) > len(table):
                raise LayoutError("broken sector chain")
            sectors.append(start)
            start = table[start]
        return sectors

    directory = b"".join(data[at(s):at(s) + sector_size] for s in chain(u32(data, 48), fat))
    entries = {}
    for e in range(0, len(directory), 128):
        name_bytes = struct.unpack_from("<H", directory, e + 64)[0]
        name = directory[e:e + max(name_bytes - 2, 0)].decode("utf-16-le")
        entries[name if e else "<root>"] = (u32(directory, e + 116), struct.unpack_from("<Q", directory, e + 120)[0])
    if SUMMARY_STREAM not in entries:
        raise LayoutError("no summary information stream")
    start, size = entries[SUMMARY_STREAM]
    if size >= cutoff:
        sectors = chain(start, fat)
        return [at(sectors[i // sector_size]) + i % sector_size for i in range(size)]
    mini_fat = [word for s in chain(u32(data, 60), fat) for word in sector_words(s)]
    mini_stream = chain(entries["<root>"][0], fat)
    offsets = []
    for mini in chain(start, mini_fat):
        for i in range(mini * mini_size, (mini + 1) * mini_size):
            offsets.append(at(mini_stream[i // sector_size]) + i % sector_size)
    return offsets[:size]


def time_value_offsets(stream):
    """Offsets in the stream of the 8 bytes of each time property."""
    if stream[28:44] != SUMMARY_FMTID:
        raise LayoutError("the stream is no summary information")
    section = u32(stream, 44)
    count = u32(stream, section + 4)
    found = {}
    for i in range(count):
        pid, offset = struct.unpack_from("<II", stream, section + 8 + 8 * i)
        if pid in TIME_PIDS:
            if struct.unpack_from("<H", stream, section + offset)[0] != VT_FILETIME:
                raise LayoutError("property %d is no FILETIME" % pid)
            found[pid] = section + offset + 4
    if sorted(found) != list(TIME_PIDS):
        raise LayoutError("the package has no creation or last-save time")
    return found.values()


def main(path, unix_time):
    filetime = struct.pack("<Q", (unix_time + 11644473600) * 10_000_000)
    with open(path, "r+b") as f:
        data = f.read()
        offsets = stream_offsets(data)
        stream = bytes(data[o] for o in offsets)
        for value in time_value_offsets(stream):
            for i, byte in enumerate(filetime):
                f.seek(offsets[value + i])
                f.write(bytes([byte]))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: set-msi-times.py PACKAGE.msi UNIX_TIME")
    try:
        main(sys.argv[1], int(sys.argv[2]))
    except (LayoutError, struct.error, IndexError) as error:
        sys.exit("set-msi-times: %s: %s" % (sys.argv[1], error))
