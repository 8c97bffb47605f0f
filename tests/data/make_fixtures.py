#!/usr/bin/env python3
"""Writes the fixture files of this folder. Run it from anywhere; the files are
committed, so this is only needed when a fixture changes."""
import os
import struct

here = os.path.dirname(os.path.abspath(__file__))


def write(name, data):
    with open(os.path.join(here, name), "wb") as f:
        f.write(data)


def counted(text, width):
    raw = text.encode("latin-1")
    return bytes([len(raw)]) + raw.ljust(width, b" ")


def legacy_image():
    image = bytearray(3118)
    image[0:31] = counted("Smith, John", 30)
    image[31:40] = counted("01/02/45", 8)
    image[40:49] = counted("07/04/97", 8)
    image[49:61] = counted("unused text", 11)
    image[61:70] = counted("A-1234", 8)
    image[70:76] = counted("Dr.Ä", 5)
    comments = "First line\r\nSecond line\nThird".encode("latin-1")
    image[78:78 + len(comments)] = comments
    struct.pack_into("<H", image, 322, 0)  # left style: old BTE, now ITE
    struct.pack_into("<H", image, 324, 2)  # right style: old ITC, now CIC
    for f in range(6):
        for k in range(7):
            left = -100 if (f, k) == (2, 3) else 40 + 10 * k + f
            right = -100 if k == 6 else 50 + 5 * k + f
            struct.pack_into("<h", image, 330 + 2 * (f * 7 + k), left)
            struct.pack_into("<h", image, 414 + 2 * (f * 7 + k), right)
    return bytes(image)


write("empty.TAV", b"")
write("truncated.TAV", b"\0" * 1371)
write("overlong.TAV", b"\0" * 1373)
# Right size, nothing sensible inside: no text terminators, indices far out of
# range, NaN floats.
write("garbage.TAV", b"\xff" * 1372)
write("legacy.TAV", legacy_image())
write("short.TDB", b"Short aid\0" + b"\0" * 90)
write("garbage.TDB", b"\xff" * 1364)
