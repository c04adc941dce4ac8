#!/usr/bin/env python3
"""Writes the release's icon, samples/qztedit.ico: a level in a frame, an
enemy in its image-set outline and the dots of its movement path, drawn as
16 x 16 pixel art below and scaled without smoothing to every size Windows
asks for. Standard library only; the same bytes on every run, so the icon can
be committed and built by any resource compiler.

Usage: tools/make_icon.py [OUTPUT_DIR]   (default: samples/ of the repo)
"""

import struct
import zlib

from make_samples import write_outputs

SIZES = (16, 20, 24, 32, 40, 48, 64, 256)

COLOURS = {
    ".": None,  # transparent
    "k": (26, 28, 44),  # outline
    "l": (65, 166, 246),  # sky
    "s": (59, 93, 201),  # sky, lower
    "c": (167, 240, 112),  # image-set outline
    "r": (228, 59, 68),  # enemy
    "w": (244, 244, 244),  # eyes
    "y": (255, 205, 117),  # path dots
    "g": (56, 183, 100),  # grass
    "b": (177, 62, 83),  # brick
    "m": (93, 39, 93),  # mortar
}

PICTURE = [
    ".kkkkkkkkkkkkkk.",
    "kllllllllllllllk",
    "kllllccccccccllk",
    "kllllclrrrrlcllk",
    "kllllcrwkrwkcllk",
    "kllllcrrrrrrcllk",
    "klylycrrrrrrcllk",
    "kllllcrlrrlrcllk",
    "klyllccccccccllk",
    "kssssssssssssssk",
    "ksyssssssssssssk",
    "kggggggggggggggk",
    "kbbbmbbbbbmbbbbk",
    "kmmmmmmmmmmmmmmk",
    "kbmbbbbbmbbbbbmk",
    ".kkkkkkkkkkkkkk.",
]


def pixel_rows(size):
    """RGBA rows, top first: each pixel takes the colour of the picture's
    pixel its centre falls in."""
    rows = []
    for y in range(size):
        line = PICTURE[y * 16 // size]
        row = bytearray()
        for x in range(size):
            colour = COLOURS[line[x * 16 // size]]
            row += bytes(colour + (255,)) if colour else bytes(4)
        rows.append(bytes(row))
    return rows


def bmp_image(size):
    """The classic icon image: a 32-bit bitmap of double height (colours, then
    the transparency mask), bottom row first."""
    rows = pixel_rows(size)
    colours = b"".join(
        bytes(b for i in range(0, size * 4, 4) for b in (row[i + 2], row[i + 1], row[i], row[i + 3]))
        for row in reversed(rows))
    mask_stride = (size + 31) // 32 * 4
    mask = b""
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x in range(size):
            if row[x * 4 + 3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colours) + len(mask), 0, 0, 0, 0)
    return header + colours + mask


def png_image(size):
    """The large image as PNG, as icons since Windows Vista keep it."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    raw = b"".join(b"\0" + row for row in pixel_rows(size))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def make_icon():
    images = [png_image(size) if size >= 256 else bmp_image(size) for size in SIZES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    for size, image in zip(SIZES, images):
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return directory + b"".join(images)


def main():
    write_outputs({"qztedit.ico": make_icon()})


if __name__ == "__main__":
    main()
