#!/usr/bin/env python3
"""Draws the control framework's cursors and writes them as .cur files.

Each cursor is drawn from simple shapes on a 32-unit grid (polygons,
circles and strokes with a dark outline), rasterised with 4 x 4
supersampling into 32-bit images with alpha at 32, 48 and 64 pixels (the
hand cursors at 32 only). Run it from this folder after changing a shape;
the .cur files it writes are committed.
"""
import math
import struct

GRID = 32.0
SAMPLES = 4
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
BLUE = (32, 96, 200)
RED = (200, 32, 32)
GREEN = (24, 140, 48)


def point_in_polygon(x, y, poly):
    inside = False
    j = len(poly) - 1
    for i in range(len(poly)):
        xi, yi = poly[i]
        xj, yj = poly[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def segment_distance(x, y, a, b):
    ax, ay = a
    bx, by = b
    dx, dy = bx - ax, by - ay
    length = dx * dx + dy * dy
    t = 0.0 if length == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length))
    px, py = ax + t * dx, ay + t * dy
    return math.hypot(x - px, y - py)


class Polygon:
    def __init__(self, points, fill, outline=1.0):
        self.points, self.fill, self.outline = points, fill, outline

    def sample(self, x, y):
        if point_in_polygon(x, y, self.points):
            edge = min(segment_distance(x, y, self.points[i], self.points[i - 1]) for i in range(len(self.points)))
            return BLACK if edge < self.outline else self.fill
        edge = min(segment_distance(x, y, self.points[i], self.points[i - 1]) for i in range(len(self.points)))
        return BLACK if edge < self.outline * 0.5 else None


class Circle:
    def __init__(self, cx, cy, r, fill, outline=1.0, ring=None):
        self.cx, self.cy, self.r, self.fill, self.outline, self.ring = cx, cy, r, fill, outline, ring

    def sample(self, x, y):
        d = math.hypot(x - self.cx, y - self.cy)
        if d > self.r:
            return None
        if d > self.r - self.outline:
            return BLACK
        if self.ring is not None and d < self.r - self.ring:
            return None
        return self.fill


class Stroke:
    """A thick line with a dark edge."""

    def __init__(self, a, b, width, fill):
        self.a, self.b, self.width, self.fill = a, b, width, fill

    def sample(self, x, y):
        d = segment_distance(x, y, self.a, self.b)
        if d > self.width / 2:
            return None
        return self.fill if d < self.width / 2 - 0.9 else BLACK


def arrow():
    return Polygon([(1, 1), (1, 23), (6, 18), (10, 27), (13, 26), (9, 17), (16, 17)], WHITE)


def badge(sign, colour):
    """A small square at the bottom right with a sign: plus, cross or none."""
    shapes = [Polygon([(17, 17), (31, 17), (31, 31), (17, 31)], WHITE)]
    if sign == "plus":
        shapes += [Stroke((20, 24), (28, 24), 3.2, colour), Stroke((24, 20), (24, 28), 3.2, colour)]
    elif sign == "cross":
        shapes += [Stroke((20.5, 20.5), (27.5, 27.5), 3.2, colour), Stroke((27.5, 20.5), (20.5, 27.5), 3.2, colour)]
    return shapes


def page(dx=0.0, dy=0.0):
    return Polygon([(14 + dx, 14 + dy), (26 + dx, 14 + dy), (26 + dx, 24 + dy), (14 + dx, 24 + dy)], WHITE)


def triangle(cx, cy, direction, size=4.5, fill=BLACK):
    s = size
    points = {
        "up": [(cx, cy - s), (cx + s, cy + s * 0.6), (cx - s, cy + s * 0.6)],
        "down": [(cx, cy + s), (cx - s, cy - s * 0.6), (cx + s, cy - s * 0.6)],
        "left": [(cx - s, cy), (cx + s * 0.6, cy - s), (cx + s * 0.6, cy + s)],
        "right": [(cx + s, cy), (cx - s * 0.6, cy + s), (cx - s * 0.6, cy - s)],
    }[direction]
    return Polygon(points, fill, outline=0.8)


