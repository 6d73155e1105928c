#!/usr/bin/env python3
"""Checks the show's seven pictures as files: each is a proper 256-colour PCX
of the size the show loads it at, and the show's own loader and Pillow decode
it to the same RGB pixels.

usage: check_pictures.py DUMP_PROGRAM FOLDER
"""
import json
import os
import struct
import subprocess
import sys
import tempfile

from PIL import Image

# File, width and height as the show loads them, from the build's show facts
# (show_facts.json beside the programs, or $KELVOR_SHOW_FACTS).
with open(os.environ.get("KELVOR_SHOW_FACTS", "show_facts.json")) as facts_file:
    PICTURES = [(f["name"], f["width"], f["height"]) for f in json.load(facts_file)["files"] if f["width"] > 0]


def header_problems(data, width, height):
    if len(data) < 128 + 769:
        return ["file too short"]
    manufacturer, version, encoding, bits = data[0], data[1], data[2], data[3]
    xmin, ymin, xmax, ymax = struct.unpack_from("<4H", data, 4)
    planes = data[65]
    bytes_per_line = struct.unpack_from("<H", data, 66)[0]
    expected = {
        "manufacturer": (manufacturer, 10),
        "version": (version, 5),
        "encoding": (encoding, 1),
        "bits per pixel": (bits, 8),
        "window": ((xmin, ymin, xmax, ymax), (0, 0, width - 1, height - 1)),
        "planes": (planes, 1),
        "bytes per line": (bytes_per_line, width),
        "palette marker": (data[-769], 0x0C),
    }
    return ["%s is %r, not %r" % (name, got, want)
            for name, (got, want) in expected.items() if got != want]


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields = data.split(maxsplit=4)
    if fields[0] != b"P6":
        raise ValueError("not a binary PPM")
    return (int(fields[1]), int(fields[2])), fields[4]


def check(dump, folder, scratch):
    problems = []
    for name, width, height in PICTURES:
        path = os.path.join(folder, name)
        with open(path, "rb") as f:
            data = f.read()
        problems += ["%s: %s" % (name, p) for p in header_problems(data, width, height)]

        with Image.open(path) as picture:
            if picture.format != "PCX" or picture.size != (width, height):
                problems.append("%s: Pillow reads %s %r" % (name, picture.format, picture.size))
                continue
            independent = picture.convert("RGB").tobytes()

        out = os.path.join(scratch, name + ".ppm")
        subprocess.run([dump, str(width), str(height), path, out], check=True)
        size, ours = read_ppm(out)
        if size != (width, height) or ours != independent:
            differing = sum(1 for i in range(0, min(len(ours), len(independent)), 3)
                            if ours[i:i + 3] != independent[i:i + 3])
            problems.append("%s: the show's loader and Pillow differ in %d pixels" % (name, differing))
    return problems


def main():
    dump, folder = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as scratch:
        problems = check(dump, folder, scratch)
    for p in problems:
        print(p)
    print("%d pictures checked, %d problems" % (len(PICTURES), len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
