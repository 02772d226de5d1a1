#!/usr/bin/env python3
"""Turn the text-art pictures in res/art/ into the binary files the .rc script loads.

    python3 res/art2bin.py OUTDIR

writes every bitmap (.bmp), the cursor (.cur) and the icon (.ico) into OUTDIR and then
reads each one back to check it against the sizes the program relies on.  Standard
library only.  The art format is described in res/README.md.
"""

import os
import struct
import sys

ART_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "art")

# The 16 colours of a 4-bit bitmap, in the order of the standard VGA palette.  The
# bitmaps keep exactly this colour table so that loading with system-colour mapping
# finds black, dark grey, light grey and white where it expects them.
VGA16 = [
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
]

TRANSPARENT = "transparent"   # icon and cursor pixels that show the screen
INVERT = "invert"             # cursor pixels that invert the screen

# Every file the resource script names, with the shape it must have.
# kind, width, height (for the icon: the list of sizes), extra
EXPECTED = {
    "tb128.bmp": ("bmp", 272, 15),
    "cur140.cur": ("cur", 32, 32, (1, 11)),
    "ico128.ico": ("ico", [(32, 32), (16, 16)]),
}
for _n in range(132, 138):
    EXPECTED["tree%d.bmp" % _n] = ("bmp", 16, 16)
for _n in range(142, 163):
    EXPECTED["menu%d.bmp" % _n] = ("bmp", 16, 15)


class ArtError(Exception):
    pass


# ---------------------------------------------------------------- parsing

def parse_art(path):
    """Read one art file into a dict: kind, outs, legend, images [(w, h, rows)], cells, hotspot."""
    art = {"kind": None, "outs": [], "legend": {}, "images": [], "cells": None,
           "cellsize": None, "hotspot": None, "path": path}
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    i = 0
    in_legend = in_cells = False
    while i < len(lines):
        raw = lines[i]
        line = raw.strip()
        i += 1
        if not line or line.startswith("#"):
            continue
        if raw[:1] in (" ", "\t") and in_cells:
            art["cells"].extend(line.split())
            continue
        if raw[:1] in (" ", "\t") and in_legend:
            parts = line.split(None, 2)
            if len(parts) < 2 or len(parts[0]) != 1:
                raise ArtError("%s:%d: legend line needs a character and a colour" % (path, i))
            ch, val = parts[0], parts[1].lower()
            if ch in art["legend"]:
                raise ArtError("%s:%d: character %r defined twice" % (path, i, ch))
            if val in (TRANSPARENT, INVERT):
                art["legend"][ch] = val
            else:
                try:
                    art["legend"][ch] = int(val, 16)
                except ValueError:
                    raise ArtError("%s:%d: bad colour %r" % (path, i, val))
            continue
        in_legend = in_cells = False
        key, _, value = line.partition(":")
        key, value = key.strip(), value.strip()
        if key == "kind":
            art["kind"] = value
        elif key == "out":
            art["outs"].append(value)
        elif key == "hotspot":
            x, y = (int(v) for v in value.split(","))
            art["hotspot"] = (x, y)
        elif key == "legend":
            in_legend = True
        elif key.startswith("cells "):
            art["cellsize"] = parse_size(key[6:], path, i)
            art["cells"] = value.split()
            in_cells = True
        elif key.startswith("pixels "):
            w, h = parse_size(key[7:], path, i)
            rows = lines[i:i + h]
            if len(rows) != h:
                raise ArtError("%s:%d: expected %d rows" % (path, i, h))
            for n, row in enumerate(rows):
                if len(row) != w:
                    raise ArtError("%s:%d: row is %d characters wide, expected %d"
                                   % (path, i + n + 1, len(row), w))
                for ch in row:
                    if ch not in art["legend"]:
                        raise ArtError("%s:%d: character %r is not in the legend"
                                       % (path, i + n + 1, ch))
            art["images"].append((w, h, rows))
            i += h
        else:
            raise ArtError("%s:%d: unknown line %r" % (path, i, line))
    if art["kind"] not in ("bmp4", "strip", "cur", "ico"):
        raise ArtError("%s: kind must be bmp4, strip, cur or ico" % path)
    return art


def parse_size(text, path, lineno):
    try:
        w, h = text.strip().lower().split("x")
        return int(w), int(h)
    except ValueError:
        raise ArtError("%s:%d: bad size %r" % (path, lineno, text))


def vga_index(colour, path):
    try:
        return VGA16.index(colour)
    except ValueError:
        raise ArtError("%s: colour %06x is not one of the 16 standard colours" % (path, colour))


# ---------------------------------------------------------------- writers

