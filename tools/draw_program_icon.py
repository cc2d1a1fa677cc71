#!/usr/bin/env python3
"""Draws the program's emblem and writes it as resources/app/program.ico
(16 x 16 and 32 x 32, 32-bit with alpha) and resources/app/program.bmp
(32 x 32, 24-bit, for the version dialog).

The emblem is a navy film frame with sprocket holes, a blue picture inside,
a white caption bar across its lower part and a small ruby dot above the bar.
Shapes are drawn on a fine grid and averaged down, so edges are smooth at
both sizes. Only the standard library is used; the file bytes are written here.

usage: tools/draw_program_icon.py [OUTPUT_FOLDER]   (default resources/app)
"""
import os
import struct
import sys

NAVY = (0x10, 0x2A, 0x6E)
PICTURE_TOP = (0x3C, 0x8C, 0xE6)
PICTURE_BOTTOM = (0x1E, 0x5A, 0xB4)
CAPTION = (0xFF, 0xFF, 0xFF)
CAPTION_TEXT = (0x10, 0x2A, 0x6E)
RUBY = (0xF0, 0x50, 0x3C)
HOLE = (0xE8, 0xF0, 0xFF)
BACKGROUND = (0xFF, 0xFF, 0xFF)  # the bitmap's background (no alpha there)

SUPERSAMPLE = 8


def inside_rounded(x, y, left, top, right, bottom, radius):
    """Whether (x, y) lies in the rectangle with rounded corners (unit square coordinates)."""
    if x < left or x > right or y < top or y > bottom:
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def emblem_colour(x, y):
    """The colour at (x, y) of the emblem in a 0..1 square, or None outside it."""
    if not inside_rounded(x, y, 0.03, 0.10, 0.97, 0.90, 0.08):
        return None
    # Sprocket holes in the frame's top and bottom bands.
    for band_top in (0.135, 0.805):
        if band_top <= y <= band_top + 0.06:
            for i in range(6):
                hole_left = 0.10 + i * 0.14
                if hole_left <= x <= hole_left + 0.07:
                    return HOLE
    if inside_rounded(x, y, 0.09, 0.23, 0.91, 0.77, 0.03):
        # The caption bar with two short text strokes.
        if 0.56 <= y <= 0.71 and 0.16 <= x <= 0.84:
            if 0.615 <= y <= 0.655 and (0.24 <= x <= 0.46 or 0.54 <= x <= 0.76):
                return CAPTION_TEXT
            return CAPTION
        # The ruby dot above the first stroke.
        if (x - 0.35) ** 2 + (y - 0.47) ** 2 <= 0.055 ** 2:
            return RUBY
        return mix(PICTURE_TOP, PICTURE_BOTTOM, (y - 0.23) / 0.54)
    return NAVY


def render(size):
    """Rows of (r, g, b, a) pixels, top row first."""
    rows = []
    samples = SUPERSAMPLE * SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = covered = 0
            for sy in range(SUPERSAMPLE):
                for sx in range(SUPERSAMPLE):
                    colour = emblem_colour((px + (sx + 0.5) / SUPERSAMPLE) / size,
                                           (py + (sy + 0.5) / SUPERSAMPLE) / size)
                    if colour is not None:
                        r += colour[0]
                        g += colour[1]
                        b += colour[2]
                        covered += 1
            if covered:
                row.append((r // covered, g // covered, b // covered, covered * 255 // samples))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def icon_image(size):
    """One icon image: BITMAPINFOHEADER (double height), BGRA rows bottom-up, AND mask."""
    rows = render(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + pixels + bytes(mask)


def ico_file(sizes):
    images = [icon_image(size) for size in sizes]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b''.join(images)


def bmp_file(size):
    """A 24-bit bitmap with the emblem blended onto the white background."""
    rows = render(size)
    stride = (size * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for (r, g, b, a) in row:
            colour = mix(BACKGROUND, (r, g, b), a / 255)
            line += bytes((colour[2], colour[1], colour[0]))
        line += bytes(stride - len(line))
        pixels += line
    info = struct.pack('<IiiHHIIiiII', 40, size, size, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    file_header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return file_header + info + bytes(pixels)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, 'resources', 'app')
    with open(os.path.join(folder, 'program.ico'), 'wb') as f:
        f.write(ico_file([16, 32]))
    with open(os.path.join(folder, 'program.bmp'), 'wb') as f:
        f.write(bmp_file(32))


if __name__ == '__main__':
    main()
