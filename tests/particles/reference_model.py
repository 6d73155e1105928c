#!/usr/bin/env python3
"""Independent model of the particle field and its glow stamp, written apart
from the C++ code, used to derive the golden hashes of
particle_field_test.cpp. Python floats are doubles; f32() rounds to a 32-bit
float (to nearest, ties to even) wherever the field stores a float.

Run: python3 tests/particles/reference_model.py
"""
import struct


def f32(v):
    return struct.unpack('<f', struct.pack('<f', v))[0]


class Random15:
    def __init__(self, state=1):
        self.state = state

    def next(self):
        self.state = (self.state * 214013 + 2531011) & 0xFFFFFFFF
        return (self.state >> 16) & 0x7FFF


def clamp_channel(k):
    v = k - 255
    return 0 if v < 0 else (255 if v > 255 else v)


SHADE_RED = [clamp_channel(k) for k in range(768)]
SHADE_GREEN = [0 if c <= 127 else 2 * c - 256 for c in SHADE_RED]
WEIGHTS = [100, 150, 100, 150, 255, 150, 100, 150, 100]


def stamp(frame, w, h, x, y, intensity):
    if x < 0 or y < 0 or x > w - 4 or y > h - 4:
        return
    for row in range(3):
        for col in range(3):
            k = WEIGHTS[3 * row + col] + intensity + 256
            i = (y + row) * w + x + col
            p = frame[i]
            r = min(255, SHADE_RED[k] + ((p >> 16) & 0xFF))
            g = min(255, SHADE_GREEN[k] + ((p >> 8) & 0xFF))
            b = p & 0xFF
            frame[i] = (p & 0xFF000000) | (r << 16) | (g << 8) | b


def trunc(v):
    return int(v)  # toward zero


class Field:
    def __init__(self, rng, extent, count):
        self.rng, self.e = rng, extent
        self.p = []
        for _ in range(count):
            x = f32(2 * (rng.next() % extent) - extent)
            y = f32(2 * (rng.next() % extent) - extent)
            z = f32(rng.next() % extent)
            self.p.append([x, y, z])

    def draw(self, frame, w, h):
        e = self.e
        xs = f32(w * f32(0.003125) * 256)
        ys = f32(h * f32(0.005) * 256)
        cx, cy = f32(w // 2), f32(h // 2)
        E = f32(e)
        for p in self.p:
            if not p[2] > 1.0:
                p[2] = E
            if p[2] > E:
                p[2] = 1.0
            if p[0] < -E:
                p[2] = f32(self.rng.next() % e + 1); p[0] = E
            if p[0] > E:
                p[2] = f32(self.rng.next() % e + 1); p[0] = -E
            if p[1] < -E:
                p[2] = f32(self.rng.next() % e + 1); p[1] = E
            if p[1] > E:
                p[2] = f32(self.rng.next() % e + 1); p[1] = -E
            inv = 1.0 / p[2]
            sx = f32(inv * xs * p[0] + cx)
            sy = f32(inv * p[1] * ys + cy)
            intensity = min(0, trunc(inv * 25600.0 - 255.0))
            stamp(frame, w, h, trunc(sx), trunc(sy), intensity)

    def shift(self, dx, dy, dz):
        for p in self.p:
            p[0] = f32(p[0] + dx)
            p[1] = f32(p[1] + dy)
            p[2] = f32(p[2] + dz)


def fnv(frame):
    hsh = 0xcbf29ce484222325
    for p in frame:
        for b in range(4):
            hsh ^= (p >> (8 * b)) & 0xFF
            hsh = (hsh * 0x100000001b3) & 0xFFFFFFFFFFFFFFFF
    return hsh


def main():
    rng = Random15()
    field = Field(rng, 400, 6000)
    print('after construction: state 0x%08X' % rng.state)
    w, h = 320, 200
    # Shifts of the golden sequence; each a float32 value.
    shifts = [(f32(1.5), f32(-2.25), f32(-3.0)),
              (f32(-7.0), f32(11.0), f32(-40.0)),
              (f32(0.375), f32(-0.625), f32(150.0))]
    for n in range(4):
        frame = [0] * (w * h)
        field.draw(frame, w, h)
        print('frame %d: hash 0x%016X state 0x%08X' % (n, fnv(frame), rng.state))
        if n < len(shifts):
            field.shift(*shifts[n])


if __name__ == '__main__':
    main()
