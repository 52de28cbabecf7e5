#!/usr/bin/env python3
"""Writes a two-colour 32 x 32 .cur file from a 16 x 16 text design.

The design file holds a line "hotspot X Y" (in pixels of the 32 x 32 image)
and 16 rows of 16 characters: '#' black, 'o' white, '.' transparent. Every
character becomes a 2 x 2 block. Lines starting with '#' and a space are
comments.

Usage: make_cursors.py DESIGN.txt OUTPUT.cur
"""
import struct
import sys

DESIGN_SIZE = 16
SIZE = 32


def read_design(path):
    hotspot = None
    rows = []
    with open(path, encoding="ascii") as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("# ") or line == "#" or not line:
                continue
            if line.startswith("hotspot "):
                x, y = (int(v) for v in line.split()[1:3])
                hotspot = (x, y)
                continue
            if len(line) != DESIGN_SIZE or set(line) - set("#o."):
                sys.exit(f"{path}: a row must be {DESIGN_SIZE} of '#', 'o' or '.': {line!r}")
            rows.append(line)
    if len(rows) != DESIGN_SIZE or hotspot is None:
        sys.exit(f"{path}: needs {DESIGN_SIZE} rows and a hotspot line")
    if not all(0 <= v < SIZE for v in hotspot):
        sys.exit(f"{path}: the hot spot lies outside the {SIZE} x {SIZE} image")
    return hotspot, rows


def bitmap(rows, bit_of):
    """1-bit rows, bottom-up, most significant bit leftmost, 4 bytes a row."""
    data = b""
    for y in reversed(range(SIZE)):
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | bit_of(rows[y // 2][x // 2])
        data += struct.pack(">I", bits)
    return data


def cursor_file(hotspot, rows):
    # The colour bitmap picks white for 'o'; the mask makes '.' transparent.
    xor = bitmap(rows, lambda c: 1 if c == "o" else 0)
    mask = bitmap(rows, lambda c: 1 if c == "." else 0)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = header + palette + xor + mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return directory + entry + image


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    hotspot, rows = read_design(sys.argv[1])
    with open(sys.argv[2], "wb") as f:
        f.write(cursor_file(hotspot, rows))


if __name__ == "__main__":
    main()
