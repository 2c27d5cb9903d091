#!/usr/bin/env python3
"""Draws the programs' icon (a mixer knob on a rounded tile) and writes it as
a Windows .ico with 16, 32 and 48 pixel images, 32-bit with alpha.

usage: make_icon.py OUTPUT.ico [R,G,B]
"""
import math
import struct
import sys


def pixel(size, x, y, tile):
    # Coordinates of the pixel centre on a unit square.
    u = (x + 0.5) / size
    v = (y + 0.5) / size
    # Rounded tile: distance outside a square of corner radius 0.2.
    r = 0.2
    dx = max(abs(u - 0.5) - (0.5 - r), 0.0)
    dy = max(abs(v - 0.5) - (0.5 - r), 0.0)
    edge = r - math.hypot(dx, dy)
    alpha = max(0.0, min(1.0, edge * size))
    if alpha == 0.0:
        return (0, 0, 0, 0)
    red, green, blue = tile
    # Darker towards the bottom.
    shade = 1.0 - 0.35 * v
    color = [c * shade for c in (red, green, blue)]
    # White knob ring with a pointer towards the upper right.
    d = math.hypot(u - 0.5, v - 0.5)
    if 0.22 <= d <= 0.32:
        color = [255, 255, 255]
    angle = math.atan2(0.5 - v, u - 0.5)
    if d < 0.22 and abs(angle - math.pi / 4) < 0.25:
        color = [255, 255, 255]
    return (int(color[2]), int(color[1]), int(color[0]), int(alpha * 255))


def image(size, tile):
    rows = []
    for y in range(size - 1, -1, -1):  # bottom-up, as a DIB is stored
        rows.append(b"".join(struct.pack("BBBB", *pixel(size, x, y, tile)) for x in range(size)))
    xor = b"".join(rows)
    mask_row = ((size + 31) // 32) * 4
    and_mask = b"\x00" * (mask_row * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    return header + xor + and_mask


def main():
    out = sys.argv[1]
    tile = (32, 118, 224)
    if len(sys.argv) > 2:
        tile = tuple(int(c) for c in sys.argv[2].split(","))
    sizes = (16, 32, 48)
    images = [image(s, tile) for s in sizes]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, img in zip(sizes, images):
        data += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    data += b"".join(images)
    with open(out, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
