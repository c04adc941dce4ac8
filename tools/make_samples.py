#!/usr/bin/env python3
"""Writes the sample level: samples/sample.bmp, samples/sample.dat and the
start-up logo samples/LOGO.bmp. Standard library only; the same bytes on
every run, so the outputs can be committed and regenerated at will.

Usage: tools/make_samples.py [OUTPUT_DIR]   (default: samples/ of the repo)
"""

import math
import os
import struct
import sys

# Rows above this one hold the enemies' animation frames and never show in
# the editor's view; level y 0 is this bitmap row.
LEVEL_ORIGIN_ROW = 197
LEVEL_WIDTH = 640
LEVEL_HEIGHT = 1200


# ---------------------------------------------------------------- palettes

class Palette:
    """256 RGB entries, handed out by name as the pictures need them."""

    def __init__(self):
        self.colours = []
        self.names = {}

    def add(self, name, rgb):
        self.names[name] = len(self.colours)
        self.colours.append(rgb)
        return self.names[name]

    def ramp(self, name, start, end, count):
        for i in range(count):
            t = i / (count - 1)
            self.add((name, i), tuple(round(a + (b - a) * t) for a, b in zip(start, end)))

    def __getitem__(self, name):
        return self.names[name]

    def table(self):
        if len(self.colours) > 256:
            raise ValueError("more than 256 colours")
        # Unused entries: a grey ramp, so every entry is a defined colour.
        filler = [(i, i, i) for i in range(len(self.colours), 256)]
        return self.colours + filler


# ---------------------------------------------------------------- canvas

class Canvas:
    """An 8-bit picture, row 0 at the top."""

    def __init__(self, width, height, colour):
        self.width = width
        self.height = height
        self.rows = [bytearray([colour]) * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        """Fills columns x0..x1-1 of rows y0..y1-1."""
        x0, x1 = max(x0, 0), min(x1, self.width)
        for y in range(max(y0, 0), min(y1, self.height)):
            self.rows[y][x0:x1] = bytes([colour]) * max(x1 - x0, 0)

    def ellipse(self, cx, cy, rx, ry, colour):
        for y in range(math.floor(cy - ry), math.ceil(cy + ry) + 1):
            for x in range(math.floor(cx - rx), math.ceil(cx + rx) + 1):
                if ((x + 0.5 - cx) / rx) ** 2 + ((y + 0.5 - cy) / ry) ** 2 <= 1.0:
                    self.put(x, y, colour)

    def polygon(self, points, colour):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        for y in range(math.floor(min(ys)), math.ceil(max(ys)) + 1):
            for x in range(math.floor(min(xs)), math.ceil(max(xs)) + 1):
                if inside(points, x + 0.5, y + 0.5):
                    self.put(x, y, colour)

    def text(self, x, y, string, scale, colour, font):
        for ch in string:
            glyph = font[ch]
            for gy, line in enumerate(glyph):
                for gx, bit in enumerate(line):
                    if bit == "#":
                        self.rect(x + gx * scale, y + gy * scale,
                                  x + (gx + 1) * scale, y + (gy + 1) * scale, colour)
            x += (len(glyph[0]) + 1) * scale

    def bmp(self, palette):
        """The picture as an uncompressed 8-bit bottom-up BMP file."""
        stride = (self.width + 3) & ~3
        pixels = b"".join(bytes(row) + b"\0" * (stride - self.width) for row in reversed(self.rows))
        table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette.table())
        offset = 14 + 40 + len(table)
        file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
        info_header = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 8, 0,
                                  len(pixels), 2835, 2835, 0, 0)
        return file_header + info_header + table + pixels


def inside(points, x, y):
    """Even-odd rule point-in-polygon test."""
    result = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


class Lcg:
    """A fixed pseudo-random sequence, independent of the Python version."""

    def __init__(self, seed):
        self.state = seed

    def below(self, n):
        self.state = (self.state * 1103515245 + 12345) & 0x7FFFFFFF
        return (self.state >> 8) % n


# ---------------------------------------------------------------- pixel font

