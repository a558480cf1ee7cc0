#!/usr/bin/env python3
"""Draws the ribbon pager's bitmaps and writes the resource script that
names them:

  ATBECCLOSE, ATBECMIN (11 x 11), ATBECMAX (12 x 12): close, minimize and
      restore glyphs of the MDI buttons on scenic glass;
  ATBHELP_BTN, ATBHELP_BTN2 (16 x 16), ATBHELPHD_BTN (32 x 32): the help
      button, classic, flat and large;
  ATBECUP_BTN, ATBECDOWN_BTN, ATBECNCH_BTN and their flat (...F_BTN, 16 x 16)
      and large (...HD_BTN, 32 x 32) forms: collapse (ribbon shown), expand
      (ribbon collapsed) and pin (collapsed ribbon floating);
  OPTIONIND_PIC, OPTIONIND_PICD (9 x 9): a group's option indicator, enabled
      and disabled.

Each picture lies on magenta, which fills its bottom-left pixel: the
bitmaps are drawn with that pixel's colour transparent. The expand and
collapse sets are 24-bit, the others 8-bit with a palette.

The resources get numbers from 4101 on, and ribbonbitmaps.h maps each name
to its number: wine looks resource names up in another order than the
resource compiler sorts them in, so names holding "_" are not found.

usage: make_ribbon_bitmaps.py OUTPUT_DIR
"""
import math
import os
import struct
import sys

KEY = (255, 0, 255)
INK = (64, 64, 64)
GREY = (150, 150, 150)
BLUE = (43, 87, 154)
LIGHT_BLUE = (96, 144, 208)
WHITE = (255, 255, 255)


class Picture:
    """A small picture of RGB pixels, drawn in a unit grid scaled by S."""

    def __init__(self, width, height, scale=1):
        self.w, self.h, self.s = width, height, scale
        self.px = [[KEY] * width for _ in range(height)]

    def dot(self, x, y, colour):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        """Fills the unit rectangle [x0, x1) x [y0, y1)."""
        s = self.s
        for y in range(y0 * s, y1 * s):
            for x in range(x0 * s, x1 * s):
                self.dot(x, y, colour)

    def line(self, x0, y0, x1, y1, colour, width=1):
        """A line between unit points, width units thick."""
        s = self.s
        steps = max(abs(x1 - x0), abs(y1 - y0)) * s * 2 + 1
        for i in range(steps + 1):
            t = i / steps
            cx = (x0 + (x1 - x0) * t) * s
            cy = (y0 + (y1 - y0) * t) * s
            for dy in range(width * s):
                for dx in range(width * s):
                    self.dot(int(cx) + dx, int(cy) + dy, colour)

    def disc(self, cx, cy, r, colour):
        """A filled circle of radius r units around the unit point (cx, cy)."""
        s = self.s
        for y in range(self.h):
            for x in range(self.w):
                if math.hypot(x + 0.5 - cx * s, y + 0.5 - cy * s) <= r * s:
                    self.dot(x, y, colour)


def close_glyph():
    p = Picture(11, 11)
    for i in range(2, 9):
        for d in (0, 1):
            p.dot(i + d, i, INK)
            p.dot(10 - i - d, i, INK)
    return p


def minimize_glyph():
    p = Picture(11, 11)
    for x in range(2, 9):
        p.dot(x, 7, INK)
        p.dot(x, 8, INK)
    return p


def restore_glyph():
    p = Picture(12, 12)
    for x in range(4, 10):          # the window behind
        p.dot(x, 2, INK)
        p.dot(x, 3, INK)
    for y in range(2, 7):
        p.dot(9, y, INK)
    for x in range(2, 8):           # the window in front
        p.dot(x, 5, INK)
        p.dot(x, 6, INK)
        p.dot(x, 10, INK)
    for y in range(5, 11):
        p.dot(2, y, INK)
        p.dot(7, y, INK)
    return p


def question_mark(p, colour):
    """A question mark in a 16-unit box."""
    p.fill(6, 4, 10, 5, colour)
    p.fill(5, 5, 6, 7, colour)
    p.fill(10, 5, 11, 8, colour)
    p.fill(8, 8, 10, 9, colour)
    p.fill(7, 9, 9, 10, colour)
    p.fill(7, 11, 9, 13, colour)


def help_button(scale, flat):
    p = Picture(16 * scale, 16 * scale, scale)
    if flat:
        p.disc(8, 8, 7, LIGHT_BLUE)
        question_mark(p, WHITE)
    else:
        p.disc(8, 8, 7.5, BLUE)
        p.disc(8, 7.5, 6.5, LIGHT_BLUE)
        question_mark(p, WHITE)
    return p


