#!/usr/bin/env python3
"""Writes the main window's face picture: 870 x 600, 8-bit palette PNG.

Everything outside the outline, and so the bottom-left pixel, is pure blue
(0, 0, 255): the window takes its shape from the pixels of another colour.
The outline itself is drawn without anti-aliasing, since a half-blue edge
pixel would belong to the window and show as a blue fringe.

Usage: make_face.py OUT.png   (standard library only)
"""
import struct
import sys
import zlib

W, H = 870, 600
BLUE = (0, 0, 255)

# The face: a sage ground (the window's own colour) inside a rounded outline,
# a darker rim, a recessed bed for the page, and lighter rounded beds for the
# control groups on the right and along the bottom.
GROUND = (190, 208, 185)
RIM = (96, 124, 102)
RIM_LIGHT = (226, 236, 222)
BED = (206, 222, 201)
BED_EDGE = (150, 174, 152)
PAGE_SHADOW = (122, 146, 126)
ACCENT = (133, 145, 26)  # the olive of the menu separators, as RGB

# Control groups of the right column and the bottom strip (left, top, right, bottom).
BEDS = [
    (664, 14, 866, 42),    # status line
    (664, 44, 866, 137),   # texts and colours
    (664, 139, 866, 230),  # look options
    (664, 232, 866, 305),  # tools and layout
    (664, 307, 866, 446),  # animations
    (664, 448, 866, 518),  # export
    (24, 536, 804, 592),   # page slider and page steps
    (808, 534, 866, 592),  # tray and exit
]
OUTER_RADIUS_LEFT = 34
OUTER_RADIUS_RIGHT = 20
RIM_WIDTH = 3
BED_RADIUS = 9
PAGE = (18, 44, 660, 526)  # the page panel, 642 x 482


def inside_round_rect(x, y, l, t, r, b, rad):
    if x < l or x > r or y < t or y > b:
        return False
    cx = min(max(x, l + rad), r - rad)
    cy = min(max(y, t + rad), b - rad)
    return (x - cx) ** 2 + (y - cy) ** 2 <= rad * rad


def outer_radius(x):
    return OUTER_RADIUS_LEFT if x < W // 2 else OUTER_RADIUS_RIGHT


def in_outline(x, y, inset=0):
    rad = outer_radius(x) - inset
    return inside_round_rect(x, y, inset, inset, W - 1 - inset, H - 1 - inset, rad)


def shade(colour, amount):
    return tuple(max(0, min(255, int(c + amount))) for c in colour)


def pixel(x, y):
    if not in_outline(x, y):
        return BLUE
    if not in_outline(x, y, RIM_WIDTH):
        return RIM
    if not in_outline(x, y, RIM_WIDTH + 2):
        return RIM_LIGHT if y < H // 2 else GROUND
    # a soft shadow to the right of and below the page
    pl, pt, pr, pb = PAGE
    if pl <= x <= pr + 4 and pt <= y <= pb + 4 and (x > pr or y > pb):
        if x >= pl + 4 and y >= pt + 4:
            return PAGE_SHADOW
    for l, t, r, b in BEDS:
        if inside_round_rect(x, y, l, t, r, b, BED_RADIUS):
            if not inside_round_rect(x, y, l + 1, t + 1, r - 1, b - 1, BED_RADIUS - 1):
                return BED_EDGE
            return shade(BED, (t + b) / 2 - y > 0 and 4 or 0)
    # an olive hairline above the page, ending in a small round seal
    if y == 30 and 40 <= x <= 600:
        return ACCENT
    if (x - 614) ** 2 + (y - 30) ** 2 <= 25:
        return ACCENT
    # the ground brightens a little towards the top
    return shade(GROUND, (H // 2 - y) / 60)


def main(out):
    palette = [BLUE]
    index = {BLUE: 0}
    rows = []
    for y in range(H):
        row = bytearray([0])  # filter type: none
        for x in range(W):
            c = pixel(x, y)
            i = index.get(c)
            if i is None:
                i = index[c] = len(palette)
                palette.append(c)
                if len(palette) > 256:
                    raise SystemExit("more than 256 colours")
            row.append(i)
        rows.append(bytes(row))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", W, H, 8, 3, 0, 0, 0))
    png += chunk(b"PLTE", bytes(v for c in palette for v in c))
    png += chunk(b"IDAT", zlib.compress(b"".join(rows), 9))
    png += chunk(b"IEND", b"")
    with open(out, "wb") as f:
        f.write(png)


if __name__ == "__main__":
    main(sys.argv[1])
