#!/usr/bin/env python3
"""Draws the reader's tree pictures (tree.bmp) and program icon (nuvella.ico).

Both are 16-colour images in the standard VGA palette. The tree bitmap holds five
16 x 15 pictures side by side on pure red, which the image list treats as transparent.
Run it from this folder; the outputs are committed so that builds need no Python.
"""
import struct

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
COLOURS = {'k': 0, 'r': 1, 'o': 3, 'b': 4, 'c': 6, 's': 7, 'g': 8, '.': 9, 'y': 11,
           'B': 12, 'w': 15}

SECTION_CLOSED = """
................
................
.kkkkk..........
kyyyyyk.........
kyyyyyykkkkkkkk.
kyyyyyyyyyyyyyk.
kyyyyyyyyyyyyyk.
kyyyyyyyyyyyyyk.
kyyyyyyyyyyyyyk.
kyyyyyyyyyyyyyk.
kyyyyyyyyyyyyyk.
kooooooooooooook
.kkkkkkkkkkkkkk.
................
................
"""
SECTION_OPEN = """
................
................
.kkkkk..........
kwwwwwk.........
kwyyyyykkkkkkk..
kwyyyyyyyyyyyk..
kwy.kkkkkkkkkkkk
kwykyyyyyyyyyyyk
kwkyyyyyyyyyyyk.
kwkyyyyyyyyyyyk.
kkyyyyyyyyyyyk..
kkyyyyyyyyyyyk..
kkkkkkkkkkkkk...
................
................
"""
ARTICLE = """
..kkkkkkkkk.....
..kwwwwwwwkk....
..kwwwwwwwkwk...
..kwrrrrrwkkkk..
..kwwwwwwwwwwk..
..kwgggggggwwk..
..kwwwwwwwwwwk..
..kwgggggggwwk..
..kwwwwwwwwwwk..
..kwgggggggwwk..
..kwwwwwwwwwwk..
..kwgggggwwwwk..
..kwwwwwwwwwwk..
..kkkkkkkkkkkk..
................
"""
FILE_CLOSED = """
................
...kkkkkkkkkkk..
..kBBBBBBBBBBBk.
..kBwwwwwwwwwBk.
..kBwrrrrrrrwBk.
..kBwwwwwwwwwBk.
..kBBBBBBBBBBBk.
..kBBBBBBBBBBBk.
..kBBBBBBBBBBBk.
..kBBBBBBBBBBBk.
..kBBBBBBBBBBBk.
..kbbbbbbbbbbbk.
..kswswswswswsk.
...kkkkkkkkkkk..
................
"""
FILE_OPEN = """
................
................
.kkkkkk..kkkkkk.
kwwwwwwkkwwwwwwk
kwrrrrwkkwggggwk
kwwwwwwkkwwwwwwk
kwggggwkkwggggwk
kwwwwwwkkwwwwwwk
kwggggwkkwggggwk
kwwwwwwkkwwwwwwk
kwggggwkkwgggwwk
kwwwwwwkkwwwwwwk
kBBBBBBkkBBBBBBk
.kkkkkkkkkkkkkk.
................
"""

ICON = """
................................
................................
....kkkkkkkkkkkkkkkkkkkkkkk.....
....kwwwwwwwwwwwwwwwwwwwwwkk....
....kwwwwwwwwwwwwwwwwwwwwwkwk...
....kwrrrrrrrrrrrrrrrrrrwwkwwk..
....kwrrrrrrrrrrrrrrrrrrwwkkkkk.
....kwrrrrrrrrrrrrrrrrrrwwwwwwk.
....kwwwwwwwwwwwwwwwwwwwwwwwwwk.
....kwwwwwwwwwwwwwwwwwwwwwwwwwk.
....kwbbbbbbbbbwwwgggggggggggwk.
....kwwwwwwwwwwwwwwwwwwwwwwwwwk.
....kwggggggggggwwgggggggggggwk.
....kwwwwwwwwwwwwwwwwwwwwwwwwwk.
....kwggggggggggwwgggggggggggwk.
....kwwwwwwwwwwwwwwwwwwwwwwwwwk.
....kwggggggggggwwwwwwwwwwwwwwk.
....kwwwwwwwwwwwwwwbbbbbbbbbbwk.
....kwggggggggggwwwwwwwwwwwwwwk.
....kwwwwwwwwwwwwwwgggggggggggk.
....kwggggggggggwwwwwwwwwwwwwwk.
....kwwwwwwwwwwwwwwgggggggggwwk.
....kwggggggggggwwwwwwwwwwwwwwk.
....kwwwwwwwwwwwwwwgggggggggggk.
....kwgggggggwwwwwwwwwwwwwwwwwk.
....kwwwwwwwwwwwwwwgggggggwwwwk.
....kwwwwwwwwwwwwwwwwwwwwwwwwwk.
....kkkkkkkkkkkkkkkkkkkkkkkkkkk.
................................
................................
................................
................................
"""


def rows(art):
    lines = [line for line in art.strip('\n').split('\n')]
    return [[COLOURS[ch] for ch in line] for line in lines]


def pack4(row):
    out = bytearray()
    for i in range(0, len(row), 2):
        out.append((row[i] << 4) | row[i + 1])
    while len(out) % 4:
        out.append(0)
    return bytes(out)


def palette_bytes():
    return b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)


def info_header(width, height):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, 0, 0, 0, 16, 0)


def write_tree_bitmap(path):
    pictures = [rows(a) for a in (SECTION_CLOSED, SECTION_OPEN, ARTICLE, FILE_CLOSED, FILE_OPEN)]
    for p in pictures:
        assert len(p) == 15 and all(len(r) == 16 for r in p)
    image = [sum((p[y] for p in pictures), []) for y in range(15)]
    pixels = b''.join(pack4(r) for r in reversed(image))
    header_size = 14 + 40 + 64
    file_header = struct.pack('<2sIHHI', b'BM', header_size + len(pixels), 0, 0, header_size)
    with open(path, 'wb') as f:
        f.write(file_header + info_header(80, 15) + palette_bytes() + pixels)


def write_icon(path):
    image = rows(ICON)
    assert len(image) == 32 and all(len(r) == 32 for r in image)
    transparent = COLOURS['.']
    xor = b''.join(pack4([0 if c == transparent else c for c in r]) for r in reversed(image))
    mask = bytearray()
    for r in reversed(image):
        bits = 0
        for c in r:
            bits = (bits << 1) | (1 if c == transparent else 0)
        mask += bits.to_bytes(4, 'big')
    body = info_header(32, 64) + palette_bytes() + xor + bytes(mask)
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', 32, 32, 16, 0, 1, 4, len(body), 6 + 16)
    with open(path, 'wb') as f:
        f.write(directory + entry + body)


if __name__ == '__main__':
    write_tree_bitmap('tree.bmp')
    write_icon('nuvella.ico')
