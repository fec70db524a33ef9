#!/usr/bin/env python3
"""Draws the recorder's pictures: splash, tool bar strip, transport buttons, icon, drag cursor.

Run it from this folder; the outputs are committed so that builds need no Python.
"""
import math
import struct

FONT = {  # 5 x 7 capitals for the splash
    'B': ["1111.", "1...1", "1...1", "1111.", "1...1", "1...1", "1111."],
    'R': ["1111.", "1...1", "1...1", "1111.", "1.1..", "1..1.", "1...1"],
    'E': ["11111", "1....", "1....", "1111.", "1....", "1....", "11111"],
    'V': ["1...1", "1...1", "1...1", "1...1", "1...1", ".1.1.", "..1.."],
    'A': [".111.", "1...1", "1...1", "11111", "1...1", "1...1", "1...1"],
    'N': ["1...1", "11..1", "1.1.1", "1..11", "1...1", "1...1", "1...1"],
    'T': ["11111", "..1..", "..1..", "..1..", "..1..", "..1..", "..1.."],
    '?': [".111.", "1...1", "....1", "..11.", "..1..", ".....", "..1.."],
}


class Picture:
    def __init__(self, width, height, colour=(192, 192, 192)):
        self.width, self.height = width, height
        self.pixels = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def box(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.put(x, y, colour)

    def text(self, x, y, word, scale, colour):
        for letter in word:
            for row, line in enumerate(FONT[letter]):
                for col, bit in enumerate(line):
                    if bit == '1':
                        self.box(x + col * scale, y + row * scale, x + (col + 1) * scale,
                                 y + (row + 1) * scale, colour)
            x += 6 * scale

    def rows_bgr(self):
        out = b''
        for row in reversed(self.pixels):
            line = b''.join(struct.pack('BBB', b, g, r) for (r, g, b) in row)
            out += line + b'\0' * ((4 - len(line) % 4) % 4)
        return out

    def save_bmp(self, name):
        data = self.rows_bgr()
        header = struct.pack('<IiiHHIIiiII', 40, self.width, self.height, 1, 24, 0, len(data), 2835,
                             2835, 0, 0)
        with open(name, 'wb') as f:
            f.write(b'BM' + struct.pack('<IHHI', 14 + len(header) + len(data), 0, 0, 54))
            f.write(header + data)


def triangle(p, x0, y0, size, colour):
    """Points right: each column is shorter than the one before."""
    for i in range(size):
        half = (size - i) // 2
        p.box(x0 + i, y0 + size // 2 - half, x0 + i + 1, y0 + size // 2 + half + 1, colour)


def disc(p, cx, cy, radius, colour):
    for y in range(cy - radius, cy + radius + 1):
        for x in range(cx - radius, cx + radius + 1):
            if (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius:
                p.put(x, y, colour)


def bevel(p, pressed):
    light, dark = ((128, 128, 128), (255, 255, 255)) if pressed else ((255, 255, 255), (64, 64, 64))
    p.box(0, 0, p.width, 1, light)
    p.box(0, 0, 1, p.height, light)
    p.box(0, p.height - 1, p.width, p.height, dark)
    p.box(p.width - 1, 0, p.width, p.height, dark)


def button(name, draw):
    for pressed in (False, True):
        p = Picture(40, 28, (160, 160, 160) if pressed else (192, 192, 192))
        bevel(p, pressed)
        draw(p, 1 if pressed else 0, pressed)
        p.save_bmp(name + ('_down' if pressed else '') + '.bmp')


def splash():
    p = Picture(320, 160, (16, 24, 64))
    for x in range(20, 300, 4):
        h = int(30 * abs(math.sin(x / 17.0)) * (0.4 + 0.6 * abs(math.sin(x / 61.0))))
        p.box(x, 120 - h, x + 3, 120 + h, (80, 160, 220))
    p.text(37, 20, 'BREVANT', 6, (255, 220, 120))
    p.save_bmp('splash.bmp')


def toolbar():
    p = Picture(320, 16, (192, 192, 192))
    p.text(17, 4, '?', 1, (0, 0, 128))                      # 0 help
    p.box(56, 3, 58, 12, (0, 0, 0)); disc(p, 54, 12, 2, (0, 0, 0))  # 1 MIDI note
    p.box(58, 3, 62, 5, (0, 0, 0))
    p.box(94, 2, 104, 14, (255, 255, 255)); p.box(94, 2, 95, 14, (0, 0, 0))  # 2 new page
    p.box(134, 5, 148, 13, (220, 190, 60)); p.box(134, 4, 140, 6, (220, 190, 60))  # 3 folder
    p.box(174, 2, 186, 14, (0, 0, 128)); p.box(177, 3, 183, 7, (255, 255, 255))  # 4 disk
    for i, h in enumerate((4, 9, 6)):                        # 5 sliders
        p.box(213 + i * 5, 2, 214 + i * 5, 14, (0, 0, 0))
        p.box(211 + i * 5, h, 216 + i * 5, h + 3, (0, 128, 0))
    p.save_bmp('toolbar.bmp')


def icon():
    p = Picture(32, 32, (16, 24, 64))
    for x in range(2, 30, 3):
        h = int(10 * abs(math.sin(x / 4.0))) + 1
        p.box(x, 16 - h, x + 2, 16 + h, (80, 200, 120))
    disc(p, 24, 24, 5, (220, 30, 30))
    data = p.rows_bgr() + b'\0' * (4 * 32)  # AND mask: all opaque
    header = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 24, 0, len(data), 0, 0, 0, 0)
    with open('brevant.ico', 'wb') as f:
        f.write(struct.pack('<HHH', 0, 1, 1))
        f.write(struct.pack('<BBBBHHII', 32, 32, 0, 0, 1, 24, len(header) + len(data), 22))
        f.write(header + data)


def cursor():
    """A four-way move arrow, 32 x 32 monochrome, hot spot in the middle."""
    shape = set()
    for i in range(-10, 11):
        shape.add((16 + i, 16)); shape.add((16, 16 + i))
    for d in range(1, 4):
        for i in range(-d, d + 1):
            for (x, y) in ((16 + i, 6 + d), (16 + i, 26 - d), (6 + d, 16 + i), (26 - d, 16 + i)):
                shape.add((x, y))
    xor, mask = b'', b''
    for y in reversed(range(32)):
        xrow = mrow = 0
        for x in range(32):
            near = any((x + dx, y + dy) in shape for dx in (-1, 0, 1) for dy in (-1, 0, 1))
            if (x, y) in shape:
                xrow |= 0  # black
            elif near:
                xrow |= 1 << (31 - x)  # white outline
            if not near:
                mrow |= 1 << (31 - x)  # transparent
        xor += struct.pack('>I', xrow)
        mask += struct.pack('>I', mrow)
    palette = struct.pack('<BBBBBBBB', 0, 0, 0, 0, 255, 255, 255, 0)
    data = palette + xor + mask
    header = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    with open('drag.cur', 'wb') as f:
        f.write(struct.pack('<HHH', 0, 2, 1))
        f.write(struct.pack('<BBBBHHII', 32, 32, 2, 0, 16, 16, len(header) + len(data), 22))
        f.write(header + data)


splash()
toolbar()
icon()
cursor()
button('play', lambda p, o, _: triangle(p, 14 + o, 6 + o, 16, (0, 160, 0)))
button('rec', lambda p, o, _: disc(p, 20 + o, 14 + o, 8, (210, 0, 0)))
button('stop', lambda p, o, _: p.box(13 + o, 7 + o, 27 + o, 21 + o, (0, 0, 0)))
