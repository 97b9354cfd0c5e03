#!/usr/bin/env python3
"""Draws the converter's icon: two speech bubbles (two dialects) joined by
arrows, at 16, 32 and 48 pixels, and writes it as a 32-bit .ico file.

Usage: make_icon.py OUTPUT.ico
"""
import struct
import sys


def inside_round_rect(x, y, left, top, right, bottom, radius):
    if x < left or x > right or y < top or y > bottom:
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def inside_triangle(x, y, a, b, c):
    def side(p, q, r):
        return (r[0] - q[0]) * (p[1] - q[1]) - (p[0] - q[0]) * (r[1] - q[1])
    d1, d2, d3 = side((x, y), a, b), side((x, y), b, c), side((x, y), c, a)
    negative = d1 < 0 or d2 < 0 or d3 < 0
    positive = d1 > 0 or d2 > 0 or d3 > 0
    return not (negative and positive)


ORANGE = (235, 120, 40, 255)
TEAL = (30, 150, 160, 255)
WHITE = (255, 255, 255, 255)
CLEAR = (0, 0, 0, 0)


def pixel(u, v):
    """Colour at unit coordinates (0..1, top-left origin)."""
    # Upper-left bubble with its tail, lower-right bubble with its tail.
    if inside_round_rect(u, v, 0.04, 0.06, 0.62, 0.46, 0.12) or \
            inside_triangle(u, v, (0.14, 0.40), (0.30, 0.40), (0.10, 0.58)):
        if inside_round_rect(u, v, 0.14, 0.18, 0.52, 0.24, 0.03) or \
                inside_round_rect(u, v, 0.14, 0.30, 0.42, 0.35, 0.03):
            return WHITE
        return ORANGE
    if inside_round_rect(u, v, 0.38, 0.52, 0.96, 0.92, 0.12) or \
            inside_triangle(u, v, (0.70, 0.58), (0.86, 0.58), (0.90, 0.40)):
        if inside_round_rect(u, v, 0.48, 0.64, 0.86, 0.70, 0.03) or \
                inside_round_rect(u, v, 0.48, 0.76, 0.76, 0.81, 0.03):
            return WHITE
        return TEAL
    return CLEAR


def render(size):
    """Rows bottom-up as BGRA bytes, 4x4 supersampled."""
    rows = []
    for y in range(size - 1, -1, -1):
        row = bytearray()
        for x in range(size):
            total = [0, 0, 0, 0]
            for sy in range(4):
                for sx in range(4):
                    c = pixel((x + (sx + 0.5) / 4) / size, (y + (sy + 0.5) / 4) / size)
                    for i in range(4):
                        total[i] += c[i] * (c[3] / 255 if i < 3 else 1)
            alpha = total[3] / 16
            if alpha == 0:
                row += bytes(4)
                continue
            r, g, b = (total[i] / 16 / (alpha / 255) for i in range(3))
            row += bytes([int(b), int(g), int(r), int(alpha)])
        rows.append(bytes(row))
    return rows


def bitmap(size):
    rows = render(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    mask_row = bytes(((size + 31) // 32) * 4)
    return header + b''.join(rows) + mask_row * size


def main():
    sizes = [16, 32, 48]
    images = [bitmap(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, image in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    out += b''.join(images)
    with open(sys.argv[1], 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
