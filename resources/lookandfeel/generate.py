#!/usr/bin/env python3
"""Draws the look-and-feel glyphs and the shadow mask of this project.

Every image is drawn here by code, so the resources can be regenerated and
reviewed: run `python3 resources/lookandfeel/generate.py` from the
repository root. Raster images are drawn with 4 x 4 supersampling where
edges are round; indicator glyphs are plain pixels on white, the colour the
indicator image list takes as transparent.
"""
import math
import os
import struct
import zlib

ROOT = os.path.dirname(os.path.abspath(__file__))
CONTROLS = os.path.join(os.path.dirname(ROOT), "controls")


class Image:
    """RGBA pixels, rows top to bottom."""

    def __init__(self, width, height, fill=(0, 0, 0, 0)):
        self.width = width
        self.height = height
        self.pixels = [list(fill) for _ in range(width * height)]

    def get(self, x, y):
        return self.pixels[y * self.width + x]

    def set(self, x, y, rgba):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y * self.width + x] = list(rgba)

    def blend(self, x, y, rgb, alpha):
        """Source-over of rgb at alpha (0..1)."""
        if not (0 <= x < self.width and 0 <= y < self.height) or alpha <= 0:
            return
        dst = self.get(x, y)
        da = dst[3] / 255.0
        oa = alpha + da * (1 - alpha)
        if oa <= 0:
            return
        out = [0, 0, 0, round(oa * 255)]
        for i in range(3):
            out[i] = round((rgb[i] * alpha + dst[i] * da * (1 - alpha)) / oa)
        self.set(x, y, out)

    def fill_rect(self, x0, y0, x1, y1, rgba):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.set(x, y, rgba)

    def cover(self, inside, rgb, opacity=1.0, samples=4):
        """Blends rgb wherever inside(x, y) holds, antialiased by supersampling."""
        for y in range(self.height):
            for x in range(self.width):
                hits = 0
                for sy in range(samples):
                    for sx in range(samples):
                        if inside(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples):
                            hits += 1
                if hits:
                    self.blend(x, y, rgb, opacity * hits / (samples * samples))

    def paste(self, other, ox, oy):
        for y in range(other.height):
            for x in range(other.width):
                self.set(ox + x, oy + y, other.get(x, y))


def stack(frames):
    """Frames of one size stacked vertically, the first on top."""
    result = Image(frames[0].width, frames[0].height * len(frames))
    for i, frame in enumerate(frames):
        result.paste(frame, 0, i * frame.height)
    return result


def save_png(image, path):
    raw = b"".join(
        b"\x00" + bytes(c for x in range(image.width) for c in image.get(x, y)) for y in range(image.height))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", image.width, image.height, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) +
                chunk(b"IEND", b""))


def save_bmp(image, path, bits=24):
    """Bottom-up BMP; 24 bits drop alpha, 32 bits keep it (premultiplied)."""
    rows = []
    for y in reversed(range(image.height)):
        row = bytearray()
        for x in range(image.width):
            r, g, b, a = image.get(x, y)
            if bits == 32:
                row += bytes((b * a // 255, g * a // 255, r * a // 255, a))
            else:
                row += bytes((b, g, r))
        while len(row) % 4:
            row.append(0)
        rows.append(bytes(row))
    data = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, image.width, image.height, 1, bits, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", 14 + len(info) + len(data), 0, 0, 14 + len(info)) + info + data)


# ---------------------------------------------------------------------------
# Shapes

def in_circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def in_ring(cx, cy, r, width):
    return lambda x, y: (r - width) ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def in_polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def in_segment(x0, y0, x1, y1, width):
    def inside(x, y):
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / float(dx * dx + dy * dy)))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (width / 2.0) ** 2
    return inside


