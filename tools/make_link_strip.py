#!/usr/bin/env python3
"""Writes the link picture strip (assets/link.png): six 32x32 cells side by side.

Cells 0-3 are the animation frames of a running transfer (a dot circling a globe), cell 4 the done picture
(a green tick) and cell 5 the failed picture (a red cross). Standard library only: the PNG is written by hand.
"""
import math
import struct
import zlib
from pathlib import Path

CELL = 32
CELLS = 6
ASSETS = Path(__file__).resolve().parent.parent / "assets"

GLOBE = (40, 110, 200)
GRID = (200, 225, 250)
DOT = (255, 170, 0)
TICK = (0, 150, 40)
CROSS = (200, 20, 20)


def coverage(distance, half_width):
    """Anti-aliased coverage of a pixel whose centre lies distance away from a shape's edge line."""
    return max(0.0, min(1.0, half_width + 0.5 - distance))


def blend(pixels, x, y, colour, alpha):
    if alpha <= 0 or not (0 <= x < CELL * CELLS and 0 <= y < CELL):
        return
    r, g, b, a = pixels[y][x]
    out_a = alpha + a * (1 - alpha)
    mix = [(c * alpha + o * a * (1 - alpha)) / out_a for c, o in zip(colour, (r, g, b))]
    pixels[y][x] = (*mix, out_a)


def disc(pixels, left, cx, cy, radius, colour):
    for y in range(CELL):
        for x in range(CELL):
            distance = math.hypot(x + 0.5 - cx, y + 0.5 - cy) - radius
            blend(pixels, left + x, y, colour, coverage(distance, 0.0))


def ring(pixels, left, cx, cy, radius, width, colour):
    for y in range(CELL):
        for x in range(CELL):
            distance = abs(math.hypot(x + 0.5 - cx, y + 0.5 - cy) - radius)
            blend(pixels, left + x, y, colour, coverage(distance, width / 2))


def segment(pixels, left, points, width, colour):
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy
        for y in range(CELL):
            for x in range(CELL):
                px, py = x + 0.5, y + 0.5
                t = max(0.0, min(1.0, ((px - x0) * dx + (py - y0) * dy) / length2))
                distance = math.hypot(px - (x0 + t * dx), py - (y0 + t * dy))
                blend(pixels, left + x, y, colour, coverage(distance, width / 2))


def globe(pixels, left):
    disc(pixels, left, 16, 16, 10, GLOBE)
    ring(pixels, left, 16, 16, 5, 1.2, GRID)
    segment(pixels, left, [(6, 16), (26, 16)], 1.2, GRID)
    segment(pixels, left, [(16, 6), (16, 26)], 1.2, GRID)


def animation_frame(pixels, left, frame):
    globe(pixels, left)
    angle = frame * math.pi / 2 - math.pi / 4
    disc(pixels, left, 16 + 13 * math.cos(angle), 16 + 13 * math.sin(angle), 3, DOT)


def write_png(path, pixels):
    raw = b"".join(
        b"\0" + bytes(int(round(v)) for r, g, b, a in row for v in (r, g, b, a * 255)) for row in pixels
    )

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", CELL * CELLS, CELL, 8, 6, 0, 0, 0)
    path.write_bytes(
        b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    )


def main():
    pixels = [[(0, 0, 0, 0.0)] * (CELL * CELLS) for _ in range(CELL)]
    for frame in range(4):
        animation_frame(pixels, frame * CELL, frame)
    segment(pixels, 4 * CELL, [(7, 17), (13, 24), (25, 8)], 4, TICK)
    segment(pixels, 5 * CELL, [(8, 8), (24, 24)], 4, CROSS)
    segment(pixels, 5 * CELL, [(24, 8), (8, 24)], 4, CROSS)
    write_png(ASSETS / "link.png", pixels)


if __name__ == "__main__":
    main()