def row_bytes(width, bpp):
    return ((width * bpp + 31) // 32) * 4


def pack_4bpp(indices, width):
    """One row of 4-bit indices, padded to a 32-bit boundary."""
    out = bytearray(row_bytes(width, 4))
    for x, v in enumerate(indices):
        out[x // 2] |= (v << 4) if x % 2 == 0 else v
    return bytes(out)


def pack_1bpp(bits, width):
    out = bytearray(row_bytes(width, 1))
    for x, v in enumerate(bits):
        if v:
            out[x // 8] |= 0x80 >> (x % 8)
    return bytes(out)


def palette_bytes(colours):
    return b"".join(struct.pack("<BBBB", c & 0xFF, (c >> 8) & 0xFF, c >> 16, 0) for c in colours)


def info_header(width, height, bpp, image_size, colours):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0, image_size, 0, 0, colours, 0)


def bmp4(width, height, index_rows):
    """A bottom-up 4-bit BMP file with the VGA colour table."""
    bits = b"".join(pack_4bpp(r, width) for r in reversed(index_rows))
    header = info_header(width, height, 4, len(bits), 16) + palette_bytes(VGA16)
    offset = 14 + len(header)
    return struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset) + header + bits


def icon_image(width, height, xor_rows, and_rows, bpp, colours):
    """The DIB of one icon or cursor image: header of double height, colours, XOR, AND."""
    if bpp == 4:
        xor = b"".join(pack_4bpp(r, width) for r in reversed(xor_rows))
    else:
        xor = b"".join(pack_1bpp(r, width) for r in reversed(xor_rows))
    andm = b"".join(pack_1bpp(r, width) for r in reversed(and_rows))
    return (info_header(width, height * 2, bpp, len(xor) + len(andm), len(colours))
            + palette_bytes(colours) + xor + andm)


def icon_file(kind, entries):
    """entries: (width, height, colour count, field1, field2, dib).  For an icon the two
    fields are planes and bit count; for a cursor the hotspot."""
    head = struct.pack("<HHH", 0, 1 if kind == "ico" else 2, len(entries))
    offset = 6 + 16 * len(entries)
    table, data = b"", b""
    for w, h, ncol, f1, f2, dib in entries:
        table += struct.pack("<BBBBHHII", w % 256, h % 256, ncol % 256, 0, f1, f2,
                             len(dib), offset + len(data))
        data += dib
    return head + table + data


# ---------------------------------------------------------------- conversion

def convert_bmp(art):
    if len(art["images"]) != 1:
        raise ArtError("%s: a bitmap holds exactly one pixel block" % art["path"])
    w, h, rows = art["images"][0]
    return bmp4(w, h, index_rows(art, rows))


def index_rows(art, rows):
    legend = art["legend"]
    out = []
    for row in rows:
        r = []
        for ch in row:
            c = legend[ch]
            if not isinstance(c, int):
                raise ArtError("%s: %s pixels only belong in icons and cursors" % (art["path"], c))
            r.append(vga_index(c, art["path"]))
        out.append(r)
    return out


def convert_strip(art, arts_by_name):
    cw, ch = art["cellsize"]
    cells = []
    for name in art["cells"]:
        cell = arts_by_name.get(name)
        if cell is None:
            raise ArtError("%s: no art file %s.txt" % (art["path"], name))
        w, h, rows = cell["images"][0]
        if (w, h) != (cw, ch):
            raise ArtError("%s: %s is %dx%d, cells are %dx%d" % (art["path"], name, w, h, cw, ch))
        cells.append(index_rows(cell, rows))
    joined = [sum((c[y] for c in cells), []) for y in range(ch)]
    return bmp4(cw * len(cells), ch, joined)


def convert_cur(art):
    if len(art["images"]) != 1 or art["hotspot"] is None:
        raise ArtError("%s: a cursor holds one pixel block and a hotspot" % art["path"])
    w, h, rows = art["images"][0]
    xor_rows, and_rows = [], []
    for row in rows:
        xr, ar = [], []
        for ch in row:
            c = art["legend"][ch]
            if c == TRANSPARENT:
                xr.append(0); ar.append(1)
            elif c == INVERT:
                xr.append(1); ar.append(1)
            elif c == 0x000000:
                xr.append(0); ar.append(0)
            elif c == 0xFFFFFF:
                xr.append(1); ar.append(0)
            else:
                raise ArtError("%s: a monochrome cursor has only black and white" % art["path"])
        xor_rows.append(xr)
        and_rows.append(ar)
    dib = icon_image(w, h, xor_rows, and_rows, 1, [0x000000, 0xFFFFFF])
    hx, hy = art["hotspot"]
    return icon_file("cur", [(w, h, 2, hx, hy, dib)])


def convert_ico(art):
    entries = []
    for w, h, rows in art["images"]:
        xor_rows, and_rows = [], []
        for row in rows:
            xr, ar = [], []
            for ch in row:
                c = art["legend"][ch]
                if c == TRANSPARENT:
                    xr.append(0); ar.append(1)
                elif c == INVERT:
                    raise ArtError("%s: icons do not invert" % art["path"])
                else:
                    xr.append(vga_index(c, art["path"])); ar.append(0)
            xor_rows.append(xr)
            and_rows.append(ar)
        entries.append((w, h, 16, 1, 4, icon_image(w, h, xor_rows, and_rows, 4, VGA16)))
    return icon_file("ico", entries)


def load_all():
    arts = {}
    for fn in sorted(os.listdir(ART_DIR)):
        if fn.endswith(".txt"):
            arts[fn[:-4]] = parse_art(os.path.join(ART_DIR, fn))
    return arts


def build(outdir):
    arts = load_all()
    os.makedirs(outdir, exist_ok=True)
    written = {}
    for name, art in arts.items():
        if not art["outs"]:
            continue
        kind = art["kind"]
        if kind == "bmp4":
            data = convert_bmp(art)
        elif kind == "strip":
            data = convert_strip(art, arts)
        elif kind == "cur":
            data = convert_cur(art)
        else:
            data = convert_ico(art)
        for out in art["outs"]:
            if out in written:
                raise ArtError("%s is written by both %s and %s" % (out, written[out], name))
            written[out] = name
            with open(os.path.join(outdir, out), "wb") as f:
                f.write(data)
    missing = sorted(set(EXPECTED) - set(written))
    if missing:
        raise ArtError("no art produces: " + ", ".join(missing))
    return sorted(written)


# ---------------------------------------------------------------- verification

def verify(outdir):
    """Read every expected file back and check its headers against EXPECTED."""
    for name, shape in sorted(EXPECTED.items()):
        with open(os.path.join(outdir, name), "rb") as f:
            data = f.read()
        if shape[0] == "bmp":
            magic, size, _, _, offset = struct.unpack_from("<2sIHHI", data, 0)
            hsize, w, h, planes, bpp, comp, isize, _, _, ncol, _ = struct.unpack_from(
                "<IiiHHIIiiII", data, 14)
            check(name, magic == b"BM" and size == len(data), "file header")
            check(name, hsize == 40 and planes == 1 and comp == 0, "info header")
            check(name, (w, h) == shape[1:3], "size %dx%d" % (w, h))
            check(name, bpp == 4 and ncol == 16, "not 16 colours")
            check(name, offset == 14 + 40 + 64, "pixel offset")
            check(name, isize == row_bytes(w, 4) * h == len(data) - offset, "image size")
        else:
            reserved, typ, count = struct.unpack_from("<HHH", data, 0)
            want = shape[1] if shape[0] == "ico" else [(shape[1], shape[2])]
            check(name, reserved == 0 and typ == (1 if shape[0] == "ico" else 2), "directory type")
            check(name, count == len(want), "image count")
            for k, (ww, wh) in enumerate(want):
                w, h, _, _, f1, f2, dsize, doff = struct.unpack_from("<BBBBHHII", data, 6 + 16 * k)
                check(name, (w, h) == (ww, wh), "entry size %dx%d" % (w, h))
                if shape[0] == "cur":
                    check(name, (f1, f2) == shape[3], "hotspot %d,%d" % (f1, f2))
                hsize, dw, dh, _, bpp = struct.unpack_from("<IiiHH", data, doff)
                check(name, (dw, dh) == (ww, 2 * wh), "image header size")
                expected_bpp = 1 if shape[0] == "cur" else 4
                check(name, bpp == expected_bpp, "bits per pixel %d" % bpp)
                colours = 1 << bpp
                body = row_bytes(ww, bpp) * wh + row_bytes(ww, 1) * wh
                check(name, dsize == 40 + 4 * colours + body, "image data size")
                check(name, doff + dsize <= len(data), "image data beyond the end")


def check(name, ok, what):
    if not ok:
        raise ArtError("%s: %s" % (name, what))


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: art2bin.py OUTDIR\n")
        return 2
    try:
        names = build(argv[1])
        verify(argv[1])
    except (ArtError, OSError) as e:
        sys.stderr.write("art2bin: %s\n" % e)
        return 1
    print("art2bin: wrote %d files to %s" % (len(names), argv[1]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
