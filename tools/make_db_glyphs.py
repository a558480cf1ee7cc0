#!/usr/bin/env python3
"""Writes the data-aware glow button's twenty glyphs as 16 x 16, 16-colour
BMP files on a magenta background, and the resource script that names them:
DBIMGFIRST, DBIMGPRIOR, DBIMGNEXT, DBIMGLAST, DBIMGINSERT, DBIMGDELETE,
DBIMGEDIT, DBIMGPOST, DBIMGCANCEL, DBIMGREFRESH, each with a disabled
variant (the name followed by "D"): the same shape in silver with a grey
edge.

usage: make_db_glyphs.py OUTPUT_DIR
"""
import math
import os
import struct
import sys

SIZE = 16

# The 16-colour palette (blue, green, red, reserved).
PALETTE = [
    (0x00, 0x00, 0x00), (0x00, 0x00, 0x80), (0x00, 0x80, 0x00), (0x00, 0x80, 0x80),
    (0x80, 0x00, 0x00), (0x80, 0x00, 0x80), (0x80, 0x80, 0x00), (0x80, 0x80, 0x80),
    (0xC0, 0xC0, 0xC0), (0x00, 0x00, 0xFF), (0x00, 0xFF, 0x00), (0x00, 0xFF, 0xFF),
    (0xFF, 0x00, 0x00), (0xFF, 0x00, 0xFF), (0xFF, 0xFF, 0x00), (0xFF, 0xFF, 0xFF),
]
BLACK, GREY, SILVER, MAGENTA = 0, 7, 8, 13  # magenta is blue FF, red FF: 0x00FF00FF


def triangle(apex_x, base_x, y0=4, y1=11):
    """A triangle whose point is at apex_x and whose base column is base_x,
    between rows y0 and y1."""
    pts = set()
    span = abs(base_x - apex_x)
    centre = (y0 + y1) / 2.0
    half = (y1 - y0) / 2.0
    step = 1 if base_x > apex_x else -1
    for i in range(span + 1):
        x = apex_x + i * step
        reach = half * (i + 0.5) / (span + 0.5)
        for y in range(y0, y1 + 1):
            if abs(y - centre) <= reach + 0.01:
                pts.add((x, y))
    return pts


def up_triangle():
    return {(y, x) for (x, y) in triangle(4, 11, 4, 11)}


def bar(x0, x1, y0, y1):
    return {(x, y) for x in range(x0, x1 + 1) for y in range(y0, y1 + 1)}


def check_mark():
    pts = set()
    for i in range(4):  # the short stroke down to the right
        pts |= {(3 + i, 7 + i), (3 + i, 8 + i)}
    for i in range(7):  # the long stroke up to the right
        pts |= {(6 + i, 10 - i), (6 + i, 9 - i)}
    return pts


def cross():
    pts = set()
    for i in range(3, 13):
        pts |= {(i, i), (i + 1, i), (i, 15 - i), (i + 1, 15 - i)}
    return pts


def circular_arrow():
    pts = set()
    cx, cy = 7.5, 8.0
    for y in range(SIZE):
        for x in range(SIZE):
            d = math.hypot(x - cx, y - cy)
            angle = math.degrees(math.atan2(cy - y, x - cx)) % 360
            if 3.5 <= d <= 5.5 and not (20 <= angle <= 80):
                pts.add((x, y))
    # The arrow head at the gap's end, pointing down.
    pts |= {(10, 3), (11, 3), (12, 3), (13, 3), (14, 3), (11, 4), (12, 4), (13, 4), (12, 5)}
    return pts


SHAPES = {
    "DBIMGFIRST": bar(3, 4, 4, 11) | triangle(5, 11),
    "DBIMGPRIOR": triangle(5, 10),
    "DBIMGNEXT": triangle(10, 5),
    "DBIMGLAST": triangle(10, 4) | bar(11, 12, 4, 11),
    "DBIMGINSERT": bar(3, 12, 7, 8) | bar(7, 8, 3, 12),
    "DBIMGDELETE": bar(3, 12, 7, 8),
    "DBIMGEDIT": up_triangle(),
    "DBIMGPOST": check_mark(),
    "DBIMGCANCEL": cross(),
    "DBIMGREFRESH": circular_arrow(),
}


def pixels(shape, disabled):
    grid = [[MAGENTA] * SIZE for _ in range(SIZE)]
    inside = {(x, y) for (x, y) in shape if 0 <= x < SIZE and 0 <= y < SIZE}
    for (x, y) in inside:
        grid[y][x] = SILVER if disabled else BLACK
    if disabled:
        for (x, y) in inside:
            for dx, dy in ((1, 0), (0, 1), (1, 1)):
                nx, ny = x + dx, y + dy
                if 0 <= nx < SIZE and 0 <= ny < SIZE and (nx, ny) not in inside:
                    grid[ny][nx] = GREY
    return grid


def bmp(grid):
    stride = ((SIZE * 4 + 31) // 32) * 4
    data = bytearray()
    for y in reversed(range(SIZE)):  # bottom-up
        line = bytearray(stride)
        for x in range(SIZE):
            v = grid[y][x]
            line[x // 2] |= v << 4 if x % 2 == 0 else v
        data += line
    palette = b"".join(bytes([b, g, r, 0]) for (b, g, r) in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 4, 0, len(data), 2835, 2835, 16, 16)
    return header + info + palette + bytes(data)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    lines = []
    for name, shape in SHAPES.items():
        for disabled in (False, True):
            res = name + ("D" if disabled else "")
            path = os.path.join(out, res.lower() + ".bmp")
            with open(path, "wb") as f:
                f.write(bmp(pixels(shape, disabled)))
            lines.append('%s BITMAP "%s"' % (res, path.replace("\\", "/")))
    with open(os.path.join(out, "dbglyphs.rc"), "w") as f:
        f.write("// The data-aware glow button's glyphs (generated).\n" + "\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
