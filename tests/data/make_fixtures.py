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
# One byte either side of the older kind's size: refused like any other size.
write("legacy-short.TAV", legacy_image()[:3117])
write("legacy-long.TAV", legacy_image() + b"\0")
# Right size, nothing sensible inside: no text terminators, indices far out of
# range, NaN floats.
write("garbage.TAV", b"\xff" * 1372)
write("legacy.TAV", legacy_image())
write("short.TDB", b"Short aid\0" + b"\0" * 90)
write("garbage.TDB", b"\xff" * 1364)


def current_image():
    """A fitted patient: both ears measured, curves chosen, a user curve, aids chosen."""
    image = bytearray(1372)
    image[0:10] = b"TAVIKWIN1\0"
    for offset, text in ((20, "Jones"), (38, "Mary"), (56, "K"), (58, "03/04/1950"),
                         (69, "P-77"), (80, "Dr. Lee"), (105, "12/07/2026"),
                         (116, "Prefers a soft setting")):
        raw = text.encode("latin-1") + b"\0"
        image[offset:offset + len(raw)] = raw
    struct.pack_into("<7i", image, 372, 1, 2, 1, 0, 2, 1, 4)
    for f in range(6):
        for c in range(8):
            struct.pack_into("<i", image, 400 + 32 * f + 4 * c, 40 + 8 * c - f)
            struct.pack_into("<i", image, 600 + 32 * f + 4 * c, 30 + 9 * c + f)
    struct.pack_into("<ii", image, 592, 2, 5)
    image[792] = 1
    for ear in range(2):
        for f in range(6):
            struct.pack_into("<iiffiffifff", image, 796 + 288 * ear + 48 * f, 1 + (f % 5), f % 6,
                             20.0, 45.0, 0, 2.0, 70.0, 1, 3.0, 110.0, 121.0)
            image[796 + 288 * ear + 48 * f + 44] = 1
    return bytes(image)


def database_image():
    image = bytearray(1364)
    for n in range(6):
        long_name = ("Wide Dynamic %d" % (n + 1)).encode("latin-1")
        image[25 * n:25 * n + len(long_name)] = long_name
        short = ("WD-%d" % (n + 1)).encode("latin-1")
        image[150 + 10 * n:150 + 10 * n + len(short)] = short
        for f in range(6):
            struct.pack_into("<ffiffiff", image, 212 + 192 * n + 32 * f, 15.0 + n, 45.0 + f,
                             n % 2, 2.5, 75.0, 0, -99.0, 115.0)
    return bytes(image)


# Seeds of the fuzz targets: one folder per target, each file one input.
def seed(target, name, data):
    folder = os.path.join(here, "fuzz", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


seed("patientfile", "current.TAV", current_image())
seed("patientfile", "legacy.TAV", legacy_image())
seed("patientfile", "garbage.TAV", b"\xff" * 1372)
seed("patientfile", "short.TAV", current_image()[:100])
seed("aiddatabase", "full.TDB", database_image())
seed("aiddatabase", "short.TDB", database_image()[:300])
seed("aiddatabase", "garbage.TDB", b"\xff" * 1364)
