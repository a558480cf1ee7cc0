#!/usr/bin/env python3
"""Draws the program's icon (a speech bubble on a rounded blue tile) and
writes it as a Windows .ico with 16, 32 and 48 pixel images."""
import struct
import sys


def inside_round_rect(x, y, size, radius):
    r = radius
    cx = min(max(x, r), size - r)
    cy = min(max(y, r), size - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def pixel(x, y, n):
    """Colour (b, g, r, a) of pixel centre (x, y) in an n-pixel image."""
    u, v = (x + 0.5) / n, (y + 0.5) / n
    if not inside_round_rect(u * 16, v * 16, 16, 3.2):
        return (0, 0, 0, 0)
    top, bottom = (0xE8, 0x8A, 0x1E), (0xB0, 0x52, 0x0C)  # BGR
    base = tuple(int(t + (b - t) * v) for t, b in zip(top, bottom))
    # The bubble: an ellipse with a tail at the lower left.
    ex, ey = (u - 0.5) / 0.36, (v - 0.45) / 0.27
    tail = 0.22 <= u <= 0.42 and 0.62 <= v <= 0.84 and (u - 0.22) >= (v - 0.62) * 0.9
    if ex * ex + ey * ey <= 1.0 or tail:
        # Three dots of text inside the bubble.
        for dx in (0.34, 0.5, 0.66):
            if (u - dx) ** 2 + (v - 0.45) ** 2 <= 0.055 ** 2:
                return base + (255,)
        return (255, 255, 255, 255)
    return base + (255,)


def image(n):
    rows = []
    for y in reversed(range(n)):  # bottom-up rows
        rows.append(b"".join(struct.pack("BBBB", *pixel(x, y, n)) for x in range(n)))
    xor = b"".join(rows)
    mask_row = ((n + 31) // 32) * 4
    and_mask = b"\0" * (mask_row * n)
    header = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    return header + xor + and_mask


def main(path):
    sizes = [16, 32, 48]
    images = [image(n) for n in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for n, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1])