def any_of(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
WHITE_OPAQUE = (255, 255, 255, 255)

# ---------------------------------------------------------------------------
# Indicator glyphs: 12 x 12 pixels, black on white; kept away from the
# bottom-left pixel, which stays white.

INDICATOR = 12


def indicator(rows):
    image = Image(INDICATOR, INDICATOR, WHITE_OPAQUE)
    for y, row in enumerate(rows):
        for x, c in enumerate(row):
            if c == "#":
                image.set(x, y, (0, 0, 0, 255))
    return image


INDICATORS = {
    "Arrow": [
        "............",
        "............",
        "...#........",
        "...##.......",
        "...###......",
        "...####.....",
        "...####.....",
        "...###......",
        "...##.......",
        "...#........",
        "............",
        "............"],
    "Edit": [
        "............",
        "............",
        "..###.###...",
        "....#.#.....",
        ".....#......",
        ".....#......",
        ".....#......",
        ".....#......",
        "....#.#.....",
        "..###.###...",
        "............",
        "............"],
    "Insert": [
        "............",
        "............",
        "............",
        ".....#......",
        "..#..#..#...",
        "...#.#.#....",
        "....###.....",
        "..#######...",
        "....###.....",
        "...#.#.#....",
        "..#..#..#...",
        ".....#......"],
    "MultiDot": [
        "............",
        "............",
        "............",
        "............",
        "............",
        "....##......",
        "....##......",
        "............",
        "............",
        "............",
        "............",
        "............"],
    "MultiArrow": [
        "............",
        "............",
        "..#.........",
        "..##........",
        "..###.......",
        "..####..##..",
        "..####..##..",
        "..###.......",
        "..##........",
        "..#.........",
        "............",
        "............"],
    "Filter": [
        "............",
        "............",
        ".#########..",
        "..#######...",
        "...#####....",
        "....###.....",
        "....###.....",
        "....###.....",
        "....###.....",
        "....##......",
        "....#.......",
        "............"],
    "InplaceEdit": [
        "............",
        "............",
        ".......##...",
        "......####..",
        ".....####...",
        "....####....",
        "...####.....",
        "..####......",
        "..###.......",
        "..##........",
        "..#######...",
        "............"],
    "SortBySummaryValue": [
        "............",
        ".########...",
        "............",
        "....#.......",
        "...###......",
        "..#####.....",
        ".#######....",
        "............",
        "..##.##.##..",
        "..##.##.##..",
        "............",
        "............"],
}

# ---------------------------------------------------------------------------
# PNG glyphs


def back_button_frame(state):
    """A round button with a left-pointing arrow: normal, hot, pressed, disabled."""
    size = 22
    ring, fill, arrow = {
        "normal": ((96, 96, 96), None, (96, 96, 96)),
        "hot": ((40, 110, 190), (220, 235, 250), (40, 110, 190)),
        "pressed": ((30, 80, 150), (40, 110, 190), (255, 255, 255)),
        "disabled": ((180, 180, 180), None, (180, 180, 180)),
    }[state]
    image = Image(size, size)
    c = size / 2.0
    if fill:
        image.cover(in_circle(c, c, 10), fill)
    image.cover(in_ring(c, c, 10, 1.5), ring)
    image.cover(any_of(in_segment(6.5, 11, 15.5, 11, 2), in_segment(6.5, 11, 10.5, 7, 2),
                       in_segment(6.5, 11, 10.5, 15, 2)), arrow)
    return image


def search_glyph_frame(state):
    """A magnifier: normal, hot, pressed, disabled."""
    size = 16
    colour = {"normal": (80, 80, 80), "hot": (40, 110, 190), "pressed": (20, 60, 120),
              "disabled": (170, 170, 170)}[state]
    image = Image(size, size)
    image.cover(in_ring(6.5, 6.5, 5, 1.6), colour)
    image.cover(in_segment(10, 10, 14.5, 14.5, 2.4), colour)
    return image


def command_link_frame(hot):
    """The right arrow of a command link: normal and hot."""
    image = Image(20, 20)
    colour = (30, 130, 60) if hot else (60, 110, 70)
    if hot:
        image.cover(in_circle(10, 10, 9), (225, 245, 230))
    image.cover(any_of(in_segment(4.5, 10, 14.5, 10, 2.4), in_segment(14.5, 10, 10, 5.5, 2.4),
                       in_segment(14.5, 10, 10, 14.5, 2.4)), colour)
    return image


def clock_face():
    size = 130
    image = Image(size, size)
    c = size / 2.0
    image.cover(in_circle(c, c, 64), (245, 245, 245))
    image.cover(in_ring(c, c, 64, 3), (110, 110, 120))
    for i in range(60):
        angle = math.radians(i * 6)
        outer = 58
        inner = 50 if i % 5 == 0 else 55
        width = 3 if i % 5 == 0 else 1.2
        image.cover(in_segment(c + inner * math.sin(angle), c - inner * math.cos(angle),
                               c + outer * math.sin(angle), c - outer * math.cos(angle), width), (60, 60, 70))
    return image


def clock_glass():
    """A soft highlight over the upper half of the dial and a centre cap."""
    size = 130
    image = Image(size, size)
    c = size / 2.0
    image.cover(lambda x, y: in_circle(c, c, 61)(x, y) and in_circle(c, c - 30, 50)(x, y), WHITE, 0.35)
    image.cover(in_circle(c, c, 4), (60, 60, 70))
    return image


def fixed_group_indicator():
    """A small padlock."""
    image = Image(12, 12)
    image.cover(in_ring(6, 5, 3.5, 1.3), (90, 90, 90))
    image.fill_rect(2, 5, 10, 11, (90, 90, 90, 255))
    image.fill_rect(5, 7, 7, 9, (230, 230, 230, 255))
    return image


def map_pushpin():
    image = Image(24, 32)
    image.cover(any_of(in_circle(12, 11, 10), in_polygon([(3.5, 15), (20.5, 15), (12, 31)])), (200, 50, 40))
    image.cover(in_circle(12, 11, 4), WHITE)
    return image


def navigation_bar_customization_button():
    """Three dots."""
    image = Image(16, 16)
    for x in (3.5, 8, 12.5):
        image.cover(in_circle(x, 8, 1.6), (80, 80, 80))
    return image


def rating_frame(state):
    """A five-pointed star: unchecked, hover, checked."""
    image = Image(16, 16)
    points = []
    for i in range(10):
        r = 7.5 if i % 2 == 0 else 3.2
        angle = math.radians(-90 + i * 36)
        points.append((8 + r * math.cos(angle), 8.5 + r * math.sin(angle)))
    star = in_polygon(points)
    if state == "unchecked":
        image.cover(star, (200, 200, 200))
    elif state == "hover":
        image.cover(star, (250, 200, 90))
    else:
        image.cover(star, (240, 160, 20))
    return image


def style_icon(style, size):
    """A small window in the style's manner."""
    s = size / 16.0
    image = Image(size, size)
    frame = (40, 40, 40)
    body = {"FLAT": (236, 236, 236), "NATIVE": (225, 235, 248), "OFFICE11": (214, 228, 248),
            "STANDARD": (212, 208, 200), "ULTRAFLAT": (248, 248, 248)}[style]
    title = {"FLAT": (120, 120, 120), "NATIVE": (60, 120, 210), "OFFICE11": (90, 140, 220),
             "STANDARD": (10, 36, 106), "ULTRAFLAT": (160, 160, 160)}[style]
    image.cover(lambda x, y: 1 * s <= x <= 15 * s and 2 * s <= y <= 14 * s, body)
    image.cover(lambda x, y: 1 * s <= x <= 15 * s and 2 * s <= y <= 5 * s, title)
    if style == "STANDARD":
        image.cover(lambda x, y: (1 * s <= x <= 15 * s and 2 * s <= y <= 14 * s) and
                    (x <= 1.8 * s or y <= 2.8 * s), WHITE)
        image.cover(lambda x, y: (1 * s <= x <= 15 * s and 2 * s <= y <= 14 * s) and
                    (x >= 14.2 * s or y >= 13.2 * s), (128, 128, 128))
    else:
        width = 0.8 * s
        image.cover(lambda x, y: (1 * s <= x <= 15 * s and 2 * s <= y <= 14 * s) and
                    (x <= 1 * s + width or x >= 15 * s - width or y <= 2 * s + width or y >= 14 * s - width),
                    frame)
    if style == "OFFICE11":
        image.cover(lambda x, y: 3 * s <= x <= 13 * s and 7 * s <= y <= 12 * s, (250, 250, 250))
    if style == "NATIVE":
        image.cover(in_circle(12.5 * s, 3.5 * s, 1.1 * s), (220, 60, 50))
    return image


def shadow_mask():
    """A 16 x 16 soft shadow for nine-part stretching with margins of 5."""
    size = 16
    image = Image(size, size)
    for y in range(size):
        for x in range(size):
            d = min(x, y, size - 1 - x, size - 1 - y)
            alpha = min(1.0, (d + 0.5) / 5.0) ** 2 * 0.45
            image.set(x, y, (0, 0, 0, round(alpha * 255)))
    return image


def zoom_glyph(plus):
    image = Image(12, 12)
    image.fill_rect(2, 5, 10, 7, (60, 60, 60, 255))
    if plus:
        image.fill_rect(5, 2, 7, 10, (60, 60, 60, 255))
    return image


SMART_TAG_SVG = """<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="10" height="10" viewBox="0 0 10 10">
  <path d="M1 1.5 H9 L6 5 V8.5 L4 7.5 V5 Z" fill="none" stroke="#000000" stroke-width="1" stroke-linejoin="round"/>
</svg>
"""


def main():
    for name, rows in INDICATORS.items():
        save_bmp(indicator(rows), os.path.join(ROOT, "Indicator%s.bmp" % name))
    save_bmp(zoom_glyph(True), os.path.join(ROOT, "ZoomInButtonGlyph.bmp"), 32)
    save_bmp(zoom_glyph(False), os.path.join(ROOT, "ZoomOutButtonGlyph.bmp"), 32)
    save_png(stack([back_button_frame(s) for s in ("normal", "hot", "pressed", "disabled")]),
             os.path.join(ROOT, "BackButton.png"))
    save_png(stack([search_glyph_frame(s) for s in ("normal", "hot", "pressed", "disabled")]),
             os.path.join(ROOT, "SearchButtonGlyph.png"))
    save_png(stack([command_link_frame(False), command_link_frame(True)]),
             os.path.join(ROOT, "CommandLinkGlyph.png"))
    save_png(clock_face(), os.path.join(ROOT, "ClockFace.png"))
    save_png(clock_glass(), os.path.join(ROOT, "ClockGlass.png"))
    save_png(fixed_group_indicator(), os.path.join(ROOT, "FixedGroupIndicator.png"))
    save_png(map_pushpin(), os.path.join(ROOT, "MapPushpin.png"))
    save_png(navigation_bar_customization_button(), os.path.join(ROOT, "NavigationBarCustomizationButton.png"))
    save_png(stack([rating_frame(s) for s in ("unchecked", "hover", "checked")]),
             os.path.join(ROOT, "RatingControlIndicator.png"))
    for style in ("FLAT", "NATIVE", "OFFICE11", "STANDARD", "ULTRAFLAT"):
        for size in (16, 48):
            save_png(style_icon(style, size), os.path.join(ROOT, "StyleIcon%s%d.png" % (style.title(), size)))
    with open(os.path.join(ROOT, "SmartTag.svg"), "w") as f:
        f.write(SMART_TAG_SVG)
    save_png(shadow_mask(), os.path.join(CONTROLS, "ShadowMask.png"))


if __name__ == "__main__":
    main()
