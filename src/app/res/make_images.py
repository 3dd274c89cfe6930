#!/usr/bin/env python3
"""Draws the tool's icon and the folder chooser's bitmaps (16 colours, 4 bits per pixel).

Run from anywhere: writes MAINICON.ico and the eight .bmp files beside this script.
Pictures are given as rows of characters, top row first; each character names a colour
of the standard 16-colour palette below.
"""
import os
import struct

# The standard 16-colour palette (index: (r, g, b)).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# Characters of the pictures. '.' is the transparent ground of the bitmaps: olive, a colour
# no picture uses, so the bottom-left pixel of every bitmap carries it.
COLOURS = {
    '.': 3,   # olive: transparent
    'k': 0,   # black
    'r': 1,   # dark red
    'g': 2,   # dark green
    'b': 4,   # dark blue
    'p': 5,   # purple
    't': 6,   # teal
    's': 7,   # silver
    'd': 8,   # grey
    'R': 9,   # red
    'G': 10,  # green
    'y': 11,  # yellow
    'B': 12,  # blue
    'c': 14,  # cyan
    'w': 15,  # white
}


def pack_rows(rows, width):
    """4-bit rows, bottom row first, each padded to a multiple of 4 bytes."""
    out = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for x in range(0, width, 2):
            line.append((row[x] << 4) | row[x + 1])
        while len(line) % 4:
            line.append(0)
        out += line
    return bytes(out)


def palette_bytes():
    return b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)


def info_header(width, height, image_size):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, image_size, 0, 0, 16, 0)


def bitmap_file(picture):
    height = len(picture)
    width = len(picture[0])
    assert all(len(row) == width for row in picture), picture
    assert picture[-1][0] == '.', 'the bottom-left pixel must be the transparent colour'
    rows = [[COLOURS[ch] for ch in row] for row in picture]
    pixels = pack_rows(rows, width)
    offset = 14 + 40 + 64
    return (struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
            + info_header(width, height, len(pixels)) + palette_bytes() + pixels)


def main_icon():
    """32 x 32: a dark-green right triangle over pixels 2..29, right angle at the lower right."""
    size = 32
    green = 2
    colour = [[0] * size for _ in range(size)]
    opaque = [[False] * size for _ in range(size)]
    for y in range(2, 30):
        for x in range(2, 30):
            if x + y >= 31:   # on or below the long side from (2, 29) to (29, 2)
                colour[y][x] = green
                opaque[y][x] = True
    xor = pack_rows(colour, size)
    and_mask = bytearray()
    for y in reversed(range(size)):
        bits = 0
        for x in range(size):
            bits = (bits << 1) | (0 if opaque[y][x] else 1)
        and_mask += struct.pack('>I', bits)
    image = info_header(size, 2 * size, len(xor) + len(and_mask)) + palette_bytes() + xor + bytes(and_mask)
    assert len(image) == 744, len(image)
    directory = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(image), 22)
    return directory + image


FLOPPY = [
    '................',
    '..bbbbbbbbbbbb..',
    '..bbsssssssbbb..',
    '..bbsssssssbbb..',
    '..bbsssssssbbb..',
    '..bbbbbbbbbbbb..',
    '..bbbwwwwwwbbb..',
    '..bbbwwkkwwbbb..',
    '..bbbwwkkwwbbb..',
    '..bbbbbbbbbbbb..',
    '................',
]

HARD = [
    '................',
    '................',
    '.dddddddddddddd.',
    '.dwwwwwwwwwwwwk.',
    '.dwssssssssssdk.',
    '.dwssssssssGGdk.',
    '.dwssssssssssdk.',
    '.dddddddddddddk.',
    '.kkkkkkkkkkkkkk.',
    '................',
    '................',
]

NETWORK = [
    '................',
    '.dddddddddddddd.',
    '.dwwwwwwwwwwwwk.',
    '.dwssssssssGGdk.',
    '.dddddddddddddk.',
    '.kkkkkkkkkkkkkk.',
    '.......kk.......',
    '.......kk.......',
    '..kkkkkkkkkkkk..',
    '..k..........k..',
    '................',
]

CDROM = [
    '.....dddddd.....',
    '...ddsswwccdd...',
    '..dsswwwwccccd..',
    '.dsswwwddwwccBd.',
    '.dsswwdkkdwwcBd.',
    '.dssswdkkdwwBBd.',
    '.dssswwddwwBBBd.',
    '..dsssswwwBBBd..',
    '...ddssswBBdd...',
    '.....dddddd.....',
    '................',
]

RAM = [
    '................',
    '..s.s.s.s.s.s...',
    '.kkkkkkkkkkkkkk.',
    '.kggggggggggggk.',
    '.kgyyyggyyyyggk.',
    '.kgyyyggyyyyggk.',
    '.kggggggggggggk.',
    '.kkkkkkkkkkkkkk.',
    '..s.s.s.s.s.s...',
    '................',
    '................',
]

CLOSEDFOLDER = [
    '................',
    '................',
    '..kkkkk.........',
    '.kyyyyyk........',
    '.kkkkkkkkkkkkk..',
    '.kwyyyyyyyyyyk..',
    '.kyyyyyyyyyyyk..',
    '.kyyyyyyyyyyyk..',
    '.kyyyyyyyyyyyk..',
    '.kyyyyyyyyyyyk..',
    '.kyyyyyyyyyyyk..',
    '.kyyyyyyyyyyyk..',
    '.kkkkkkkkkkkkk..',
    '................',
    '................',
]

OPENFOLDER = [
    '................',
    '................',
    '..kkkkk.........',
    '.kwyyyyk........',
    '.kwyyyyykkkkk...',
    '.kwyyyyyyyyyk...',
    '.kwykkkkkkkkkkk.',
    '.kwkyyyyyyyyyyk.',
    '.kykyyyyyyyyyk..',
    '.kkyyyyyyyyyyk..',
    '.kkyyyyyyyyyk...',
    '.kyyyyyyyyyyk...',
    '.kkkkkkkkkkk....',
    '................',
    '................',
]

CURRENTFOLDER = [
    '................',
    '................',
    '..kkkkk.........',
    '.kwyyyyk........',
    '.kwyyyyykkkkk...',
    '.kwyyyyyyyyyk...',
    '.kwykkkkkkkkkkk.',
    '.kwkRRRRRRRRRRk.',
    '.kykRRRRRRRRRk..',
    '.kkRRRRRRRRRRk..',
    '.kkRRRRRRRRRk...',
    '.kRRRRRRRRRRk...',
    '.kkkkkkkkkkk....',
    '................',
    '................',
]

BITMAPS = {
    'FLOPPY': (FLOPPY, 16, 11),
    'HARD': (HARD, 16, 11),
    'NETWORK': (NETWORK, 16, 11),
    'CDROM': (CDROM, 16, 11),
    'RAM': (RAM, 16, 11),
    'OPENFOLDER': (OPENFOLDER, 16, 15),
    'CURRENTFOLDER': (CURRENTFOLDER, 16, 15),
    'CLOSEDFOLDER': (CLOSEDFOLDER, 16, 15),
}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, 'MAINICON.ico'), 'wb') as f:
        f.write(main_icon())
    for name, (picture, width, height) in BITMAPS.items():
        assert len(picture) == height and len(picture[0]) == width, name
        with open(os.path.join(here, name + '.bmp'), 'wb') as f:
            f.write(bitmap_file(picture))


if __name__ == '__main__':
    main()
