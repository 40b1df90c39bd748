#!/usr/bin/env python3
"""Draws the program's icon, a small sticky memo, into petarino.ico (16, 24, 32, 48 and 256
pixels, 32-bit with alpha). Run it after changing the drawing; the .ico is kept in the repo so a
build needs no Python."""
import struct
import sys

SUPERSAMPLE = 4
PAPER = (255, 236, 140)
PAPER_EDGE = (196, 160, 40)
FOLD = (235, 200, 90)
STRIP = (48, 96, 200)
INK = (120, 100, 60)


def inside_memo(x, y):
    """The memo in unit coordinates: a square with its bottom-right corner folded."""
    return 0.06 <= x <= 0.94 and 0.10 <= y <= 0.94 and x + y <= 1.66


def colour_at(x, y):
    if not inside_memo(x, y):
        return None
    if x + y >= 1.58:
        return FOLD
    if x < 0.10 or y < 0.14 or x > 0.90 or y > 0.90:
        return PAPER_EDGE
    if x > 0.72:
        return STRIP
    for line in (0.30, 0.48, 0.66):
        if line <= y <= line + 0.07 and 0.20 <= x <= 0.62:
            return INK
    return PAPER


def render(size):
    """Rows bottom-up, BGRA, each pixel averaged over SUPERSAMPLE^2 samples."""
    rows = []
    n = SUPERSAMPLE
    for row in range(size - 1, -1, -1):
        pixels = bytearray()
        for col in range(size):
            r = g = b = a = 0
            for sy in range(n):
                for sx in range(n):
                    c = colour_at((col + (sx + 0.5) / n) / size, (row + (sy + 0.5) / n) / size)
                    if c:
                        r, g, b, a = r + c[0], g + c[1], b + c[2], a + 1
            if a:
                pixels += bytes((b // a, g // a, r // a, 255 * a // (n * n)))
            else:
                pixels += bytes(4)
        rows.append(bytes(pixels))
    return rows


def dib(size):
    rows = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    mask_row = ((size + 31) // 32) * 4
    return header + b"".join(rows) + bytes(mask_row * size)


def main(path):
    sizes = (16, 24, 32, 48, 256)
    images = [dib(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "petarino.ico")
