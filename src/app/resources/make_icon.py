#!/usr/bin/env python3
"""Draws the program's icon, a small sticky memo, into petarino.ico (16, 24, 32, 48 and 256
pixels, 32-bit with alpha; the 256-pixel image as PNG, which Windows reads at that size, since
an uncompressed one would be a quarter of a megabyte of the exe's resident image). Run it after
changing the drawing; the .ico is kept in the repo so a build needs no Python."""
import struct
import sys
import zlib

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


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(size):
    """Rows top-down, RGBA, each led by filter type 0."""
    raw = b""
    for row in reversed(render(size)):
        raw += b"\0" + b"".join(bytes((row[i + 2], row[i + 1], row[i], row[i + 3]))
                                 for i in range(0, len(row), 4))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) +
            png_chunk(b"IDAT", zlib.compress(raw, 9)) + png_chunk(b"IEND", b""))


def main(path):
    sizes = (16, 24, 32, 48, 256)
    images = [png(s) if s >= 256 else dib(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "petarino.ico")
