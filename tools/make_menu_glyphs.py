#!/usr/bin/env python3
"""Writes the styled menus' three glyphs as monochrome BMP files (black
pixels on white) and the resource script that names them:
ADVCHECKITEM (a check mark), ADVRADIOITEM (a dot), ADVSUBMENUITEM (a
triangle pointing right).

usage: make_menu_glyphs.py OUTPUT_DIR
"""
import os
import struct
import sys

# name: (width, height, {row: [(first, last), ...]}) of black pixels.
GLYPHS = {
    "ADVCHECKITEM": (16, 16, {
        4: [(11, 11)], 5: [(10, 11)], 6: [(9, 11)], 7: [(4, 4), (8, 10)],
        8: [(4, 5), (7, 9)], 9: [(4, 8)], 10: [(5, 7)], 11: [(6, 6)],
    }),
    "ADVRADIOITEM": (16, 16, {
        5: [(6, 9)], 6: [(5, 10)], 7: [(5, 10)], 8: [(5, 10)], 9: [(5, 10)], 10: [(6, 9)],
    }),
    "ADVSUBMENUITEM": (4, 7, {
        0: [(0, 0)], 1: [(0, 1)], 2: [(0, 2)], 3: [(0, 3)], 4: [(0, 2)], 5: [(0, 1)], 6: [(0, 0)],
    }),
}


def bmp(width, height, rows):
    stride = ((width + 31) // 32) * 4
    pixels = bytearray()
    for y in reversed(range(height)):  # bottom-up
        bits = [1] * width  # 1 = white (palette entry 1)
        for first, last in rows.get(y, []):
            for x in range(first, last + 1):
                bits[x] = 0
        line = bytearray(stride)
        for x, b in enumerate(bits):
            if b:
                line[x // 8] |= 0x80 >> (x % 8)
        pixels += line
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 1, 0, len(pixels), 2835, 2835, 2, 2)
    return header + info + palette + bytes(pixels)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    lines = []
    for name, (w, h, rows) in GLYPHS.items():
        path = os.path.join(out, name.lower() + ".bmp")
        with open(path, "wb") as f:
            f.write(bmp(w, h, rows))
        lines.append('%s BITMAP "%s"' % (name, path.replace("\\", "/")))
    with open(os.path.join(out, "menuglyphs.rc"), "w") as f:
        f.write("// The styled menus' glyphs (generated).\n" + "\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
