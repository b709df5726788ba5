#!/usr/bin/env python3
"""Paints the plug-in's binary resources from the descriptions below.

Usage: python3 tools/paint_resources.py OUTDIR

Writes three files into OUTDIR:
  ImageList1.il        image-list stream (the layout ImageList_Read takes, version
                       0x0101) with the twelve toolbar buttons, 32x32 each
  Tipp211.ico          32x32 16-colour icon: a glass flask holding red liquid
  THotSpeedButton.bmp  24x24 16-colour bitmap: a black disc on white

Only the standard library is used, and every number is computed with integer or
exactly reproducible float arithmetic, so each run writes the same bytes.
"""

import math
import os
import struct
import sys

# ---------------------------------------------------------------------------
# Colours
# ---------------------------------------------------------------------------

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)

# Button tiles are shaded diagonally: first colour at the upper-left pixel,
# second at the lower-right pixel.
TILE_NORMAL = ((133, 120, 209), (55, 59, 104))
TILE_HOT = ((203, 177, 255), (46, 54, 145))
TILE_HOT_DEEP = ((189, 163, 255), (32, 40, 131))  # hot cross and hot floppy

SYMBOL_COLOUR = WHITE

# The standard 16-colour VGA palette in the order Windows uses it, as RGB.
VGA_PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
VGA_BLACK = 0
VGA_DARK_RED = 1
VGA_LIGHT_GREY = 7
VGA_DARK_GREY = 8
VGA_RED = 9
VGA_WHITE = 15

# ---------------------------------------------------------------------------
# Symbols
#
# Coordinates are in pixels of a 32x32 image, y growing downwards; a pixel
# (x, y) covers the square [x, x+1) x [y, y+1), so the image centre is
# (16, 16). A symbol is a list of steps; each step paints (+) or erases (-)
# one shape, later steps winning over earlier ones. Shapes:
#   ("line", width, [(x, y), ...])              polyline with round ends
#   ("arc", width, (cx, cy), r, from_deg, to_deg)
#        circular stroke; angles run clockwise on screen, 0 = right, 90 = down
#   ("rect", x0, y0, x1, y1)                    filled rectangle
#   ("disc", (cx, cy), r)                       filled circle
#   ("poly", [(x, y), ...])                     filled polygon
# Keep a margin of at least two pixels so the corner pixels stay tile-coloured:
# the lower-left one becomes the transparent pixel of each button.
# ---------------------------------------------------------------------------

STROKE = 3.6

TICK = [
    ("+", ("line", STROKE, [(8.5, 16.5), (13.5, 21.5), (23.5, 10.0)])),
]

CROSS = [
    ("+", ("line", STROKE, [(10.0, 10.0), (22.0, 22.0)])),
    ("+", ("line", STROKE, [(22.0, 10.0), (10.0, 22.0)])),
]

# Undo: an arrow pointing left whose tail runs right and bends back round,
# above a short bar.
UNDO = [
    ("+", ("poly", [(4.5, 10.0), (11.5, 4.0), (11.5, 16.0)])),
    ("+", ("line", 3.4, [(11.0, 10.0), (18.0, 10.0)])),
    ("+", ("arc", 3.4, (18.0, 15.0), 5.0, -90.0, 90.0)),
    ("+", ("line", 3.4, [(18.0, 20.0), (12.0, 20.0)])),
    ("+", ("rect", 8.0, 24.5, 24.0, 27.5)),
]

# Small letter "i" with serifs, as in a serif typeface.
INFO = [
    ("+", ("disc", (16.0, 7.5), 2.6)),
    ("+", ("rect", 14.2, 12.0, 17.8, 25.0)),
    ("+", ("rect", 11.5, 12.0, 17.8, 14.6)),
    ("+", ("rect", 11.0, 22.6, 21.0, 25.0)),
]

