#!/usr/bin/env python3
"""Draws the Brellox application icon and writes it as a .ico file.

The picture: a desktop with two icons along its left edge, the yellow bar slid
inward past them, and a window pushed to the right of the bar. Shapes are given
on a 48-unit grid and scaled to each image size, so a change here changes every
size alike.

Usage: make_icon.py OUTPUT.ico
"""
import struct
import sys

SIZES = (16, 32, 48)

DESKTOP = (0x2E, 0x6E, 0xA8)
ICON_FACE = (0xF2, 0xF2, 0xF2)
ICON_SHADE = (0x9A, 0xB8, 0xD4)
BAR = (0xFF, 0xFF, 0x00)
BAR_EDGE = (0xB0, 0xA0, 0x00)
WINDOW = (0xD8, 0xD8, 0xD8)
TITLE = (0x1F, 0x3A, 0x60)
OUTLINE = (0x20, 0x20, 0x20)

# (left, top, right, bottom) on the 48-unit grid, painted in this order.
SHAPES = [
    ((0, 0, 48, 48), OUTLINE),
    ((1, 1, 47, 47), DESKTOP),
    ((4, 6, 14, 16), ICON_SHADE),
    ((5, 7, 13, 15), ICON_FACE),
    ((4, 22, 14, 32), ICON_SHADE),
    ((5, 23, 13, 31), ICON_FACE),
    ((17, 1, 23, 47), BAR_EDGE),
    ((18, 1, 22, 47), BAR),
    ((25, 10, 47, 40), OUTLINE),
    ((26, 11, 47, 39), WINDOW),
    ((26, 11, 47, 17), TITLE),
]


def draw(size):
    """Returns size rows of size (r, g, b) pixels, top row first."""
    pixels = [[(0, 0, 0)] * size for _ in range(size)]
    for (left, top, right, bottom), colour in SHAPES:
        x0, y0 = left * size // 48, top * size // 48
        x1, y1 = max(x0 + 1, right * size // 48), max(y0 + 1, bottom * size // 48)
        for y in range(y0, y1):
            for x in range(x0, x1):
                pixels[y][x] = colour
    return pixels


def palette():
    """The sixteen colours of the 4-bit images: the design's own, in the order
    of SHAPES, then black for the rest. Every pixel is one of them."""
    colours = []
    for _, colour in SHAPES:
        if colour not in colours:
            colours.append(colour)
    return colours + [(0, 0, 0)] * (16 - len(colours))


def dib(size):
    """A 4-bit DIB as an icon stores it: header, sixteen colours, colour rows
    bottom-up with two pixels a byte (the left one in the high half), then an
    all-opaque AND mask. Rows are padded to four bytes. The design has fewer
    than sixteen colours, so 4 bits show it as 24 would, at a sixth of the
    size."""
    colours = palette()
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    table = b''.join(bytes((b, g, r, 0)) for r, g, b in colours)
    rows = b''
    for row in reversed(draw(size)):
        indices = [colours.index(pixel) for pixel in row] + [0] * (size % 2)
        line = bytes(indices[i] << 4 | indices[i + 1] for i in range(0, len(indices), 2))
        rows += line + b'\0' * (-len(line) % 4)
    mask_stride = ((size + 31) // 32) * 4
    mask = b'\0' * (mask_stride * size)
    return header + table + rows + mask


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    images = [dib(size) for size in SIZES]
    directory = struct.pack('<HHH', 0, 1, len(SIZES))
    offset = 6 + 16 * len(SIZES)
    for size, image in zip(SIZES, images):
        directory += struct.pack('<BBBBHHII', size % 256, size % 256, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    with open(sys.argv[1], 'wb') as out:
        out.write(directory + b''.join(images))


if __name__ == '__main__':
    main()
