#!/usr/bin/env python3
"""Writes the three 29 x 29 anchor pictures of middle-button scrolling as
4-bit BMP files: a light disc with a dark dot in the middle and small
triangles pointing the ways the content may scroll (all four, left and
right, or up and down). The window that shows them is cut to an ellipse, so
the corners never show."""
import struct
from pathlib import Path

SIZE = 29
CENTRE = SIZE // 2
# The 16-colour palette: only the first three entries are used.
PALETTE = [(255, 255, 255), (236, 236, 236), (64, 64, 64)] + [(0, 0, 0)] * 13
WHITE, FACE, DARK = 0, 1, 2


def in_disc(x, y, radius):
    return (x - CENTRE) ** 2 + (y - CENTRE) ** 2 <= radius * radius


def in_triangle(x, y, direction):
    # Tip 3 pixels from the edge, base 5 pixels further in, 4 pixels each side.
    dx, dy = x - CENTRE, y - CENTRE
    along, across = {"up": (-dy, dx), "down": (dy, dx), "left": (-dx, dy), "right": (dx, dy)}[direction]
    tip = CENTRE - 3
    return tip - 5 <= along <= tip and abs(across) <= tip - along


def picture(directions):
    def pixel(x, y):
        if not in_disc(x, y, CENTRE + 0.5):
            return WHITE
        if in_disc(x, y, 2) or any(in_triangle(x, y, d) for d in directions):
            return DARK
        return FACE

    return pixel


def write_bmp(path, pixel):
    row_size = ((SIZE + 1) // 2 + 3) // 4 * 4
    data = bytearray()
    for y in reversed(range(SIZE)):
        row = bytearray()
        for x in range(0, SIZE, 2):
            high = pixel(x, y)
            low = pixel(x + 1, y) if x + 1 < SIZE else 0
            row.append(high << 4 | low)
        row += b"\0" * (row_size - len(row))
        data += row
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info_header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 4, 0, len(data), 2835, 2835, 16, 0)
    path.write_bytes(header + info_header + palette + data)


here = Path(__file__).parent
write_bmp(here / "AnchorFullScroll.bmp", picture(["up", "down", "left", "right"]))
write_bmp(here / "AnchorHorScroll.bmp", picture(["left", "right"]))
write_bmp(here / "AnchorVerScroll.bmp", picture(["up", "down"]))