QUESTION = [
    ("+", ("arc", 3.6, (16.0, 11.0), 5.2, 170.0, 405.0)),
    ("+", ("line", 3.6, [(19.7, 14.7), (16.0, 18.0), (16.0, 20.0)])),
    ("+", ("disc", (16.0, 25.0), 2.3)),
]

# Floppy disk: a body with a chamfered upper-right corner, the metal shutter
# cut out at the top (with its sliding window left standing) and the label
# cut out at the bottom.
FLOPPY = [
    ("+", ("poly", [(6.0, 5.0), (22.0, 5.0), (26.0, 9.0), (26.0, 27.0), (6.0, 27.0)])),
    ("-", ("rect", 10.0, 7.5, 21.0, 13.0)),
    ("+", ("rect", 17.0, 8.5, 19.5, 12.0)),
    ("-", ("rect", 9.0, 16.5, 23.0, 24.5)),
    ("+", ("rect", 11.0, 18.5, 21.0, 19.5)),
    ("+", ("rect", 11.0, 21.5, 21.0, 22.5)),
]

# The image list in index order: (symbol, tile shading).
BUTTONS = [
    (TICK, TILE_NORMAL), (TICK, TILE_HOT),
    (UNDO, TILE_NORMAL), (UNDO, TILE_HOT),
    (INFO, TILE_NORMAL), (INFO, TILE_HOT),
    (QUESTION, TILE_NORMAL), (QUESTION, TILE_HOT),
    (CROSS, TILE_NORMAL), (CROSS, TILE_HOT_DEEP),
    (FLOPPY, TILE_NORMAL), (FLOPPY, TILE_HOT_DEEP),
]

# ---------------------------------------------------------------------------
# Image-list stream layout
# ---------------------------------------------------------------------------

IL_MAGIC = 0x4C49            # "IL"
IL_VERSION = 0x0101
IL_CAPACITY = 14
IL_GROW = 4
IL_CELL = 32
IL_COLUMNS = 4               # the stream stores four images to a bitmap row
IL_FLAGS = 0x10FF            # ILC_MASK | ILC_COLORDDB and the upper flag bit
CLR_NONE = 0xFFFFFFFF
NO_OVERLAY = 0xFFFF

# Colour stored under a transparent mask pixel. Masked drawing ANDs the mask
# into the target and then ORs (or XORs) the colour bitmap over it, so only
# black there leaves the background untouched; any other colour tints it.
UNDER_MASK = BLACK

# Subsamples per pixel side used for anti-aliased symbol edges.
SUPERSAMPLE = 4


# ---------------------------------------------------------------------------
# Raster
# ---------------------------------------------------------------------------

class Raster:
    """A width x height grid of pixel values (RGB tuples or palette indexes),
    row 0 at the top."""

    def __init__(self, width, height, fill):
        self.width = width
        self.height = height
        self.rows = [[fill] * width for _ in range(height)]

    def get(self, x, y):
        return self.rows[y][x]

    def set(self, x, y, value):
        self.rows[y][x] = value

    def paste(self, other, left, top):
        for y in range(other.height):
            self.rows[top + y][left:left + other.width] = other.rows[y]


# ---------------------------------------------------------------------------
# Shapes: each is a predicate telling whether a point lies inside
# ---------------------------------------------------------------------------

def _segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    qx, qy = ax + t * dx - px, ay + t * dy - py
    return math.sqrt(qx * qx + qy * qy)


def _polyline(width, points):
    half = width / 2.0
    segments = list(zip(points, points[1:])) or [(points[0], points[0])]

    def inside(x, y):
        return any(_segment_distance(x, y, a[0], a[1], b[0], b[1]) <= half for a, b in segments)
    return inside


def _arc_points(centre, radius, from_deg, to_deg):
    # Enough segments that the chord never strays visibly from the circle.
    steps = max(2, int(abs(to_deg - from_deg) / 6))
    cx, cy = centre
    return [(cx + radius * math.cos(math.radians(from_deg + (to_deg - from_deg) * i / steps)),
             cy + radius * math.sin(math.radians(from_deg + (to_deg - from_deg) * i / steps)))
            for i in range(steps + 1)]


