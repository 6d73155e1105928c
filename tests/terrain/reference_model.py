#!/usr/bin/env python3
"""Independent model of the voxel terrain, written apart from the C++ code,
used to derive the golden hashes of voxel_terrain_test.cpp. Python integers
do not overflow: the model computes the exact projected row, which the C++
renderer must reproduce (it may clamp values far outside the int range only
where that cannot change a pixel). Python floats are doubles; f32() rounds
to a 32-bit float where the renderer stores one.

Run: python3 tests/terrain/reference_model.py
"""
import math
import struct


def f32(v):
    return struct.unpack('<f', struct.pack('<f', v))[0]


def s32(v):
    v &= 0xFFFFFFFF
    return v - (1 << 32) if v & 0x80000000 else v


RECIP = [0.0] + [f32(1.0 / d) for d in range(1, 1000)]
COS = [int(math.cos(k * 0.0030679615757712823) * 65536) for k in range(2048)]
SIN = [int(math.sin(k * 0.0030679615757712823) * 65536) for k in range(2048)]
ROWS = [80 - int(-2048.0 / d) for d in range(1, 258)]


def draw_column(w, h, angle, camx, camy, column, hmap, cmap, dest, altitude):
    dx, dy = COS[angle], SIN[angle]
    x, y = s32(camx << 8), s32(camy << 8)
    top = h - 1
    for s in range(256):
        d = s + 1
        x, y = s32(x + dx), s32(y + dy)
        index = (((y >> 16) << 8) + (x >> 16)) & 0xFFFF  # >> floors, like an arithmetic shift
        hh = hmap[index]
        row = int(ROWS[s] - ((hh - altitude - 10) * 32) * RECIP[d])
        fog = max(0, int(1.5 * d - 150.0))
        if row <= top:
            p = cmap[index]
            r = max(0, (p >> 16) - fog)
            g = max(0, ((p >> 8) & 0xFF) - fog)
            b = max(0, (p & 0xFF) - fog)
            colour = (r << 16) | (g << 8) | b
            for yy in range(max(row, 0), min(top - 1, h - 1) + 1):
                dest[yy * w + column] = colour
            top = row


def render(w, h, camx, camy, heading, hmap, cmap, dest, altitude):
    for c in range(w):
        draw_column(w, h, (c + heading - 160) & 0x7FF, camx, camy, c, hmap, cmap, dest, altitude)


def tri(t):
    return abs((t & 127) - 64)


def test_maps():
    """The maps of voxel_terrain_test.cpp (makeTestMaps), integer only."""
    hmap, cmap = [], []
    for v in range(256):
        for u in range(256):
            h = 2 * tri(3 * u + v) + tri(2 * v - u + 40) + (((31 * u + 17 * v) ^ (u * v)) & 15)
            hmap.append(h)
            r = 255 - h
            g = (u * 5 + v) & 0xFF
            b = 255 if (u ^ v) & 8 else h
            cmap.append((r << 16) | (g << 8) | b)
    return hmap, cmap


def background(w, h):
    """What the destination holds before a render (makeBackground)."""
    return [((i * 2654435761) & 0xFFFFFFFF) & 0x00FFFFFF for i in range(w * h)]


def fnv(frame):
    hsh = 0xcbf29ce484222325
    for p in frame:
        for b in range(4):
            hsh ^= (p >> (8 * b)) & 0xFF
            hsh = (hsh * 0x100000001b3) & 0xFFFFFFFFFFFFFFFF
    return hsh


# width, height, cameraX, cameraY, heading, altitude
SCENARIOS = [
    (320, 200, -2500, -2500, 500, 600),
    (320, 200, 120000, -60000, 500, 225),
    (320, 200, 250000, -250000, 500, 975),
    (320, 200, 0, 0, 0, 100),
    (320, 200, -2500, -2500, 500, -50),
    (100, 60, 777, -999, 1900, 150),
    (320, 200, 2147483647, -2147483648, 2147483647, 300),
    (320, 200, 1000, 2000, 500, 2147483647),
    (320, 200, 1000, 2000, 500, -2147483648),
    (320, 200, 1000, 2000, -2147483648, -2147483000),
    (3, 2, 5000, 5000, 800, 0),
]


def main():
    hmap, cmap = test_maps()
    print('map hashes: height %d colour 0x%016X' % (sum(hmap), fnv(cmap)))
    for sc in SCENARIOS:
        w, h, cx, cy, heading, alt = sc
        dest = background(w, h)
        render(w, h, cx, cy, heading, hmap, cmap, dest, alt)
        print('{%d, %d, %d, %d, %d, %d, 0x%016Xull},' % (w, h, cx, cy, heading, alt, fnv(dest)))


if __name__ == '__main__':
    main()
