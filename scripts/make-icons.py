#!/usr/bin/env python3
"""Writes res/grabnik.ico and res/brush.cur, the program's two small images,
and res/grabnik.png, the same icon for the Linux desktop's menu entry.

The files are committed; run this again only to change them. The icon is
32x32 in 16 colours (a screen with a selection frame on it); the cursor is
32x32 monochrome, the outline of a 16x16 square in its top-left corner drawn
by inverting the screen, with its hot spot at (8, 7).
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.join(HERE, "..", "res")

# The standard 16-colour palette, as B, G, R, 0.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREY, GREY, RED, BLUE, WHITE = 0, 8, 7, 9, 12, 15


def info_header(bits, colours):
    # Height is doubled: the colour image and the transparency mask.
    return struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, bits, 0, 0, 0, 0, colours, 0)


def palette_bytes(rgbs):
    return b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in rgbs)


def rows_bottom_up(pixel, row_bytes, pack):
    data = b""
    for y in reversed(range(32)):
        data += pack([pixel(x, y) for x in range(32)]).ljust(row_bytes, b"\0")
    return data


def pack_bits(values):
    out = bytearray(4)
    for x, v in enumerate(values):
        if v:
            out[x // 8] |= 0x80 >> (x % 8)
    return bytes(out)


def pack_nibbles(values):
    return bytes((values[i] << 4) | values[i + 1] for i in range(0, 32, 2))


def icon_pixel(x, y):
    """Colour index, or None where the icon is transparent."""
    if 2 <= x <= 29 and 3 <= y <= 23:
        if x in (2, 29) or y in (3, 23):
            return DARK_GREY  # bezel
        if 7 <= x <= 24 and 8 <= y <= 18 and (x in (7, 24) or y in (8, 18)):
            corner = x in (7, 24) and y in (8, 18)
            return RED if corner or (x + y) % 2 == 0 else WHITE  # dashed frame
        return BLUE
    if 13 <= x <= 18 and 24 <= y <= 26:
        return GREY  # neck
    if 9 <= x <= 22 and 27 <= y <= 28:
        return DARK_GREY  # foot
    return None


def write_icon(path):
    colours = rows_bottom_up(lambda x, y: icon_pixel(x, y) or 0, 16, pack_nibbles)
    mask = rows_bottom_up(lambda x, y: icon_pixel(x, y) is None, 4, pack_bits)
    image = info_header(4, 16) + palette_bytes(PALETTE) + colours + mask
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(header + entry + image)


def write_png(path):
    """The icon as a 32x32 RGBA PNG, transparent where the icon is."""
    def rgba(index):
        return bytes(PALETTE[index]) + b"\xff" if index is not None else bytes(4)

    # Each row starts with its filter type, 0: the bytes as they are.
    rows = b"".join(b"\0" + b"".join(rgba(icon_pixel(x, y)) for x in range(32))
                    for y in range(32))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data)))

    header = struct.pack(">IIBBBBB", 32, 32, 8, 6, 0, 0, 0)  # 8 bits a channel, RGBA
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def write_cursor(path, hot_x, hot_y):
    outline = lambda x, y: x < 16 and y < 16 and (x in (0, 15) or y in (0, 15))
    # AND 1 everywhere keeps the screen; XOR 1 on top of it inverts it.
    colours = rows_bottom_up(outline, 4, pack_bits)
    mask = rows_bottom_up(lambda x, y: True, 4, pack_bits)
    image = info_header(1, 2) + palette_bytes([(0, 0, 0), (255, 255, 255)]) + colours + mask
    header = struct.pack("<HHH", 0, 2, 1)
    # In a cursor directory the planes and bit-count fields hold the hot spot.
    entry = struct.pack("<BBBBHHII", 32, 32, 2, 0, hot_x, hot_y, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(header + entry + image)


if __name__ == "__main__":
    write_icon(os.path.join(RES, "grabnik.ico"))
    write_png(os.path.join(RES, "grabnik.png"))
    write_cursor(os.path.join(RES, "brush.cur"), 8, 7)