FONT = {
    " ": ["     "] * 7,
    "0": [" ### ", "#   #", "#  ##", "# # #", "##  #", "#   #", " ### "],
    "1": ["  #  ", " ##  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "],
    "2": [" ### ", "#   #", "    #", "   # ", "  #  ", " #   ", "#####"],
    "3": ["#### ", "    #", "    #", " ### ", "    #", "    #", "#### "],
    "4": ["   # ", "  ## ", " # # ", "#  # ", "#####", "   # ", "   # "],
    "5": ["#####", "#    ", "#### ", "    #", "    #", "#   #", " ### "],
    "6": [" ### ", "#    ", "#    ", "#### ", "#   #", "#   #", " ### "],
    "7": ["#####", "    #", "   # ", "  #  ", " #   ", " #   ", " #   "],
    "8": [" ### ", "#   #", "#   #", " ### ", "#   #", "#   #", " ### "],
    "9": [" ### ", "#   #", "#   #", " ####", "    #", "    #", " ### "],
    "E": ["#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"],
    "L": ["#    ", "#    ", "#    ", "#    ", "#    ", "#    ", "#####"],
    "Q": [" ### ", "#   #", "#   #", "#   #", "# # #", "#  # ", " ## #"],
    "T": ["#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "],
    "Z": ["#####", "    #", "   # ", "  #  ", " #   ", "#    ", "#####"],
    "d": ["    #", "    #", " ####", "#   #", "#   #", "#   #", " ####"],
    "e": ["     ", "     ", " ### ", "#   #", "#####", "#    ", " ### "],
    "i": ["  #  ", "     ", " ##  ", "  #  ", "  #  ", "  #  ", " ### "],
    "l": [" ##  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "],
    "o": ["     ", "     ", " ### ", "#   #", "#   #", "#   #", " ### "],
    "r": ["     ", "     ", "# ## ", "##  #", "#    ", "#    ", "#    "],
    "t": [" #   ", " #   ", "#### ", " #   ", " #   ", " #  #", "  ## "],
    "v": ["     ", "     ", "#   #", "#   #", "#   #", " # # ", "  #  "],
}


# ---------------------------------------------------------------- the level

def level_palette():
    p = Palette()
    p.add("black", (0, 0, 0))
    p.add("white", (255, 255, 255))
    p.add("frame area", (48, 48, 56))
    p.add("blob", (60, 200, 70))
    p.add("blob dark", (20, 110, 30))
    p.add("blob light", (170, 250, 150))
    p.add("bat", (130, 60, 170))
    p.add("bat dark", (70, 25, 100))
    p.add("bat wing", (180, 120, 220))
    p.add("ball", (240, 130, 20))
    p.add("ball dark", (160, 40, 10))
    p.add("ball flash", (255, 175, 70))
    p.add("spike", (255, 230, 60))
    p.add("red eye", (255, 30, 30))
    p.add("cloud", (245, 248, 255))
    p.add("cloud shade", (200, 215, 235))
    p.add("grass", (60, 170, 40))
    p.add("grass light", (120, 220, 70))
    p.add("rock", (120, 110, 100))
    p.add("rock light", (170, 160, 145))
    p.add("rock dark", (70, 62, 58))
    p.add("marker", (255, 255, 0))
    p.add("gem blue", (40, 200, 255))
    p.add("gem pink", (255, 80, 200))
    p.add("lava", (255, 90, 0))
    p.add("lava glow", (255, 200, 40))
    p.ramp("sky", (150, 210, 255), (40, 80, 190), 48)
    p.ramp("earth", (150, 100, 50), (70, 35, 90), 64)
    p.ramp("cave", (60, 40, 30), (25, 10, 45), 48)
    return p


class StripSpec:
    """One image set: F frames of W x H, each in a cell W + 1 wide whose
    first column and first row are the cell's border."""

    def __init__(self, x, y, width, height, frames):
        self.x, self.y, self.width, self.height, self.frames = x, y, width, height, frames

    def frame_origin(self, i):
        return self.x + i * (self.width + 1) + 1, self.y + 1


BLOB = StripSpec(10, 20, 32, 28, 4)
BAT = StripSpec(10, 80, 40, 24, 3)
BALL = StripSpec(10, 140, 30, 30, 2)


def draw_blob(c, p, ox, oy, frame):
    w, h = BLOB.width, BLOB.height
    # Squash and stretch on the spot; the last frame blinks.
    rx = [15.0, 14.0, 12.5, 14.0][frame]
    ry = [10.0, 11.5, 13.5, 11.5][frame]
    cx, cy = ox + w / 2, oy + h - ry
    c.ellipse(cx, cy, rx, ry, p["blob dark"])
    c.ellipse(cx, cy - 0.5, rx - 1.2, ry - 1.2, p["blob"])
    c.ellipse(cx - rx / 2.5, cy - ry / 2, 2.5, 2.0, p["blob light"])
    eye_y = cy - ry / 3
    for dx in (-4.5, 4.5):
        if frame == 3:
            c.rect(round(cx + dx - 2.5), round(eye_y), round(cx + dx + 2.5), round(eye_y) + 1, p["black"])
        else:
            c.ellipse(cx + dx, eye_y, 3.0, 3.5, p["white"])
            c.ellipse(cx + dx + 0.8, eye_y + 0.5, 1.4, 1.8, p["black"])


