#!/usr/bin/env python3
"""Draws the drop arrows of the control framework: an arrow pointing up,
green with a black border on a magenta background, at 100, 150 and 200 %.
The program recolours the black and the green and keys out the magenta, so
the three colours must stay pure. Run from the repository root."""
import struct

BACK = (0xFF, 0x00, 0xFF)
BORDER = (0x00, 0x00, 0x00)
FILL = (0x00, 0xFF, 0x00)

# The outline in fractions of the width and the height: the head's apex at
# the top, its base at 55 %, the shaft a third of the width.
OUTLINE = [(0.5, 0.0), (1.0, 0.55), (0.68, 0.55), (0.68, 1.0), (0.32, 1.0), (0.32, 0.55), (0.0, 0.55)]

# (file, width, height, border width)
SIZES = [("DropArrow.bmp", 11, 11, 1), ("DropArrow150.bmp", 17, 16, 1), ("DropArrow200.bmp", 23, 22, 2)]


def inside(x, y, polygon):
    result = False
    for i, (x1, y1) in enumerate(polygon):
        x2, y2 = polygon[i - 1]
        if (y1 > y) != (y2 > y) and x < (x2 - x1) * (y - y1) / (y2 - y1) + x1:
            result = not result
    return result


def draw(width, height, border):
    polygon = [(x * width, y * height) for x, y in OUTLINE]
    mask = [[inside(x + 0.5, y + 0.5, polygon) for x in range(width)] for y in range(height)]

    def filled(x, y):
        return 0 <= x < width and 0 <= y < height and mask[y][x]

    pixels = []
    for y in range(height):
        row = []
        for x in range(width):
            if not mask[y][x]:
                row.append(BACK)
            elif all(filled(x + dx, y + dy) for dx in range(-border, border + 1) for dy in range(-border, border + 1)):
                row.append(FILL)
            else:
                row.append(BORDER)
        pixels.append(row)
    return pixels


def write_bmp(name, pixels):
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) & ~3
    data = b""
    for row in reversed(pixels):
        line = b"".join(bytes((b, g, r)) for r, g, b in row)
        data += line + b"\0" * (stride - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(name, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", 14 + len(header) + len(data), 0, 0, 14 + len(header)))
        f.write(header + data)


for name, width, height, border in SIZES:
    write_bmp("resources/controls/" + name, draw(width, height, border))
