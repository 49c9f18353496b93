#!/usr/bin/env python3
"""Tiles zeb-replay shots into one labelled PNG.

usage: contact_sheet.py OUT.png COLUMNS SHOT.png...

Each shot (8-bit RGB, not interlaced, as zeb-replay writes them) is shrunk by 4 and put in
a grid of COLUMNS cells, in the order given, with its file name (without "draw_" and
".png") printed under it. Standard library only.
"""
import struct
import sys
import zlib

SHRINK = 4
LABEL_HEIGHT = 16
GLYPH_SCALE = 2
BACKGROUND = (24, 24, 24)
INK = (235, 235, 235)

# 3 x 5 glyphs, one string of 15 pixels per character, row by row.
# fmt: off
GLYPHS = {
    "a": "010101111101101", "b": "110101110101110", "c": "011100100100011", "d": "110101101101110",
    "e": "111100110100111", "f": "111100110100100", "g": "011100101101011", "h": "101101111101101",
    "i": "111010010010111", "j": "001001001101010", "k": "101101110101101", "l": "100100100100111",
    "m": "101111111101101", "n": "110101101101101", "o": "010101101101010", "p": "110101110100100",
    "q": "010101101110011", "r": "110101110101101", "s": "011100010001110", "t": "111010010010010",
    "u": "101101101101111", "v": "101101101101010", "w": "101101111111101", "x": "101101010101101",
    "y": "101101010010010", "z": "111001010100111", "0": "111101101101111", "1": "010110010010111",
    "2": "110001010100111", "3": "110001010001110", "4": "101101111001001", "5": "111100110001110",
    "6": "011100111101111", "7": "111001010010010", "8": "111101111101111", "9": "111101111001110",
    "_": "000000000000111", "-": "000000111000000",
}
# fmt: on


def read_png(path):
    """Width, height and the RGB rows (top first) of an 8-bit RGB PNG."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path}: not a PNG")
    pos, idat, width, height = 8, [], 0, 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if (depth, colour, interlace) != (8, 2, 0):
                raise ValueError(f"{path}: only 8-bit RGB, not interlaced")
        elif kind == b"IDAT":
            idat.append(body)
        elif kind == b"IEND":
            break
    raw = zlib.decompress(b"".join(idat))
    stride = width * 3
    rows, prev = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, row = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        if kind == 1:
            for i in range(3, stride):
                row[i] = (row[i] + row[i - 3]) & 255
        elif kind == 2:
            row = bytearray((a + b) & 255 for a, b in zip(row, prev))
        elif kind == 3:
            for i in range(stride):
                left = row[i - 3] if i >= 3 else 0
                row[i] = (row[i] + ((left + prev[i]) >> 1)) & 255
        elif kind == 4:
            for i in range(stride):
                a = row[i - 3] if i >= 3 else 0
                b, c = prev[i], prev[i - 3] if i >= 3 else 0
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                row[i] = (row[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(row)
        prev = row
    return width, height, rows


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    raw = b"".join(b"\x00" + bytes(row) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 6)) +
                chunk(b"IEND", b""))


def label_of(path):
    name = path.rsplit("/", 1)[-1]
    name = name[:-4] if name.endswith(".png") else name
    return name[5:] if name.startswith("draw_") else name


def print_label(rows, x0, y0, text, max_width):
    for n, ch in enumerate(text.lower()):
        glyph = GLYPHS.get(ch)
        gx = x0 + n * 4 * GLYPH_SCALE
        if gx + 3 * GLYPH_SCALE > x0 + max_width:
            return
        if glyph is None:
            continue
        for k, bit in enumerate(glyph):
            if bit != "1":
                continue
            x, y = gx + k % 3 * GLYPH_SCALE, y0 + k // 3 * GLYPH_SCALE
            for dy in range(GLYPH_SCALE):
                rows[y + dy][3 * x:3 * (x + GLYPH_SCALE)] = bytes(INK) * GLYPH_SCALE


def main(argv):
    if len(argv) < 4:
        sys.stderr.write(__doc__)
        return 2
    out, columns, shots = argv[1], int(argv[2]), argv[3:]
    cells = []
    for path in shots:
        width, height, rows = read_png(path)
        cells.append((label_of(path), width // SHRINK, height // SHRINK,
                      [bytes(b for x in range(0, width - width % SHRINK, SHRINK) for b in rows[y][3 * x:3 * x + 3])
                       for y in range(0, height - height % SHRINK, SHRINK)]))
    cell_w = max(c[1] for c in cells)
    cell_h = max(c[2] for c in cells) + LABEL_HEIGHT
    grid_rows = (len(cells) + columns - 1) // columns
    sheet_w, sheet_h = cell_w * columns, cell_h * grid_rows
    sheet = [bytearray(bytes(BACKGROUND) * sheet_w) for _ in range(sheet_h)]
    for n, (label, w, h, pixels) in enumerate(cells):
        x0, y0 = (n % columns) * cell_w, (n // columns) * cell_h
        for y, line in enumerate(pixels):
            sheet[y0 + y][3 * x0:3 * x0 + len(line)] = line
        print_label(sheet, x0 + 2, y0 + h + 3, label, w - 4)
    write_png(out, sheet_w, sheet_h, sheet)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
