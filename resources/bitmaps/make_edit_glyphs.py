#!/usr/bin/env python3
"""Writes the editors' three 16 x 16 validation glyphs as 24-bit BMP files:
an error (a red disc with a white cross), a warning (a yellow triangle with a
dark exclamation mark) and an information (a blue disc with a white "i").
The background is magenta, the key colour a glyph makes transparent."""
import math
import struct
from pathlib import Path

SIZE = 16
KEY = (255, 0, 255)


def disc(x, y, radius=7.5):
    return math.hypot(x + 0.5 - 8, y + 0.5 - 8) <= radius


def error(x, y):
    if not disc(x, y):
        return KEY
    if 4 <= x <= 11 and (abs(x - y) <= 0 or abs(x - (15 - y)) <= 0):
        return (255, 255, 255)
    return (214, 40, 40)


def warning(x, y):
    # Apex at the top middle, base along row 14.
    if y < 1 or y > 14 or abs(x + 0.5 - 8) > (y - 0.5) / 2 + 0.5:
        return KEY
    if x in (7, 8) and (4 <= y <= 9 or 11 <= y <= 12):
        return (40, 40, 40)
    return (250, 200, 30)


def info(x, y):
    if not disc(x, y):
        return KEY
    if x in (7, 8) and (3 <= y <= 4 or 6 <= y <= 12):
        return (255, 255, 255)
    return (30, 110, 210)


def write_bmp(path, pixel):
    row_size = (SIZE * 3 + 3) // 4 * 4
    data = bytearray()
    for y in reversed(range(SIZE)):
        row = bytearray()
        for x in range(SIZE):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (row_size - len(row))
        data += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info_header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    path.write_bytes(header + info_header + data)


here = Path(__file__).parent
write_bmp(here / "EditGlyphError.bmp", error)
write_bmp(here / "EditGlyphWarning.bmp", warning)
write_bmp(here / "EditGlyphInfo.bmp", info)
