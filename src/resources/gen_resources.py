#!/usr/bin/env python3
"""Build the ZEL32 bitmaps and icon from the text art.

Usage: python3 gen_resources.py ART_DIR OUT_DIR

The pictures live in ART_DIR as plain text, one character per pixel, so
they can be reviewed and diffed; the binary files are build products.
Lines starting with '#' are comments; empty lines at the end are ignored.

Letters (both kinds of picture):
  K black (0,0,0)          W white (255,255,255)
  L light grey (192,192,192)  D dark grey (128,128,128)
  R red (255,0,0)
Extra letters, icon only:
  . transparent            Y yellow (255,255,0)
  G green (0,160,0)        B blue (0,0,255)

Writes OUT_DIR/<NAME>.bmp for each bitmap (4 bits per pixel, standard
16-colour palette) and OUT_DIR/ZEL32.ICO (32x32 and 16x16, in that order, 32-bit BGRA).
Exits non-zero with a message if a picture is missing or malformed.
"""

import os
import struct
import sys

BITMAPS = [
    "SYSMENUU", "SYSMENUD",
    "ICONU", "ICOND",
    "CHANGEU", "CHANGED",
    "NEXTU", "NEXTD",
    "BEFOREU", "BEFORED",
]
BITMAP_W, BITMAP_H = 20, 19

ICON_NAME = "ZEL32"
# The group lists the 32x32 image first: a static that shows an icon at its
# "real size" (SS_REALSIZEIMAGE, the about box) takes the group's first image,
# while LoadIcon and the small-icon look-ups pick by size whatever the order.
ICON_SIZES = [32, 16]

# Standard Windows 16-colour palette, in index order, as (r, g, b).
PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# Bitmap letters map straight to palette indices.
BITMAP_COLOURS = {"K": 0, "W": 15, "L": 7, "D": 8, "R": 9}

# Icon letters map to RGB; None means transparent.
ICON_COLOURS = {
    ".": None,
    "K": (0, 0, 0),
    "W": (255, 255, 255),
    "L": (192, 192, 192),
    "D": (128, 128, 128),
    "R": (255, 0, 0),
    "Y": (255, 255, 0),
    # Pure (0,128,0) reads almost black at 16x16; a little brighter helps.
    "G": (0, 160, 0),
    "B": (0, 0, 255),
}


class ArtError(Exception):
    pass


def read_art(path, width, height, allowed):
    """Return the picture as a list of row strings, top row first."""
    try:
        with open(path, "r", encoding="ascii", newline=None) as f:
            text = f.read()
    except FileNotFoundError:
        raise ArtError("%s: file not found" % path)
    except UnicodeDecodeError:
        raise ArtError("%s: not plain ASCII" % path)

    rows = []  # (line number, text)
    for num, line in enumerate(text.split("\n"), 1):
        line = line.rstrip("\r")
        if line.startswith("#"):
            continue
        rows.append((num, line))
    while rows and rows[-1][1] == "":
        rows.pop()

    if len(rows) != height:
        raise ArtError("%s: expected %d picture lines, found %d"
                       % (path, height, len(rows)))
    for num, line in rows:
        if len(line) != width:
            raise ArtError("%s: line %d: expected %d characters, found %d"
                           % (path, num, width, len(line)))
        for x, ch in enumerate(line):
            if ch not in allowed:
                raise ArtError("%s: line %d, x %d: bad character %r "
                               "(allowed: %s)"
                               % (path, num, x, ch, " ".join(sorted(allowed))))
    return [line for _, line in rows]


def make_bmp(rows):
    """4-bit BMP file with a BITMAPINFOHEADER, bottom-up rows."""
    width, height = len(rows[0]), len(rows)
    stride = ((width * 4 + 31) // 32) * 4
    pixels = bytearray()
    for line in reversed(rows):
        out = bytearray(stride)
        for x, ch in enumerate(line):
            idx = BITMAP_COLOURS[ch]
            # First pixel of each pair sits in the high nibble.
            if x % 2 == 0:
                out[x // 2] |= idx << 4
            else:
                out[x // 2] |= idx
        pixels += out

    palette = b"".join(struct.pack("<BBBB", b, g, r, 0)
                       for r, g, b in PALETTE16)
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII",
                       40, width, height, 1, 4, 0, len(pixels),
                       0, 0, 16, 0)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return head + info + palette + bytes(pixels)


def make_icon_image(rows):
    """One icon image: BITMAPINFOHEADER, BGRA colour rows, AND mask."""
    size = len(rows)
    colour = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for line in reversed(rows):
        mrow = bytearray(mask_stride)
        for x, ch in enumerate(line):
            rgb = ICON_COLOURS[ch]
            if rgb is None:
                colour += b"\0\0\0\0"
                mrow[x // 8] |= 0x80 >> (x % 8)
            else:
                r, g, b = rgb
                colour += struct.pack("<BBBB", b, g, r, 255)
        mask += mrow
    # Height is doubled: the colour image and the mask are stacked.
    info = struct.pack("<IiiHHIIiiII",
                       40, size, size * 2, 1, 32, 0,
                       len(colour) + len(mask), 0, 0, 0, 0)
    return info + bytes(colour) + bytes(mask)


def make_ico(pictures):
    images = [make_icon_image(rows) for rows in pictures]
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for rows, data in zip(pictures, images):
        size = len(rows)
        entries += struct.pack("<BBBBHHII",
                               size % 256, size % 256, 0, 0, 1, 32,
                               len(data), offset)
        offset += len(data)
    return head + entries + b"".join(images)


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage: %s ART_DIR OUT_DIR\n" % argv[0])
        return 2
    art_dir, out_dir = argv[1], argv[2]
    try:
        # Read and check everything before writing anything.
        bitmaps = [(name, read_art(os.path.join(art_dir, name + ".txt"),
                                   BITMAP_W, BITMAP_H, set(BITMAP_COLOURS)))
                   for name in BITMAPS]
        icons = [read_art(os.path.join(art_dir,
                                       "%s_%d.txt" % (ICON_NAME, size)),
                          size, size, set(ICON_COLOURS))
                 for size in ICON_SIZES]
    except ArtError as e:
        sys.stderr.write("gen_resources: error: %s\n" % e)
        return 1

    os.makedirs(out_dir, exist_ok=True)
    for name, rows in bitmaps:
        write(os.path.join(out_dir, name + ".bmp"), make_bmp(rows))
    write(os.path.join(out_dir, ICON_NAME + ".ICO"), make_ico(icons))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