def chevron(scale, up, colour):
    p = Picture(16 * scale, 16 * scale, scale)
    for i in range(5):
        y = 10 - i if up else 6 + i
        p.fill(3 + i, y, 5 + i, y + 1, colour)
        p.fill(11 - i, y, 13 - i, y + 1, colour)
    return p


def pin(scale, colour):
    p = Picture(16 * scale, 16 * scale, scale)
    p.fill(6, 2, 10, 3, colour)      # head
    p.fill(7, 3, 9, 8, colour)       # body
    p.fill(4, 8, 12, 9, colour)      # collar
    p.fill(7, 9, 9, 14, colour)      # needle
    return p


def option_indicator(colour):
    p = Picture(9, 9)
    for x in range(0, 5):           # the corner of a frame
        p.dot(x, 0, colour)
    for y in range(0, 5):
        p.dot(0, y, colour)
    for i in range(3, 8):           # an arrow to the bottom-right
        p.dot(i, i, colour)
    for i in range(5, 9):
        p.dot(i, 8, colour)
        p.dot(8, i, colour)
    return p


FIRST_ID = 4101

PICTURES = {
    "ATBECCLOSE": (close_glyph(), 8),
    "ATBECMIN": (minimize_glyph(), 8),
    "ATBECMAX": (restore_glyph(), 8),
    "ATBHELP_BTN": (help_button(1, False), 8),
    "ATBHELP_BTN2": (help_button(1, True), 8),
    "ATBHELPHD_BTN": (help_button(2, False), 8),
    "ATBECUP_BTN": (chevron(1, True, INK), 24),
    "ATBECDOWN_BTN": (chevron(1, False, INK), 24),
    "ATBECNCH_BTN": (pin(1, INK), 24),
    "ATBECUPF_BTN": (chevron(1, True, GREY), 24),
    "ATBECDOWNF_BTN": (chevron(1, False, GREY), 24),
    "ATBECNCHF_BTN": (pin(1, GREY), 24),
    "ATBECUPHD_BTN": (chevron(2, True, INK), 24),
    "ATBECDOWNHD_BTN": (chevron(2, False, INK), 24),
    "ATBECNCHHD_BTN": (pin(2, INK), 24),
    "OPTIONIND_PIC": (option_indicator(INK), 8),
    "OPTIONIND_PICD": (option_indicator(GREY), 8),
}


def bmp(picture, bits):
    w, h = picture.w, picture.h
    stride = ((w * bits + 31) // 32) * 4
    rows = list(reversed(picture.px))  # bottom-up
    if bits == 8:
        colours = []
        for row in rows:
            for c in row:
                if c not in colours:
                    colours.append(c)
        palette = b"".join(bytes((b, g, r, 0)) for (r, g, b) in colours)
        data = bytearray()
        for row in rows:
            line = bytearray(colours.index(c) for c in row)
            data += line + bytes(stride - len(line))
        used = len(colours)
    else:
        palette = b""
        data = bytearray()
        for row in rows:
            line = bytearray()
            for (r, g, b) in row:
                line += bytes((b, g, r))
            data += line + bytes(stride - len(line))
        used = 0
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, len(data), 2835, 2835, used, used)
    return header + info + palette + bytes(data)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    lines, table = [], []
    for number, (name, (picture, bits)) in enumerate(PICTURES.items(), FIRST_ID):
        path = os.path.join(out, name.lower() + ".bmp")
        with open(path, "wb") as f:
            f.write(bmp(picture, bits))
        lines.append('%d BITMAP "%s"' % (number, path.replace("\\", "/")))
        table.append('    {L"%s", %d},' % (name, number))
    with open(os.path.join(out, "ribbonbitmaps.rc"), "w") as f:
        f.write("// The ribbon pager's bitmaps (generated).\n" + "\n".join(lines) + "\n")
    with open(os.path.join(out, "ribbonbitmaps.h"), "w") as f:
        f.write("// The ribbon pager's bitmaps by name (generated).\n#pragma once\n\n"
                "struct TRibbonBitmapEntry {\n  const wchar_t* Name;\n  int Id;\n};\n\n"
                "constexpr TRibbonBitmapEntry RibbonBitmapTable[] = {\n" + "\n".join(table) + "\n};\n")


if __name__ == "__main__":
    main()