def scroll_cursor(directions, filled_dot=True):
    shapes = [Circle(16, 16, 14.5, WHITE, outline=1.2)]
    places = {"up": (16, 6.5), "down": (16, 25.5), "left": (6.5, 16), "right": (25.5, 16)}
    shapes += [triangle(*places[d], d) for d in directions]
    if filled_dot:
        shapes.append(Circle(16, 16, 2.5, BLACK))
    return shapes


def double_arrow(vertical):
    if vertical:
        return [Stroke((16, 6), (16, 26), 3.5, WHITE), triangle(16, 5, "up", 5, WHITE), triangle(16, 27, "down", 5, WHITE),
                Stroke((8, 16), (24, 16), 3.0, BLACK)]
    return [Stroke((6, 16), (26, 16), 3.5, WHITE), triangle(5, 16, "left", 5, WHITE), triangle(27, 16, "right", 5, WHITE),
            Stroke((16, 8), (16, 24), 3.0, BLACK)]


def no_drop(cx=16, cy=16, r=11):
    return [Circle(cx, cy, r, RED, outline=1.0, ring=3.5),
            Stroke((cx - r * 0.62, cy - r * 0.62), (cx + r * 0.62, cy + r * 0.62), 3.6, RED)]


def hand(closed):
    shapes = [Polygon([(8, 17), (24, 17), (24, 27), (20, 31), (12, 31), (8, 27)], WHITE)]
    if closed:
        shapes += [Stroke((11, 17), (11, 13), 4, WHITE), Stroke((15, 17), (15, 12), 4, WHITE),
                   Stroke((19, 17), (19, 12), 4, WHITE), Stroke((22.5, 18), (22.5, 14), 3.6, WHITE)]
    else:
        shapes += [Stroke((12, 18), (12, 2.5), 4, WHITE), Stroke((16, 18), (16, 8), 4, WHITE),
                   Stroke((20, 18), (20, 9), 4, WHITE), Stroke((23.5, 19), (23.5, 11), 3.6, WHITE),
                   Stroke((8.5, 24), (5, 18), 3.6, WHITE)]
    return shapes


def drop_mark(where, copy):
    """The layout control's drop feedback: a bar after or before a box, or a
    box inside a frame, beside the arrow."""
    shapes = [arrow()]
    if where == "inside":
        shapes += [Polygon([(15, 13), (30, 13), (30, 28), (15, 28)], WHITE), Polygon([(18, 16), (27, 16), (27, 25), (18, 25)], BLUE, 0.6)]
    else:
        shapes.append(Polygon([(15, 15), (30, 15), (30, 24), (15, 24)], WHITE))
        y = 28 if where == "after" else 11
        shapes.append(Stroke((14, y), (31, y), 3.0, BLUE))
    if copy:
        shapes += [Stroke((2, 28), (8, 28), 2.6, GREEN), Stroke((5, 25), (5, 31), 2.6, GREEN)]
    return shapes