def draw_bat(c, p, ox, oy, frame):
    w, h = BAT.width, BAT.height
    cx, cy = ox + w / 2, oy + h / 2
    tip_y = [1.0, cy - oy, h - 2.0][frame]  # wings up, level, down
    for side in (-1, 1):
        wing = [(cx + side * 3, cy - 3), (cx + side * 19, oy + tip_y),
                (cx + side * 14, cy + 2), (cx + side * 10, cy + 5), (cx + side * 3, cy + 4)]
        c.polygon(wing, p["bat dark"])
        inner = [(cx + side * 4, cy - 1), (cx + side * 16, oy + tip_y + (2 if frame == 0 else 0)),
                 (cx + side * 12, cy + 2), (cx + side * 4, cy + 3)]
        c.polygon(inner, p["bat wing"])
    c.ellipse(cx, cy + 1, 5.0, 6.5, p["bat"])
    for side in (-1, 1):
        c.polygon([(cx + side * 1.5, cy - 4), (cx + side * 4.5, cy - 10), (cx + side * 5, cy - 3)], p["bat"])
        c.put(math.floor(cx + side * 2 - (1 if side < 0 else 0)), math.floor(cy - 1), p["red eye"])


def draw_ball(c, p, ox, oy, frame):
    w, h = BALL.width, BALL.height
    cx, cy = ox + w / 2, oy + h / 2
    turn = frame * math.pi / 8
    for k in range(8):
        a = turn + k * math.pi / 4
        tip = (cx + 14.5 * math.cos(a), cy + 14.5 * math.sin(a))
        left = (cx + 8 * math.cos(a - 0.35), cy + 8 * math.sin(a - 0.35))
        right = (cx + 8 * math.cos(a + 0.35), cy + 8 * math.sin(a + 0.35))
        c.polygon([left, tip, right], p["spike"])
    c.ellipse(cx, cy, 9.0, 9.0, p["ball dark"])
    c.ellipse(cx - 0.5, cy - 0.5, 7.8, 7.8, p["ball"] if frame == 0 else p["ball flash"])
    for dx in (-3, 3):
        c.ellipse(cx + dx, cy - 1.5, 2.0, 2.2, p["white"])
        c.put(math.floor(cx + dx), math.floor(cy - 1), p["black"])
    c.rect(math.floor(cx - 3), math.floor(cy + 3), math.floor(cx + 4), math.floor(cy + 4), p["black"])


# Image sets 0, 1 and 2, with what draws one frame of each.
STRIPS = [(BLOB, draw_blob), (BAT, draw_bat), (BALL, draw_ball)]


def draw_frames(c, p):
    for strip, draw in STRIPS:
        # The cells, borders included, stay black: the editor copies
        # width + 2 by height + 2 pixels from the first cell's corner.
        c.rect(strip.x, strip.y, strip.x + strip.frames * (strip.width + 1) + 1,
               strip.y + strip.height + 2, p["black"])
        for i in range(strip.frames):
            ox, oy = strip.frame_origin(i)
            sprite = Canvas(strip.width, strip.height, p["black"])
            draw(sprite, p, 0, 0, i)
            for y in range(strip.height):
                c.rows[oy + y][ox:ox + strip.width] = sprite.rows[y]


def row_of(level_y):
    return LEVEL_ORIGIN_ROW + level_y


def draw_rock_platform(c, p, x0, x1, level_y, rng):
    """A floating slab with grass on top and a jagged underside."""
    top = row_of(level_y)
    c.rect(x0, top, x1, top + 4, p["grass light"])
    c.rect(x0, top + 4, x1, top + 8, p["grass"])
    c.rect(x0, top + 8, x1, top + 18, p["rock"])
    for x in range(x0, x1, 6):
        depth = 6 + rng.below(14)
        c.polygon([(x, top + 18), (x + 6, top + 18), (x + 3, top + 18 + depth)], p["rock dark"])
    c.rect(x0, top + 8, x1, top + 10, p["rock light"])


