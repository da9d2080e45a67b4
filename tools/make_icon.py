#!/usr/bin/env python3
"""Draws the program's icon, a blue shield with a white check mark, and
writes it as app/app.ico in 16, 24, 32 and 48 pixels (32-bit with alpha).
Run it again after changing the drawing; the .ico is committed."""
import math
import struct
import sys

SIZES = (16, 24, 32, 48)
SAMPLES = 4  # per axis, for anti-aliased edges


def half_width(v):
    """Half the shield's width at height v (0 top .. 1 tip), in units of the icon."""
    if v < 0.0 or v > 1.0:
        return -1.0
    if v < 0.5:
        return 0.40
    return 0.40 * math.cos((v - 0.5) / 0.5 * math.pi / 2) ** 0.8


def inside_shield(x, y, inset=0.0):
    top, bottom = 0.06 + inset, 0.96 - inset * 1.6
    v = (y - top) / (bottom - top)
    return abs(x - 0.5) <= half_width(v) - inset


def on_check(x, y, thickness):
    """Distance test against the two strokes of the check mark."""
    strokes = (((0.32, 0.50), (0.45, 0.64)), ((0.45, 0.64), (0.69, 0.35)))
    for (ax, ay), (bx, by) in strokes:
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        if math.hypot(x - (ax + t * dx), y - (ay + t * dy)) <= thickness:
            return True
    return False


def pixel(px, py, size):
    """BGRA of one pixel, averaged over SAMPLES x SAMPLES points."""
    acc = [0.0, 0.0, 0.0, 0.0]
    border = max(1.0 / size, 0.05)
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            x = (px + (sx + 0.5) / SAMPLES) / size
            y = (py + (sy + 0.5) / SAMPLES) / size
            if not inside_shield(x, y):
                continue
            if not inside_shield(x, y, border):
                rgb = (16, 48, 112)  # dark blue rim
            elif on_check(x, y, max(0.055, 1.2 / size)):
                rgb = (255, 255, 255)
            else:
                shade = 1.0 - 0.35 * y  # lighter at the top
                rgb = (int(40 * shade), int(110 * shade), int(220 * shade))
            acc[0] += rgb[2]
            acc[1] += rgb[1]
            acc[2] += rgb[0]
            acc[3] += 255
    n = SAMPLES * SAMPLES
    alpha = acc[3] / n
    if alpha == 0:
        return (0, 0, 0, 0)
    covered = acc[3] / 255
    return tuple(int(round(c / covered)) for c in acc[:3]) + (int(round(alpha)),)


def image(size):
    rows = [[pixel(x, y, size) for x in range(size)] for y in range(size)]
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes(p) for row in reversed(rows) for p in row)
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + bytes(mask)


def main(path):
    images = [image(s) for s in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "app/app.ico")