def _polygon(points):
    def inside(x, y):
        # Even-odd rule by counting edge crossings of a ray to the right.
        result = False
        for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                result = not result
        return result
    return inside


def make_shape(desc):
    kind = desc[0]
    if kind == "line":
        return _polyline(desc[1], desc[2])
    if kind == "arc":
        _, width, centre, radius, from_deg, to_deg = desc
        return _polyline(width, _arc_points(centre, radius, from_deg, to_deg))
    if kind == "rect":
        _, x0, y0, x1, y1 = desc
        return lambda x, y: x0 <= x < x1 and y0 <= y < y1
    if kind == "disc":
        _, (cx, cy), r = desc
        return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    if kind == "poly":
        return _polygon(desc[1])
    raise ValueError("unknown shape %r" % (kind,))


def symbol_coverage(symbol, size):
    """Returns a size x size Raster of coverage counts, 0..SUPERSAMPLE**2, of
    the symbol over each pixel."""
    steps = [(op == "+", make_shape(desc)) for op, desc in symbol]
    n = SUPERSAMPLE
    offsets = [(i + 0.5) / n for i in range(n)]
    cover = Raster(size, size, 0)
    for y in range(size):
        for x in range(size):
            count = 0
            for oy in offsets:
                for ox in offsets:
                    painted = False
                    for paint, inside in steps:
                        if inside(x + ox, y + oy):
                            painted = paint
                    count += painted
            cover.set(x, y, count)
    return cover


# ---------------------------------------------------------------------------
# Buttons
# ---------------------------------------------------------------------------