def draw_sky(c, p, rng, ground):
    for level_y in range(0, ground):
        c.rect(0, row_of(level_y), LEVEL_WIDTH, row_of(level_y) + 1, p[("sky", level_y * 48 // ground)])
    for cx, cy, size in [(90, 40, 1.0), (330, 70, 1.3), (560, 30, 0.9), (470, 200, 0.8), (150, 250, 0.7)]:
        for dx, dy, rx, ry in [(-18, 4, 16, 9), (0, 0, 20, 13), (20, 4, 15, 9)]:
            c.ellipse(cx + dx * size, row_of(cy) + dy * size + 2, rx * size, ry * size, p["cloud shade"])
            c.ellipse(cx + dx * size, row_of(cy) + dy * size, rx * size, ry * size, p["cloud"])
    draw_rock_platform(c, p, 40, 220, 160, rng)
    draw_rock_platform(c, p, 290, 470, 250, rng)
    draw_rock_platform(c, p, 520, 630, 120, rng)


def draw_underground(c, p, rng, ground):
    depth = LEVEL_HEIGHT - row_of(ground)
    for i in range(depth):
        c.rect(0, row_of(ground) + i, LEVEL_WIDTH, row_of(ground) + i + 1, p[("earth", i * 64 // depth)])
    c.rect(0, row_of(ground), LEVEL_WIDTH, row_of(ground) + 6, p["grass light"])
    c.rect(0, row_of(ground) + 6, LEVEL_WIDTH, row_of(ground) + 12, p["grass"])
    # Two caverns, the lower one darker, with stalactites and ledges.
    for top, bottom, first_shade in [(470, 660, 0), (760, 960, 24)]:
        for level_y in range(top, bottom):
            wobble = round(12 * math.sin(level_y / 23.0))
            shade = p[("cave", first_shade + (level_y - top) * 24 // (bottom - top))]
            c.rect(30 + wobble, row_of(level_y), 610 - wobble, row_of(level_y) + 1, shade)
        for x in range(50, 600, 28):
            length = 10 + rng.below(30)
            c.polygon([(x, row_of(top) + 4), (x + 12, row_of(top) + 4), (x + 6, row_of(top) + length)], p["rock dark"])
        for x0, x1, ledge in [(60, 220, top + 70), (330, 560, top + 120), (200, 380, bottom - 30)]:
            c.rect(x0, row_of(ledge), x1, row_of(ledge) + 10, p["rock"])
            c.rect(x0, row_of(ledge), x1, row_of(ledge) + 2, p["rock light"])
    for _ in range(40):
        gx, gy = 20 + rng.below(600), ground + 30 + rng.below(depth - 120)
        colour = p["gem blue"] if rng.below(2) else p["gem pink"]
        c.polygon([(gx, row_of(gy) - 3), (gx + 3, row_of(gy)), (gx, row_of(gy) + 3), (gx - 3, row_of(gy))], colour)
    lava_top = LEVEL_HEIGHT - 40
    for y in range(lava_top, LEVEL_HEIGHT):
        for x in range(LEVEL_WIDTH):
            wave = 4 * math.sin(x / 11.0) + 2 * math.sin(x / 5.0)
            if y - lava_top > wave + 4:
                c.rows[y][x] = p["lava glow"] if (x + 3 * y) % 17 == 0 else p["lava"]


def draw_depth_markers(c, p):
    """Level y every 100 rows at both edges, so a screenshot tells where it is."""
    for level_y in range(0, LEVEL_HEIGHT - LEVEL_ORIGIN_ROW - 9, 100):
        label = str(level_y)
        for x in (2, LEVEL_WIDTH - 2 - 6 * len(label)):
            c.rect(x - 1, row_of(level_y), x + 6 * len(label), row_of(level_y) + 9, p["black"])
            c.text(x, row_of(level_y) + 1, label, 1, p["marker"], FONT)


def make_level_bitmap():
    p = level_palette()
    rng = Lcg(1997)
    c = Canvas(LEVEL_WIDTH, LEVEL_HEIGHT, p["frame area"])
    draw_frames(c, p)
    ground = 340
    draw_sky(c, p, rng, ground)
    draw_underground(c, p, rng, ground)
    draw_depth_markers(c, p)
    return c.bmp(p)


# ---------------------------------------------------------------- the data file

HEADER = [
    "Sample_Caverns",
    "Level_One",
    "sample.bmp",
    "caverns.mid",
    "win.wav",
    "oneup.wav",
    "lose.wav",
    "count.wav",
]
TIME_BONUS = 300

# (direction keyword, steps, first frame, last frame)
PROGRAMS = [
    [("RIGHT", 30, 0, 3), ("STOP", 8, 3, 3), ("LEFT", 30, 0, 3), ("STOP", 8, 3, 3)],
    [("DOWNRIGHT", 20, 0, 2), ("UPRIGHT", 20, 0, 2), ("DOWNLEFT", 20, 0, 2), ("UPLEFT", 20, 0, 2)],
    [("UP", 15, 0, 1), ("DOWN", 15, 0, 1), ("LEFT", 10, 0, 1), ("RIGHT", 10, 0, 1)],
]

# (program, speed, animation rate, hit points, x, y, image set); y is the
# level row of the enemy's top edge, so each blob stands on its platform.
ENEMIES = [
    (0, 2, 4, 3, 60, 160 - BLOB.height - 2, 0),
    (0, 1, 6, 3, 320, 250 - BLOB.height - 2, 0),
    (1, 2, 3, 2, 250, 40, 1),
    (1, 2, 4, 2, 360, 120, 1),
    (2, 2, 5, 8, 150, 340 - BALL.height - 2, 2),
]


def make_level_data():
    crlf = "\r\n"
    lines = HEADER + [str(TIME_BONUS), "Y N N N", ""]
    for slot, program in enumerate(PROGRAMS):
        lines.append("BEP %d" % slot)
        lines += [" %s %d %d %d " % movement for movement in program]
        lines.append("EEP")
    lines.append("")
    lines += ["ENEMY " + "".join("%d " % n for n in enemy) for enemy in ENEMIES]
    lines.append("")
    lines += ["CIS " + "".join("%d " % n for n in (s.x, s.y, s.width, s.height, s.frames, slot))
              for slot, (s, _) in enumerate(STRIPS)]
    lines += ["", "END", ""]
    text = "".join(line + crlf for line in lines) + " ---edited in morvelin's QZT level editor--- "
    return text.encode("ascii")


# ---------------------------------------------------------------- the logo

def make_logo():
    p = Palette()
    p.ramp("back", (20, 20, 70), (60, 10, 90), 32)
    p.add("frame", (255, 200, 0))
    p.add("shadow", (0, 0, 0))
    p.add("letter", (255, 220, 40))
    p.add("letter edge", (230, 110, 0))
    p.add("small", (200, 230, 255))
    p.add("black", (0, 0, 0))
    width, height = 300, 120
    c = Canvas(width, height, p["black"])
    for y in range(height):
        c.rect(0, y, width, y + 1, p[("back", y * 32 // height)])
    for inset, colour in ((0, p["frame"]), (2, p["letter edge"])):
        c.rect(inset, inset, width - inset, inset + 2, colour)
        c.rect(inset, height - inset - 2, width - inset, height - inset, colour)
        c.rect(inset, inset, inset + 2, height - inset, colour)
        c.rect(width - inset - 2, inset, width - inset, height - inset, colour)
    big, small = 10, 3
    title_width = (len("QZT") * 6 - 1) * big
    x = (width - title_width) // 2
    c.text(x + 4, 12, "QZT", big, p["shadow"], FONT)
    c.text(x - 1, 9, "QZT", big, p["letter edge"], FONT)
    c.text(x, 8, "QZT", big, p["letter"], FONT)
    caption = "Level Editor"
    caption_width = (len(caption) * 6 - 1) * small
    c.text((width - caption_width) // 2 + 1, 91, caption, small, p["shadow"], FONT)
    c.text((width - caption_width) // 2, 90, caption, small, p["small"], FONT)
    return c.bmp(p)


def write_outputs(outputs):
    """Writes each named file whole into the folder named on the command line
    (samples/ of the repo by default), replacing what was there."""
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "samples")
    os.makedirs(out_dir, exist_ok=True)
    for name, data in outputs.items():
        path = os.path.join(out_dir, name)
        with open(path + ".tmp", "wb") as f:
            f.write(data)
        os.replace(path + ".tmp", path)
        print("wrote %s (%d bytes)" % (os.path.normpath(path), len(data)))


def main():
    write_outputs({"sample.bmp": make_level_bitmap(), "sample.dat": make_level_data(), "LOGO.bmp": make_logo()})


if __name__ == "__main__":
    main()