# (resource name, shapes, hot spot on the grid, sizes)
CURSORS = [
    ("CX_DRAGCOPYCURSOR", [arrow(), page()] + badge("plus", GREEN), (1, 1)),
    ("CX_FULLSCROLLCURSOR", scroll_cursor(["up", "down", "left", "right"]), (16, 16)),
    ("CX_HORSCROLLCURSOR", scroll_cursor(["left", "right"]), (16, 16)),
    ("CX_VERSCROLLCURSOR", scroll_cursor(["up", "down"]), (16, 16)),
    ("CX_UPSCROLLCURSOR", scroll_cursor(["up"]), (16, 16)),
    ("CX_RIGHTSCROLLCURSOR", scroll_cursor(["right"]), (16, 16)),
    ("CX_DOWNSCROLLCURSOR", scroll_cursor(["down"]), (16, 16)),
    ("CX_LEFTSCROLLCURSOR", scroll_cursor(["left"]), (16, 16)),
    ("CX_REMOVECURSOR", [arrow()] + badge("cross", RED), (1, 1)),
    ("CX_VERTSIZECURSOR", double_arrow(True), (16, 16)),
    ("CX_HORZSIZECURSOR", double_arrow(False), (16, 16)),
    ("CX_MULTIDRAGCURSOR", [arrow(), page(4, 4), page(2, 2), page()], (1, 1)),
    ("CX_NODROPCURSOR", no_drop(), (16, 16)),
    ("CX_DRAGCURSOR", [arrow(), page()], (1, 1)),
    ("CX_COLORPICKERCURSOR", [Stroke((3, 29), (19, 13), 4, WHITE), Circle(23, 9, 6.5, BLACK),
                              Stroke((17, 11), (21, 15), 4.5, BLACK)], (2, 30)),
    ("CX_MULTIDRAGCOPYCURSOR", [arrow(), page(4, 4), page(2, 2), page()] + badge("plus", GREEN), (1, 1)),
    ("CX_HANDCURSOR", hand(False), (12, 1)),
    ("CX_HANDDRAGCURSOR", hand(True), (16, 14)),
    ("DXLAYOUTCONTROLNODROP", [arrow()] + no_drop(23, 23, 8), (1, 1)),
    ("DXLAYOUTCONTROLREMOVE", [arrow()] + badge("cross", RED), (1, 1)),
    ("DXLAYOUTCONTROLDROPAFTER", drop_mark("after", False), (1, 1)),
    ("DXLAYOUTCONTROLDROPBEFORE", drop_mark("before", False), (1, 1)),
    ("DXLAYOUTCONTROLDROPINSIDE", drop_mark("inside", False), (1, 1)),
    ("CXDROPAFTERCOPY", drop_mark("after", True), (1, 1)),
    ("CXDROPBEFORECOPY", drop_mark("before", True), (1, 1)),
    ("CXDROPINSIDECOPY", drop_mark("inside", True), (1, 1)),
]

SINGLE_SIZE = {"CX_HANDCURSOR", "CX_HANDDRAGCURSOR"}


def render(shapes, size):
    """Rows top-down of (b, g, r, a); later shapes lie over earlier ones."""
    rows = []
    scale = GRID / size
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) * scale
                    y = (py + (sy + 0.5) / SAMPLES) * scale
                    colour = None
                    for shape in reversed(shapes):
                        colour = shape.sample(x, y)
                        if colour is not None:
                            break
                    if colour is not None:
                        acc[0] += colour[0]
                        acc[1] += colour[1]
                        acc[2] += colour[2]
                        acc[3] += 1
            n = acc[3]
            if n == 0:
                row.append((0, 0, 0, 0))
            else:
                alpha = round(255 * n / (SAMPLES * SAMPLES))
                # Premultiplied by nothing: a cursor's 32-bit image carries
                # straight colour with its alpha.
                row.append((round(acc[2] / n), round(acc[1] / n), round(acc[0] / n), alpha))
        rows.append(row)
    return rows


def image_bytes(rows, size):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(p) for row in reversed(rows) for p in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + pixels + bytes(mask)


def write_cursor(name, shapes, hotspot, sizes):
    images = [(size, image_bytes(render(shapes, size), size)) for size in sizes]
    out = struct.pack("<HHH", 0, 2, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        hx = min(size - 1, round(hotspot[0] * size / GRID))
        hy = min(size - 1, round(hotspot[1] * size / GRID))
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, hx, hy, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, data in images)
    with open(name.lower() + ".cur", "wb") as f:
        f.write(out)


def main():
    lines = ["// The control framework's cursors, drawn by make_cursors.py beside this file.",
             "// Registered by the framework's start-up under 2100 to 2117 and 2119 to 2126."]
    for name, shapes, hotspot in CURSORS:
        sizes = [32] if name in SINGLE_SIZE else [32, 48, 64]
        write_cursor(name, shapes, hotspot, sizes)
        lines.append('%s CURSOR "resources/cursors/%s.cur"' % (name, name.lower()))
    with open("Cursors.rc", "w") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