def _mix(a, b, num, den):
    """Channel-wise a + (b - a) * num / den, rounded to nearest."""
    return tuple((ca * (den - num) + cb * num + den // 2) // den for ca, cb in zip(a, b))


def paint_tile(size, shading):
    """A square tile shaded along the diagonal, from shading[0] at the upper-left
    pixel to shading[1] at the lower-right pixel."""
    top_left, bottom_right = shading
    span = 2 * (size - 1)
    tile = Raster(size, size, BLACK)
    for y in range(size):
        for x in range(size):
            tile.set(x, y, _mix(top_left, bottom_right, x + y, span))
    return tile


def paint_button(symbol, shading, size=IL_CELL):
    tile = paint_tile(size, shading)
    cover = symbol_coverage(symbol, size)
    full = SUPERSAMPLE * SUPERSAMPLE
    for y in range(size):
        for x in range(size):
            tile.set(x, y, _mix(tile.get(x, y), SYMBOL_COLOUR, cover.get(x, y), full))
    return tile


def image_list_bitmaps():
    """Colour and mask rasters of the whole strip: images four to a row, image i
    at column i % 4 and row i // 4 from the top. The mask holds True where a
    pixel is transparent: one pixel per button (its lower-left corner) and all
    of every cell without a button. Transparent pixels are UNDER_MASK in the
    colour raster."""
    rows = (IL_CAPACITY + IL_COLUMNS - 1) // IL_COLUMNS
    width, height = IL_COLUMNS * IL_CELL, rows * IL_CELL
    colour = Raster(width, height, UNDER_MASK)
    mask = Raster(width, height, True)
    for index, (symbol, shading) in enumerate(BUTTONS):
        left, top = (index % IL_COLUMNS) * IL_CELL, (index // IL_COLUMNS) * IL_CELL
        colour.paste(paint_button(symbol, shading), left, top)
        mask.paste(Raster(IL_CELL, IL_CELL, False), left, top)
        mask.set(left, top + IL_CELL - 1, True)
        colour.set(left, top + IL_CELL - 1, UNDER_MASK)
    return colour, mask


# ---------------------------------------------------------------------------
# Device-independent bitmap encoding
# ---------------------------------------------------------------------------

BI_RGB = 0


def _row_bytes(width, bits):
    return (width * bits + 31) // 32 * 4


def dib_bits(raster, bits, value_of=lambda v: v):
    """Pixel data bottom-up, rows padded to four bytes. For 24 bits a pixel
    value is an RGB tuple; for 1 and 4 bits value_of maps it to a palette index."""
    stride = _row_bytes(raster.width, bits)
    out = bytearray()
    for y in reversed(range(raster.height)):
        row = bytearray()
        if bits == 24:
            for r, g, b in raster.rows[y]:
                row += bytes((b, g, r))
        else:
            per_byte = 8 // bits
            values = [value_of(v) for v in raster.rows[y]]
            for start in range(0, len(values), per_byte):
                byte = 0
                for i in range(per_byte):
                    v = values[start + i] if start + i < len(values) else 0
                    byte |= v << (8 - bits * (i + 1))
                row.append(byte)
        row += bytes(stride - len(row))
        out += row
    return bytes(out)


def info_header(width, height, bits, image_size, colours_used=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, BI_RGB,
                       image_size, 0, 0, colours_used, 0)


def palette_bytes(rgb_list):
    return b"".join(bytes((b, g, r, 0)) for r, g, b in rgb_list)


def bmp_file(raster, bits, palette=(), value_of=lambda v: v):
    """A complete .bmp file: BITMAPFILEHEADER, BITMAPINFOHEADER, palette, bits."""
    pixels = dib_bits(raster, bits, value_of)
    header = info_header(raster.width, raster.height, bits, len(pixels), len(palette))
    colours = palette_bytes(palette)
    offset = 14 + len(header) + len(colours)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return file_header + header + colours + pixels


# ---------------------------------------------------------------------------
# A) Image-list stream
# ---------------------------------------------------------------------------

def image_list_stream():
    colour, mask = image_list_bitmaps()
    header = struct.pack("<HHHHHHHIH4H", IL_MAGIC, IL_VERSION, len(BUTTONS), IL_CAPACITY,
                         IL_GROW, IL_CELL, IL_CELL, CLR_NONE, IL_FLAGS,
                         NO_OVERLAY, NO_OVERLAY, NO_OVERLAY, NO_OVERLAY)
    assert len(header) == 28
    colour_bmp = bmp_file(colour, 24)
    # Mask palette: index 0 black (opaque), index 1 white (transparent).
    mask_bmp = bmp_file(mask, 1, [BLACK, WHITE], value_of=int)
    return header + colour_bmp + mask_bmp


# ---------------------------------------------------------------------------
# B) Flask icon
# ---------------------------------------------------------------------------

ICON_SIZE = 32
FLASK_BODY_CENTRE = (16.0, 20.5)
FLASK_BODY_RADIUS = 10.2
FLASK_NECK = (13, 2, 19, 12)        # x0, y0, x1, y1 in whole pixels, ends exclusive
FLASK_LIP = (12, 1, 20, 3)
FLASK_LIQUID_TOP = 20               # first pixel row holding liquid
FLASK_OUTLINE = VGA_BLACK
FLASK_GLASS = VGA_WHITE
FLASK_GLASS_SHADE = VGA_LIGHT_GREY
FLASK_LIQUID = VGA_RED
FLASK_LIQUID_SHADE = VGA_DARK_RED
FLASK_SURFACE = VGA_DARK_RED
FLASK_GLINT = VGA_WHITE


def _in_box(x, y, box):
    x0, y0, x1, y1 = box
    return x0 <= x < x1 and y0 <= y < y1


def _body_distance(x, y):
    """Distance of the pixel centre from the body centre."""
    cx, cy = FLASK_BODY_CENTRE
    return math.hypot(x + 0.5 - cx, y + 0.5 - cy)


def _in_flask(x, y):
    return (_body_distance(x, y) <= FLASK_BODY_RADIUS
            or _in_box(x, y, FLASK_NECK) or _in_box(x, y, FLASK_LIP))


def _body_angle(x, y):
    """Angle of the pixel centre seen from the body centre, in degrees,
    clockwise on screen: 0 = right, 90 = down, -90 = up."""
    cx, cy = FLASK_BODY_CENTRE
    return math.degrees(math.atan2(y + 0.5 - cy, x + 0.5 - cx))


def paint_flask():
    """Palette-index raster and transparency raster (True = transparent).
    Light falls from the upper left: the right rim of the glass and the lower
    right of the liquid are shaded, and a glint runs round the lower left."""
    n = ICON_SIZE
    pixels = Raster(n, n, VGA_BLACK)
    clear = Raster(n, n, True)
    for y in range(n):
        for x in range(n):
            if not _in_flask(x, y):
                continue
            clear.set(x, y, False)
            neighbours = [(x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)]
            if any(not (0 <= a < n and 0 <= b < n) or not _in_flask(a, b) for a, b in neighbours):
                pixels.set(x, y, FLASK_OUTLINE)
                continue
            depth = FLASK_BODY_RADIUS - _body_distance(x, y)   # > 0 inside the body
            angle = _body_angle(x, y)
            if depth < 0:
                # Neck: glass, its right wall in shade.
                colour = FLASK_GLASS_SHADE if x == FLASK_NECK[2] - 2 else FLASK_GLASS
            elif y == FLASK_LIQUID_TOP:
                colour = FLASK_SURFACE
            elif y > FLASK_LIQUID_TOP:
                if depth < 3.0 and -10 <= angle <= 80:
                    colour = FLASK_LIQUID_SHADE
                elif 1.6 <= depth < 3.0 and 115 <= angle <= 165:
                    colour = FLASK_GLINT
                else:
                    colour = FLASK_LIQUID
            else:
                colour = FLASK_GLASS_SHADE if depth < 2.6 and -80 <= angle <= 10 else FLASK_GLASS
            pixels.set(x, y, colour)
    return pixels, clear


def icon_file():
    pixels, clear = paint_flask()
    xor_bits = dib_bits(pixels, 4)
    and_bits = dib_bits(clear, 1, value_of=int)
    # The header describes XOR and AND masks stacked, hence twice the height.
    header = info_header(ICON_SIZE, 2 * ICON_SIZE, 4, len(xor_bits) + len(and_bits))
    image = header + palette_bytes(VGA_PALETTE) + xor_bits + and_bits
    icon_dir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", ICON_SIZE, ICON_SIZE, 16, 0, 1, 4, len(image),
                        len(icon_dir) + 16)
    return icon_dir + entry + image


# ---------------------------------------------------------------------------
# C) Button bitmap: black disc on white
# ---------------------------------------------------------------------------

DISC_SIZE = 24
DISC_RADIUS = 8.9   # 18 pixels across, a round outline at this size


def disc_bitmap_file():
    n = DISC_SIZE
    raster = Raster(n, n, VGA_WHITE)
    centre = n / 2.0
    for y in range(n):
        for x in range(n):
            if (x + 0.5 - centre) ** 2 + (y + 0.5 - centre) ** 2 <= DISC_RADIUS ** 2:
                raster.set(x, y, VGA_BLACK)
    return bmp_file(raster, 4, VGA_PALETTE)


# ---------------------------------------------------------------------------

OUTPUTS = [
    ("ImageList1.il", image_list_stream),
    ("Tipp211.ico", icon_file),
    ("THotSpeedButton.bmp", disc_bitmap_file),
]


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: %s OUTDIR\n" % argv[0])
        return 2
    outdir = argv[1]
    os.makedirs(outdir, exist_ok=True)
    for name, produce in OUTPUTS:
        data = produce()
        with open(os.path.join(outdir, name), "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
