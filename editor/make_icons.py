#!/usr/bin/env python3
"""Draws the editor's two icons and writes them as .ico files (16, 32 and 48 pixels,
32-bit colour with alpha), without any imaging library.

  zevedit.ico  program icon: an open dictionary with a red bookmark and a pen
  boss.ico     disguise icon: a plain spreadsheet

Run from anywhere: python3 editor/make_icons.py
"""
import os
import struct

SIZES = (16, 32, 48)
SAMPLES = 4  # supersampling per axis, for smooth edges


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def polygon(points):
    def inside(x, y):
        hit = False
        n = len(points)
        for i in range(n):
            (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                hit = not hit
        return hit
    return inside


def line(ax, ay, bx, by, width):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        px, py = ax + t * dx - x, ay + t * dy - y
        return px * px + py * py <= (width / 2) ** 2
    return inside


# Shapes on a 32 x 32 design grid, painted in order: (test, (r, g, b)).
def dictionary_shapes():
    shapes = [
        (polygon([(2, 7), (16, 9), (16, 28), (2, 26)]), (40, 70, 150)),     # left cover
        (polygon([(30, 7), (16, 9), (16, 28), (30, 26)]), (40, 70, 150)),   # right cover
        (polygon([(3, 6), (15.5, 8), (15.5, 26), (3, 24)]), (250, 250, 240)),
        (polygon([(29, 6), (16.5, 8), (16.5, 26), (29, 24)]), (250, 250, 240)),
    ]
    for k in range(5):  # lines of text on both pages
        y = 11 + 3 * k
        shapes.append((line(5, y, 13.5, y + 1.5, 1.2), (90, 90, 110)))
        shapes.append((line(18.5, y + 1.5, 27, y, 1.2), (90, 90, 110)))
    shapes.append((polygon([(21, 4), (25, 4), (25, 14), (23, 12), (21, 14)]), (210, 40, 40)))
    shapes.append((line(9, 30, 29, 10, 3.2), (230, 170, 30)))  # pen
    shapes.append((polygon([(6.5, 31.5), (7.5, 28), (10, 30.5)]), (60, 40, 30)))  # pen tip
    return shapes


def spreadsheet_shapes():
    shapes = [
        (rect(3, 4, 29, 28), (120, 120, 120)),
        (rect(4, 5, 28, 27), (255, 255, 255)),
        (rect(4, 5, 28, 9), (60, 140, 80)),   # header row
        (rect(4, 5, 9, 27), (200, 225, 205)),  # row numbers
    ]
    for y in (13, 17, 21, 25):
        shapes.append((rect(4, y, 28, y + 1), (170, 170, 170)))
    for x in (9, 15, 21):
        shapes.append((rect(x, 9, x + 1, 27), (170, 170, 170)))
    return shapes


def render(shapes, size):
    """Rows of (r, g, b, a), top row first."""
    scale = 32.0 / size
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0.0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) * scale
                    y = (py + (sy + 0.5) / SAMPLES) * scale
                    colour = None
                    for test, c in shapes:
                        if test(x, y):
                            colour = c
                    if colour:
                        r, g, b, a = r + colour[0], g + colour[1], b + colour[2], a + 1
            n = SAMPLES * SAMPLES
            if a:
                row.append((round(r / a), round(g / a), round(b / a), round(255 * a / n)))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)
    return pixels


def dib(pixels):
    """A 32-bit bottom-up DIB with its AND mask, as an icon image."""
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + bytes(mask)


def write_icon(path, shapes):
    images = [dib(render(shapes, size)) for size in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    write_icon(os.path.join(here, "zevedit.ico"), dictionary_shapes())
    write_icon(os.path.join(here, "boss.ico"), spreadsheet_shapes())
