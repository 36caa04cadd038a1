#!/usr/bin/python3
"""Draws every picture the garment dictionary ships, and a preview of them together.

Needs Debian's python3 with Pillow and three font packages:
    apt-get install -y python3-pil fonts-wqy-zenhei fonts-arphic-gbsn00lp fonts-dejavu-core
    /usr/bin/python3 res/pictures/make_pictures.py

The pictures land beside this script. Everything is drawn from code at four to eight times
the final size and reduced with a box filter, so edges are antialiased; nothing random is
used, so the same Pillow and fonts give the same files on every run.

Written here:
    skin_129.bmp     the organiser the main window is cut from (24-bit, black = outside)
    logo_134.bmp     header logo button, 24 x 24
    close_133.bmp    header close button, 23 x 23
    minimize_137.bmp header minimize button, 23 x 23
    icon_136.ico     program icon, 16, 32, 48 and 256 pixels
    icon_136.png     the 256-pixel icon for desktop launchers
    icon_48.png      the 48- and 128-pixel icons of the desktop's icon theme
    icon_128.png
    icon_136_32.png  the 32-pixel icon for the about page
    go.gif           search button of the dictionary page
    ViewBkgrd.bmp    background of the results area
    arrow_d.gif      marker in front of every result
    speaker.gif      "read aloud" image of every result
    preview.png      the organiser in its loading and ready states, plus every picture
    skin_129_keys.txt  where the keys lie on the skin, which the program reads
"""

import io
import struct
from pathlib import Path

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

OUT = Path(__file__).resolve().parent

FONT_HEI = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"
HEI_REGULAR, HEI_SHARP = 0, 2  # faces of the collection: outline, and with hinted bitmaps
FONT_SANS_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
FONT_SANS = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"

# Window geometry the skin is drawn for. The main window is the skin's size. The tab window is
# created at (31, 60)-(300, 426) and moved to (31, 60) with 267 x 374 as soon as the main window
# gets its size, so the pale screen is exactly that final rectangle; beyond it lies the bezel,
# which the tab window may overlap.
SKIN_SIZE = (323, 548)
SCREEN = (31, 60, 298, 434)
TAB_WINDOW = (31, 60, 267, 374)  # left, top, width, height
HEADER_BLUE = (0, 0, 150)
BUTTON_BLUE = (0, 0, 153)
CLOSE_BLUE = (0, 36, 156)

# Colours of the dictionary page that images are blended against.
CAPTION_BACKGROUND = (0xCC, 0xDD, 0xEE)
RESULTS_BACKGROUND = (0xF2, 0xF6, 0xFA)  # the average tone of ViewBkgrd.bmp
RESULTS_SIZE = (267, 309)


# ---------------------------------------------------------------------------------------------
# Drawing helpers. A Sketch is an RGB picture drawn at `scale` times its final size; coordinates
# given to it are final pixels (floats allowed) and a box (x0, y0, x1, y1) covers x0 <= x < x1.
# ---------------------------------------------------------------------------------------------


def lerp(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def gradient_at(stops, t):
    """Colour at t (0..1) of a list of (position, colour) stops in ascending position."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return lerp(c0, c1, (t - p0) / (p1 - p0))
    return stops[-1][1]


class Sketch:
    """An RGB picture drawn at `scale` times `size`, with masks (mode "L") of the same size."""

    def __init__(self, size, scale, background=(0, 0, 0)):
        self.size = size
        self.scale = scale
        self.image = Image.new("RGB", (size[0] * scale, size[1] * scale), background)

    # Masks -----------------------------------------------------------------------------------

    def blank(self):
        return Image.new("L", self.image.size, 0)

    def sbox(self, box):
        s = self.scale
        x0, y0, x1, y1 = box
        return (round(x0 * s), round(y0 * s), round(x1 * s) - 1, round(y1 * s) - 1)

    def rect(self, box):
        mask = self.blank()
        ImageDraw.Draw(mask).rectangle(self.sbox(box), fill=255)
        return mask

    def rrect(self, box, radius):
        mask = self.blank()
        ImageDraw.Draw(mask).rounded_rectangle(self.sbox(box), round(radius * self.scale), fill=255)
        return mask

    def circle(self, cx, cy, r):
        mask = self.blank()
        ImageDraw.Draw(mask).ellipse(self.sbox((cx - r, cy - r, cx + r, cy + r)), fill=255)
        return mask

    def polygon(self, points):
        mask = self.blank()
        s = self.scale
        ImageDraw.Draw(mask).polygon([(x * s, y * s) for x, y in points], fill=255)
        return mask

    def lines(self, points, width, closed=False):
        """A stroke through the points with round joints and ends."""
        mask = self.blank()
        draw = ImageDraw.Draw(mask)
        s = self.scale
        pts = [(x * s, y * s) for x, y in points]
        draw.line(pts + pts[:1] if closed else pts, fill=255, width=max(1, round(width * s)))
        r = width * s / 2
        for x, y in pts:
            draw.ellipse((x - r, y - r, x + r, y + r), fill=255)
        return mask

    def arc(self, cx, cy, r, start, end, width):
        mask = self.blank()
        s = self.scale
        ImageDraw.Draw(mask).arc(
            ((cx - r) * s, (cy - r) * s, (cx + r) * s, (cy + r) * s),
            start, end, fill=255, width=max(1, round(width * s)))
        return mask

    def text_mask(self, xy, text, font_path, size, index=0, anchor="la"):
        mask = self.blank()
        font = ImageFont.truetype(font_path, round(size * self.scale), index=index)
        s = self.scale
        ImageDraw.Draw(mask).text((xy[0] * s, xy[1] * s), text, fill=255, font=font, anchor=anchor)
        return mask

    @staticmethod
    def union(*masks):
        out = masks[0]
        for m in masks[1:]:
            out = ImageChops.lighter(out, m)
        return out

    @staticmethod
    def minus(a, b):
        return ImageChops.subtract(a, b)

    @staticmethod
    def within(a, b):
        return ImageChops.multiply(a, b)

    def shifted(self, mask, dx, dy):
        """The mask moved by (dx, dy) final pixels, with nothing wrapping round the edges."""
        s = self.scale
        out = self.blank()
        out.paste(mask, (round(dx * s), round(dy * s)))
        return out

    def blurred(self, mask, radius):
        return mask.filter(ImageFilter.GaussianBlur(radius * self.scale))

    def edge(self, mask, dx, dy, blur=0.0):
        """The band of mask that is uncovered when it is moved by (dx, dy): for a positive shift
        the top-left rim, for a negative one the bottom-right rim."""
        band = self.minus(mask, self.shifted(mask, dx, dy))
        band = self.within(band, mask)
        return self.within(self.blurred(band, blur), mask) if blur else band

    # Paint -------------------------------------------------------------------------------------

    def vertical(self, box, stops):
        """A full-size picture holding a vertical gradient that runs from box's top to its bottom."""
        top, bottom = box[1] * self.scale, box[3] * self.scale
        height = self.image.size[1]
        column = Image.new("RGB", (1, height))
        for y in range(height):
            t = (y - top) / max(1.0, bottom - top)
            column.putpixel((0, y), gradient_at(stops, min(1.0, max(0.0, t))))
        return column.resize(self.image.size, Image.NEAREST)

    def radial(self, cx, cy, radius, stops):
        """A full-size picture of a radial gradient around (cx, cy), t = distance / radius."""
        small_w, small_h = self.size
        small = Image.new("RGB", self.size)
        for y in range(small_h):
            for x in range(small_w):
                t = ((x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2) ** 0.5 / radius
                small.putpixel((x, y), gradient_at(stops, min(1.0, t)))
        return small.resize(self.image.size, Image.BILINEAR)

    def paint(self, mask, fill, opacity=1.0):
        """Paints a colour or a full-size picture through the mask."""
        if opacity < 1.0:
            mask = mask.point(lambda v: round(v * opacity))
        self.image.paste(fill, (0, 0), mask)

    def finish(self):
        """The picture at its final size."""
        return self.image.reduce(self.scale)

    def coverage(self, mask):
        """A mask at the final size: how much of each pixel it covers."""
        return mask.reduce(self.scale)

    def finish_rgba(self, mask):
        """The picture at its final size with `mask` as its alpha channel."""
        rgba = self.finish().convert("RGBA")
        rgba.putalpha(self.coverage(mask))
        return rgba


# ---------------------------------------------------------------------------------------------
# Shapes shared by several pictures, in a unit box (0..1 on both axes).
# ---------------------------------------------------------------------------------------------

SHIRT = [
    (0.385, 0.10), (0.50, 0.19), (0.615, 0.10), (0.80, 0.16), (0.98, 0.43), (0.84, 0.52),
    (0.76, 0.43), (0.76, 0.95), (0.24, 0.95), (0.24, 0.43), (0.16, 0.52), (0.02, 0.43),
    (0.20, 0.16),
]
COLLAR_LEFT = [(0.385, 0.085), (0.50, 0.205), (0.425, 0.29), (0.345, 0.13)]
COLLAR_RIGHT = [(1 - x, y) for x, y in COLLAR_LEFT]
NECK = [(0.385, 0.085), (0.615, 0.085), (0.50, 0.205)]


def place(points, x, y, size):
    return [(x + px * size, y + py * size) for px, py in points]


def draw_shirt_outline(sk, x, y, size, width, colour):
    """Line drawing of a shirt on a hanger in the box (x, y, x + size, y + size)."""
    body = sk.lines(place(SHIRT, x, y, size), width, closed=True)
    collar = sk.union(sk.lines(place(COLLAR_LEFT, x, y, size), width, closed=True),
                      sk.lines(place(COLLAR_RIGHT, x, y, size), width, closed=True))
    placket = sk.lines(place([(0.5, 0.24), (0.5, 0.95)], x, y, size), width * 0.8)
    buttons = sk.union(*(sk.circle(x + 0.5 * size + width * 1.6, y + t * size, width * 0.9)
                         for t in (0.40, 0.56, 0.72)))
    # The hanger's hook rises from the collar, curls over to the right and hangs down.
    r = 0.05 * size
    hook = sk.union(sk.lines(place([(0.5, 0.085), (0.5, -0.02)], x, y, size), width),
                    sk.arc(x + 0.5 * size + r, y - 0.02 * size, r, 180, 75, width))
    sk.paint(sk.union(body, collar, placket, buttons, hook), colour)


# ---------------------------------------------------------------------------------------------
# Skin: a hand-held organiser on pure black. The window keeps every pixel that is not exactly
# black, so the device never uses black itself; its rim is dark graphite, which makes the
# antialiased silhouette blend towards black without a light fringe.
# ---------------------------------------------------------------------------------------------

BODY = (10, 4, 321, 545)
BODY_RADIUS = 30
SHELL = (12, 6, 319, 543)
SHELL_RADIUS = 28
BEZEL = (22, 49, 307, 445)
POWER_KEY = (232, 1, 272, 10)
# The keys under the screen. Each is a round face in a recess of the shell; the window takes a
# press anywhere on the recess as a press of the key, and paints the face pressed. The direction
# pad is a disc whose ring outside the centre key is split into four arrows by its diagonals.
# write_key_areas() hands these measures to the program, so a new skin moves the keys here only.
APP_KEYS = [(56, 482, "book"), (104, 495, "speaker"), (227, 495, "globe"), (275, 482, "info")]
KEY_FACE = 14
KEY_RECESS = KEY_FACE + 2.2
DPAD = (165.5, 489)
DPAD_FACE = 25
DPAD_RECESS = 27.5
DPAD_CENTRE_FACE = 9.3
DPAD_CENTRE_RING = 10.5  # the dark ring between the centre key and the arrows

GRAPHITE = [(0.0, (84, 91, 102)), (1.0, (42, 46, 54))]
KEY_LIGHT = (206, 212, 220)


def draw_key(sk, cx, cy, radius):
    """A round graphite key sitting in a recess of the silver shell."""
    recess = sk.circle(cx, cy, radius + (KEY_RECESS - KEY_FACE))
    sk.paint(recess, (150, 158, 169))
    sk.paint(sk.edge(recess, 1.2, 1.2, 0.6), (70, 78, 90), 0.55)
    sk.paint(sk.edge(recess, -1, -1, 0.5), (245, 247, 250), 0.8)
    key = sk.circle(cx, cy, radius)
    sk.paint(key, sk.vertical((0, cy - radius, 0, cy + radius), GRAPHITE))
    sk.paint(sk.edge(key, 1, 1.2, 0.5), (255, 255, 255), 0.35)
    sk.paint(sk.edge(key, -1, -1.2, 0.5), (20, 22, 26), 0.5)


def draw_glyph(sk, kind, cx, cy):
    """Light line symbols on the application keys, about 13 pixels across."""
    k = 1.2  # size of a glyph unit in pixels

    def at(dx, dy):
        return (cx + dx * k, cy + dy * k)

    w = 1.3
    if kind == "book":
        left = [at(-0.4, -2.8), at(-5.2, -4), at(-5.2, 3.6), at(-0.4, 4.6)]
        right = [(2 * cx - x, y) for x, y in left]
        mask = sk.union(sk.lines(left, w), sk.lines(right, w),
                        sk.lines([at(0, -2.6), at(0, 4.4)], w * 0.8))
    elif kind == "speaker":
        cone = [at(-5, -1.8), at(-3, -1.8), at(0, -4.6), at(0, 4.6), at(-3, 1.8), at(-5, 1.8)]
        mask = sk.union(sk.polygon(cone), sk.arc(*at(0.5, 0), 3 * k, 300, 60, w),
                        sk.arc(*at(0.5, 0), 5.6 * k, 305, 55, w))
    elif kind == "globe":
        oval = sk.blank()
        ImageDraw.Draw(oval).ellipse(sk.sbox((*at(-2.4, -5), *at(2.4, 5))), outline=255,
                                     width=round(w * sk.scale))
        mask = sk.union(sk.arc(cx, cy, 5 * k, 0, 360, w), oval,
                        sk.lines([at(-5, 0), at(5, 0)], w * 0.9))
    else:  # info
        mask = sk.union(sk.circle(*at(0, -3.6), 1.1 * k),
                        sk.lines([at(0, -1), at(0, 4.2)], w * 1.4))
    sk.paint(mask, KEY_LIGHT)


def draw_skin():
    sk = Sketch(SKIN_SIZE, 4)

    # Silhouette: body, with the power key standing out of its top edge.
    power = sk.rrect(POWER_KEY, 3)
    sk.paint(power, sk.vertical(POWER_KEY, [(0.0, (120, 127, 137)), (1.0, (60, 65, 74))]))
    sk.paint(sk.edge(power, 0, 0.8, 0.3), (220, 224, 230), 0.7)
    body = sk.rrect(BODY, BODY_RADIUS)
    silhouette = sk.union(body, power)
    sk.paint(body, sk.vertical(BODY, [(0.0, (78, 84, 94)), (1.0, (38, 42, 49))]))

    # Silver shell with soft top-left light and a bevelled edge.
    shell = sk.rrect(SHELL, SHELL_RADIUS)
    sk.paint(shell, sk.vertical(SHELL, [(0.0, (226, 230, 235)), (0.5, (208, 213, 220)),
                                        (1.0, (178, 185, 195))]))
    sheen = sk.radial(70, 60, 300, [(0.0, (255, 255, 255)), (1.0, (200, 205, 212))])
    sk.paint(shell, sheen, 0.35)
    sk.paint(sk.edge(shell, 2.2, 2.2, 1.0), (255, 255, 255), 0.85)
    sk.paint(sk.edge(shell, -3, -3, 1.4), (70, 76, 88), 0.45)

    # A fine groove that sets off the front plate.
    plate = sk.rrect((17, 11, 314, 538), 24)
    groove = sk.minus(plate, sk.rrect((17.8, 11.8, 313.2, 537.2), 23.2))
    sk.paint(groove, (120, 128, 140), 0.45)
    sk.paint(sk.shifted(groove, 0.8, 0.8), (255, 255, 255), 0.5)

    # Earpiece grille, status light and light sensor above the screen.
    grille = sk.rrect((133.5, 25, 197.5, 35), 5)
    sk.paint(grille, (158, 165, 175))
    sk.paint(sk.edge(grille, 1, 1.2, 0.5), (80, 88, 100), 0.6)
    sk.paint(sk.edge(grille, -0.8, -0.8, 0.4), (250, 251, 253), 0.8)
    holes = sk.blank()
    for row, y in enumerate((28.4, 31.6)):
        x = 138.8 + (2.0 if row else 0.0)
        while x < 193:
            holes = sk.union(holes, sk.circle(x, y, 1.15))
            x += 4.0
    sk.paint(holes, (40, 44, 52))
    led = sk.circle(52, 30, 3.2)
    sk.paint(sk.circle(52, 30, 4.4), (150, 158, 169))
    sk.paint(led, sk.radial(52, 29, 3.6, [(0.0, (170, 255, 190)), (0.6, (60, 190, 110)),
                                          (1.0, (30, 120, 70))]))
    sk.paint(sk.circle(51.2, 29, 1.0), (255, 255, 255), 0.8)
    sk.paint(sk.circle(279, 30, 3.4), (150, 158, 169))
    sk.paint(sk.circle(279, 30, 2.6), sk.radial(278.5, 29.5, 3, [(0.0, (90, 100, 120)),
                                                                 (1.0, (28, 32, 40))]))

    # Screen bezel: a polished chamfer around dark glass.
    chamfer = sk.rrect((BEZEL[0] - 1.2, BEZEL[1] - 1.2, BEZEL[2] + 1.2, BEZEL[3] + 1.2), 13.2)
    sk.paint(chamfer, sk.vertical(BEZEL, [(0.0, (252, 253, 255)), (1.0, (150, 158, 170))]))
    bezel = sk.rrect(BEZEL, 12)
    sk.paint(bezel, sk.vertical(BEZEL, [(0.0, (50, 56, 66)), (1.0, (30, 34, 41))]))
    glare = sk.within(sk.polygon([(22, 49), (150, 49), (22, 190)]), bezel)
    sk.paint(glare, (255, 255, 255), 0.06)

    # The screen itself: a pale display with a recessed edge. The tab window covers it once the
    # dictionary has loaded; until then the loading texts and progress bar are drawn on it.
    screen = sk.rect(SCREEN)
    sk.paint(screen, sk.vertical(SCREEN, [(0.0, (246, 249, 252)), (1.0, (226, 233, 242))]))
    draw_shirt_outline(sk, 128, 92, 76, 1.6, (188, 204, 224))
    rule = sk.rect((50, 203, 280, 204))
    sk.paint(rule, sk.radial(165, 203.5, 115, [(0.0, (170, 190, 216)), (1.0, (236, 241, 247))]))
    sk.paint(sk.edge(screen, 2.5, 2.5, 1.2), (20, 30, 50), 0.28)

    # Keys: four round application keys around a navigation pad.
    cx, cy = DPAD
    ring = sk.circle(cx, cy, DPAD_RECESS)
    sk.paint(ring, (150, 158, 169))
    sk.paint(sk.edge(ring, 1.5, 1.5, 0.8), (70, 78, 90), 0.55)
    sk.paint(sk.edge(ring, -1, -1, 0.5), (245, 247, 250), 0.8)
    pad = sk.circle(cx, cy, DPAD_FACE)
    sk.paint(pad, sk.vertical((0, cy - DPAD_FACE, 0, cy + DPAD_FACE), GRAPHITE))
    sk.paint(sk.edge(pad, 1, 1.4, 0.6), (255, 255, 255), 0.35)
    sk.paint(sk.edge(pad, -1, -1.4, 0.6), (20, 22, 26), 0.5)
    for dx, dy in ((0, -1), (0, 1), (-1, 0), (1, 0)):
        tip = (cx + dx * 19.5, cy + dy * 19.5)
        base = (cx + dx * 15.5, cy + dy * 15.5)
        side = (-dy * 3.2, dx * 3.2)
        sk.paint(sk.polygon([tip, (base[0] + side[0], base[1] + side[1]),
                             (base[0] - side[0], base[1] - side[1])]), KEY_LIGHT)
    centre_ring = sk.circle(cx, cy, DPAD_CENTRE_RING)
    sk.paint(centre_ring, (32, 35, 41))
    centre = sk.circle(cx, cy, DPAD_CENTRE_FACE)
    centre_top, centre_bottom = cy - DPAD_CENTRE_FACE, cy + DPAD_CENTRE_FACE
    sk.paint(centre, sk.vertical((0, centre_top, 0, centre_bottom), [(0.0, (104, 111, 122)),
                                                                     (1.0, (58, 63, 72))]))
    sk.paint(sk.edge(centre, 0.8, 1, 0.4), (255, 255, 255), 0.35)
    for kx, ky, glyph in APP_KEYS:
        draw_key(sk, kx, ky, KEY_FACE)
        draw_glyph(sk, glyph, kx, ky)

    # The product name, engraved below the keys.
    name = sk.text_mask((cx, 527.5), "服装词典", FONT_HEI, 11, HEI_REGULAR, anchor="mm")
    sk.paint(sk.shifted(name, 0, 0.8), (255, 255, 255), 0.8)
    sk.paint(name, (104, 112, 124))

    return keyed(sk.finish(), sk.coverage(silhouette))


def write_key_areas(path):
    """The keys' measures as a data file that the program reads, so that it finds the keys where
    they are drawn."""
    def key(name, x, y, face, recess):
        return f"{name} {x:g} {y:g} {face:g} {recess:g}\n"

    text = (
        "# Where the keys lie on skin 129 (skin_129.bmp), in the skin's pixels. Written by make_pictures.py\n"
        "# from the measures it draws the keys with; change them there and run it again, which draws the\n"
        "# skin and writes this file anew.\n"
        "#\n"
        "# One round key a line: its name, the x and y of its centre, the radius of its face (what sinks\n"
        "# when it is pressed) and the radius of its recess in the shell (where a press counts as a press of\n"
        "# the key). \"pad\" is the direction pad's disc, whose ring outside the centre key the diagonals\n"
        "# split into the up, down, left and right arrows; \"centre\" is the pad's centre key, whose recess is\n"
        "# the dark ring between it and the arrows.\n")
    for x, y, glyph in APP_KEYS:
        text += key(glyph, x, y, KEY_FACE, KEY_RECESS)
    text += key("pad", *DPAD, DPAD_FACE, DPAD_RECESS)
    text += key("centre", *DPAD, DPAD_CENTRE_FACE, DPAD_CENTRE_RING)
    path.write_text(text)


def keyed(picture, coverage):
    """Black where the device is (nearly) absent, and never black where it is present: pixels
    less than a quarter covered become pure black (cut out of the window), every other pixel
    keeps at least a dark tone."""
    out = picture.copy()
    px = out.load()
    cov = coverage.load()
    w, h = out.size
    for y in range(h):
        for x in range(w):
            if cov[x, y] < 64:
                px[x, y] = (0, 0, 0)
            else:
                r, g, b = px[x, y]
                if max(r, g, b) < 10:
                    px[x, y] = (10, 10, 12)
    return out


# ---------------------------------------------------------------------------------------------
# Header buttons: 24-bit bitmaps on the dark blue of the header band.
# ---------------------------------------------------------------------------------------------


def draw_logo():
    sk = Sketch((24, 24), 8, BUTTON_BLUE)
    globe = sk.circle(10, 10, 7.6)
    sk.paint(globe, sk.radial(7.5, 7, 10, [(0.0, (120, 185, 255)), (1.0, (20, 90, 210))]))
    grid = sk.union(
        sk.lines([(2.4, 10), (17.6, 10)], 0.8),
        sk.arc(10, 10, 7.6, 0, 360, 0.9),
        sk.lines([(10, 2.4), (10, 17.6)], 0.8))
    oval = sk.blank()
    ImageDraw.Draw(oval).ellipse(sk.sbox((6.4, 2.4, 13.6, 17.6)), outline=255, width=6)
    grid = sk.union(grid, oval, sk.within(sk.arc(10, 17, 10, 240, 300, 0.8), globe),
                    sk.within(sk.arc(10, 3, 10, 60, 120, 0.8), globe))
    sk.paint(sk.within(grid, sk.circle(10, 10, 8.1)), (225, 240, 255), 0.85)
    lens = sk.circle(15.6, 15.6, 4.6)
    sk.paint(sk.circle(15.6, 15.6, 5.8), BUTTON_BLUE)
    sk.paint(lens, sk.radial(14.6, 14.4, 5, [(0.0, (150, 205, 255)), (1.0, (60, 130, 225))]))
    sk.paint(sk.arc(14.6, 14.6, 2.4, 200, 260, 0.9), (255, 255, 255), 0.9)
    sk.paint(sk.arc(15.6, 15.6, 4.6, 0, 360, 1.5), (255, 255, 255))
    handle = sk.lines([(19.2, 19.2), (22.2, 22.2)], 2.4)
    sk.paint(handle, (255, 196, 64))
    return sk.finish()


def draw_close():
    sk = Sketch((23, 23), 8, CLOSE_BLUE)
    sk.paint(sk.circle(11.5, 11.5, 8.6), (255, 255, 255))
    d = 3.4
    cross = sk.union(sk.lines([(11.5 - d, 11.5 - d), (11.5 + d, 11.5 + d)], 2.0),
                     sk.lines([(11.5 - d, 11.5 + d), (11.5 + d, 11.5 - d)], 2.0))
    sk.paint(cross, CLOSE_BLUE)
    return sk.finish()


def draw_minimize():
    sk = Sketch((23, 23), 8, BUTTON_BLUE)
    sk.paint(sk.rrect((6, 15, 17, 18), 0.8), (255, 255, 255))
    return sk.finish()


# ---------------------------------------------------------------------------------------------
# Program icon: a white shirt on a blue tile, drawn afresh for each size.
# ---------------------------------------------------------------------------------------------


def draw_icon(size):
    scale = 16 if size <= 32 else 8 if size <= 48 else 4
    sk = Sketch((size, size), scale)
    margin = 0 if size <= 16 else size * 0.04
    tile_box = (margin, margin, size - margin, size - margin)
    tile = sk.rrect(tile_box, size * 0.2)
    sk.paint(tile, sk.vertical(tile_box, [(0.0, (52, 110, 226)), (1.0, (8, 32, 140))]))
    if size >= 32:
        gloss = sk.within(sk.circle(size * 0.5, -size * 0.55, size * 1.05), tile)
        sk.paint(gloss, (255, 255, 255), 0.10)
        sk.paint(sk.edge(tile, 0, size / 64, size / 128), (255, 255, 255), 0.35)

    inset = size * (0.14 if size <= 16 else 0.17)
    span = size - 2 * inset
    ox, oy = inset, inset + span * 0.03
    shirt = sk.polygon(place(SHIRT, ox, oy, span))
    if size >= 48:
        sk.paint(sk.blurred(sk.shifted(shirt, 0, size / 48), size / 40), (0, 10, 60), 0.45)
    sk.paint(shirt, sk.vertical((0, oy, 0, oy + span), [(0.0, (255, 255, 255)),
                                                        (1.0, (214, 226, 246))]))
    neck = sk.polygon(place(NECK, ox, oy, span))
    sk.paint(neck, (30, 70, 170))
    collar_colour = (228, 236, 250)
    for flap in (COLLAR_LEFT, COLLAR_RIGHT):
        m = sk.polygon(place(flap, ox, oy, span))
        sk.paint(m, collar_colour)
        if size >= 32:
            sk.paint(sk.lines(place(flap, ox, oy, span), max(0.6, size / 96), closed=True),
                     (120, 150, 205))
    if size >= 32:
        line = max(0.6, size / 110)
        sk.paint(sk.lines(place([(0.5, 0.27), (0.5, 0.95)], ox, oy, span), line), (150, 175, 220))
        for t in (0.42, 0.58, 0.74):
            sk.paint(sk.circle(ox + span * 0.5 + line * 3.2, oy + span * t, max(0.7, size / 90)),
                     (120, 150, 205))
    if size >= 48:
        for side in (1, -1):
            seam = [(0.5 + side * 0.31, 0.17), (0.5 + side * 0.26, 0.43)]
            sk.paint(sk.lines(place(seam, ox, oy, span), size / 160), (170, 190, 225))
    return sk.finish_rgba(tile)


def dib_entry(image):
    """A 32-bit icon image: BITMAPINFOHEADER, bottom-up BGRA rows, then the 1-bit AND mask."""
    w, h = image.size
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    px = image.load()
    colour = bytearray()
    mask = bytearray()
    mask_stride = ((w + 31) // 32) * 4
    for y in range(h - 1, -1, -1):
        row = bytearray(mask_stride)
        for x in range(w):
            r, g, b, a = px[x, y]
            colour += bytes((b, g, r, a))
            if a == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + bytes(colour) + bytes(mask)


def png_bytes(image):
    buffer = io.BytesIO()
    image.save(buffer, "PNG", optimize=True)
    return buffer.getvalue()


def write_ico(path, images):
    """Icon file with one entry per image; 256-pixel entries are stored as PNG."""
    blobs = [png_bytes(im) if im.size[0] >= 256 else dib_entry(im) for im in images]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for im, blob in zip(images, blobs):
        w, h = im.size
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    path.write_bytes(bytes(out))


# ---------------------------------------------------------------------------------------------
# Images of the dictionary page.
# ---------------------------------------------------------------------------------------------


def to_gif(path, rgba, matte):
    """Saves an RGBA picture as a GIF whose fully transparent pixels show the page through and
    whose partly transparent edges are blended against the page colour `matte`."""
    flat = Image.new("RGB", rgba.size, matte)
    flat.paste(rgba, (0, 0), rgba)
    colours = sorted({c for c in flat.getdata()})
    if len(colours) > 255:
        flat = flat.quantize(255, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
        flat = flat.convert("RGB")
        colours = sorted({c for c in flat.getdata()})
    index = {c: i for i, c in enumerate(colours)}
    clear = len(colours)
    alpha = rgba.getchannel("A").getdata()
    out = Image.new("P", rgba.size)
    out.putdata([clear if a < 24 else index[c] for c, a in zip(flat.getdata(), alpha)])
    palette = [v for c in colours for v in c] + list(matte)
    out.putpalette(palette + [0] * (768 - len(palette)))
    out.save(path, "GIF", transparency=clear, optimize=False)


def draw_go():
    """The GO button: 22 x 20, the width of its cell beside the search box."""
    sk = Sketch((22, 20), 8, CAPTION_BACKGROUND)
    alpha = sk.rrect((0.5, 0.5, 21.5, 19.5), 4.5)
    sk.paint(alpha, (20, 62, 150))
    face = sk.rrect((1.5, 1.5, 20.5, 18.5), 3.6)
    sk.paint(face, sk.vertical((0, 1.5, 0, 18.5), [(0.0, (90, 150, 240)), (0.5, (40, 100, 210)),
                                                   (1.0, (24, 70, 170))]))
    sk.paint(sk.within(sk.rrect((1.5, 1.5, 20.5, 9.6), 3.6), face), (255, 255, 255), 0.14)
    button = sk.finish_rgba(alpha)
    # The letters are drawn at the final size, where the font's hinting keeps them sharp.
    draw = ImageDraw.Draw(button)
    font = ImageFont.truetype(FONT_SANS_BOLD, 9)
    draw.text((11, 11), "GO", fill=(14, 44, 120, 255), font=font, anchor="mm")
    draw.text((11, 10), "GO", fill=(255, 255, 255, 255), font=font, anchor="mm")
    return button


def draw_arrow():
    """Marker in front of each result: a small blue disc with a white chevron, 11 x 11."""
    sk = Sketch((11, 11), 16)
    disc = sk.circle(5.5, 5.5, 5.2)
    sk.paint(disc, sk.vertical((0, 0.3, 0, 10.7), [(0.0, (70, 130, 230)), (1.0, (24, 74, 176))]))
    sk.paint(sk.lines([(4.4, 3.0), (6.9, 5.5), (4.4, 8.0)], 1.5), (255, 255, 255))
    return sk.finish_rgba(disc)


def draw_speaker():
    """"Read aloud" image after each headword: a speaker with two sound waves, 16 x 14."""
    sk = Sketch((16, 14), 16)
    body = sk.union(sk.rrect((1.2, 4.8, 5.0, 9.2), 0.7),
                    sk.polygon([(3.8, 4.8), (8.2, 1.4), (8.2, 12.6), (3.8, 9.2)]))
    body = sk.union(body, sk.lines([(8.2, 1.6), (8.2, 12.4)], 0.9))
    waves = sk.union(sk.arc(8.6, 7, 3.2, 305, 55, 1.3), sk.arc(8.6, 7, 5.9, 310, 50, 1.3))
    sk.paint(body, sk.vertical((0, 1.4, 0, 12.6), [(0.0, (70, 100, 150)), (1.0, (36, 56, 96))]))
    sk.paint(waves, (40, 110, 220))
    return sk.finish_rgba(sk.union(body, waves))


def draw_results_background():
    """Calm background of the results area: a pale gradient with a faint twill weave and a
    shirt watermark low on the right, all far lighter than the black and red result text."""
    w, h = RESULTS_SIZE
    sk = Sketch(RESULTS_SIZE, 4)
    whole = sk.rect((0, 0, w, h))
    sk.paint(whole, sk.vertical((0, 0, 0, h), [(0.0, (250, 252, 254)), (1.0, (236, 242, 248))]))
    twill = sk.blank()
    d = ImageDraw.Draw(twill)
    s = sk.scale
    for k in range(-h, w + h, 4):
        d.line(((k * s, 0), ((k + h) * s, h * s)), fill=255, width=s)
    sk.paint(twill, (200, 212, 228), 0.10)
    draw_shirt_outline(sk, 158, 212, 84, 1.5, (214, 225, 238))
    return sk.finish()


# ---------------------------------------------------------------------------------------------
# Preview: the organiser as the program shows it, and every picture at its real size.
# ---------------------------------------------------------------------------------------------

PREVIEW_BACKGROUND = (206, 209, 214)
SAMPLE_RESULTS = [("shirting", "衬衫面料"), ("shirt", "衬衫"), ("shirt", "衬衣"),
                  ("shirt dress", "衬衫裙"), ("shirt collar", "衬衫领"), ("shirt cuff", "衬衫袖头"),
                  ("shirt tail", "衬衫下摆")]


def ui_font(size):
    return ImageFont.truetype(FONT_HEI, size, index=HEI_SHARP)


def ui_text(draw, xy, text, size, colour, bold=False, anchor="la"):
    """Text the way the window draws it: bitmap-hinted CJK face, bold by overstriking."""
    font = ui_font(size)
    draw.text(xy, text, fill=colour, font=font, anchor=anchor)
    if bold:
        draw.text((xy[0] + 1, xy[1]), text, fill=colour, font=font, anchor=anchor)


def text_width(text, size):
    return round(ui_font(size).getlength(text))


def cut_out(skin, background):
    """The skin as it appears on a desktop: exactly black pixels are not part of the window."""
    out = Image.new("RGB", skin.size, background)
    mask = skin.convert("L").point(lambda v: 255)
    px = skin.load()
    m = mask.load()
    for y in range(skin.size[1]):
        for x in range(skin.size[0]):
            if px[x, y] == (0, 0, 0):
                m[x, y] = 0
    out.paste(skin, (0, 0), mask)
    return out


def draw_loading(image, progress):
    """What the main window paints over the skin while the dictionary loads."""
    d = ImageDraw.Draw(image)
    title = "服装词典 1.0.0.5"
    ui_text(d, (280 - text_width(title, 16) - 1, 180), title, 16, (0, 0, 0), bold=True)
    notice = ["欢迎使用服装词典：输入英文或中文", "单词，按回车键或点击 GO 查询。"]
    for i, line in enumerate(notice):
        ui_text(d, (50, 355 + i * 15), line, 13, (33, 33, 33))
    ui_text(d, (50, 291), "正在加载...", 13, (0, 0, 0))
    d.rectangle((50, 310, 269, 325), outline=(0, 0, 0), fill=(255, 255, 255))
    width = int(progress * 2.16)
    if width > 0:
        d.rectangle((52, 312, 52 + width - 1, 323), fill=(50, 180, 50))
        d.line(((52, 323), (52, 312), (52 + width - 1, 312)), fill=(100, 200, 100))
        d.line(((52 + width - 1, 312), (52 + width - 1, 323), (52, 323)), fill=(22, 99, 22))


def draw_tab_window(image, pictures):
    """The tab window with the dictionary page after a search for "shirt"."""
    left, top, width, height = TAB_WINDOW
    tab = Image.new("RGB", (width, height), (255, 255, 255))
    d = ImageDraw.Draw(tab)

    # Page: search row, then the results area.
    page_top, page_bottom = 24, height - 20
    page = Image.new("RGB", (width, page_bottom - page_top), (255, 255, 255))
    pd = ImageDraw.Draw(page)
    pd.rectangle((0, 0, width - 1, 21), fill=CAPTION_BACKGROUND)
    ui_text(pd, (2, 5), "请输入:", 12, (0, 0, 0))
    pd.rectangle((46, 2, 241, 19), fill=(255, 255, 255))
    pd.line(((46, 19), (46, 2), (241, 2)), fill=(0x58, 0x5A, 0x67))
    pd.line(((241, 2), (241, 19), (46, 19)), fill=(0xA8, 0xAA, 0xB9))
    ui_text(pd, (49, 5), "shirt", 12, (0, 0, 0))
    go = pictures["go.gif"].convert("RGBA")
    page.paste(go, (width - 22, 1), go)

    results = pictures["ViewBkgrd.bmp"].convert("RGB")
    area = results.copy()
    ad = ImageDraw.Draw(area)
    arrow = pictures["arrow_d.gif"].convert("RGBA")
    speaker = pictures["speaker.gif"].convert("RGBA")
    y = 2
    for english, chinese in SAMPLE_RESULTS:
        x = 11
        area.paste(arrow, (x, y + 1), arrow)
        x += arrow.size[0] + 1
        head, rest = english[:5], english[5:]
        ui_text(ad, (x, y), head, 12, (255, 0, 0), bold=True)
        x += text_width(head, 12) + 1
        if rest:
            ui_text(ad, (x, y), rest, 12, (0x33, 0x33, 0x33), bold=True)
            x += text_width(rest, 12) + 1
        area.paste(speaker, (x + 2, y - 1), speaker)
        ui_text(ad, (11, y + 15), chinese, 12, (0x33, 0x33, 0x33))
        y += 43
        ad.line(((10, y - 1), (width - 19, y - 1)), fill=(0xDD, 0xDD, 0xDD))
    # Scroll bar of the results area.
    sx = width - 17
    ad.rectangle((sx, 0, width - 1, RESULTS_SIZE[1] - 1), fill=(0xEE, 0xEE, 0xEE))
    for y0, y1 in ((0, 16), (RESULTS_SIZE[1] - 17, RESULTS_SIZE[1] - 1), (17, 170)):
        ad.rectangle((sx, y0, width - 1, y1), fill=(0xCC, 0xDD, 0xEE), outline=(0xAA, 0xBB, 0xCC))
    for cy, sign in ((8, -1), (RESULTS_SIZE[1] - 9, 1)):
        ad.polygon([(sx + 8, cy + 2 * sign), (sx + 4, cy - 2 * sign), (sx + 12, cy - 2 * sign)],
                   fill=(0, 0, 0x99))
    page.paste(area, (0, 22))
    tab.paste(page, (0, page_top))

    # Header band with logo, title, clock, minimize and close buttons.
    d.rectangle((0, 0, width - 1, 23), fill=HEADER_BLUE)
    tab.paste(pictures["logo_134.bmp"], (0, 0))
    ui_text(d, (26, 12), "服装词典", 12, (255, 255, 255), anchor="lm")
    ui_text(d, (width - 48, 12), "12:00", 12, (255, 255, 255), anchor="rm")
    tab.paste(pictures["minimize_137.bmp"], (width - 47, 0))
    tab.paste(pictures["close_133.bmp"], (width - 23, 0))

    # Tab row along the bottom edge.
    face = (240, 240, 240)
    d.rectangle((0, page_bottom, width - 1, height - 1), fill=face)
    d.line(((0, page_bottom), (width, page_bottom)), fill=(0, 0, 0))
    x = 1
    for i, caption in enumerate(("词典", "在线", "关于")):
        w = text_width(caption, 12) + 15
        r = [x, page_bottom, x + w - 1, height - 1]
        if i == 0:
            r[1] -= 2
            d.rectangle(r, fill=(255, 255, 255))
            r[1] += 1
            d.line(((r[0], r[1]), (r[0], r[3]), (r[2], r[3]), (r[2], r[1])), fill=(0, 0, 0))
        else:
            r[3] -= 1
            d.line(((r[0], r[1]), (r[0], r[3]), (r[2], r[3]), (r[2], r[1]), (r[0], r[1])),
                   fill=(0, 0, 0))
        ui_text(d, (r[0] + 5, r[1] - 1 + 5), caption, 12, (0, 0, 0))
        x += w + 2
    image.paste(tab, (left, top))


def label(draw, xy, text, anchor="la"):
    draw.text(xy, text, fill=(60, 64, 70), font=ImageFont.truetype(FONT_SANS, 11), anchor=anchor)


def label_width(text):
    return round(ImageFont.truetype(FONT_SANS, 11).getlength(text))


def draw_preview(pictures):
    """Top row: the organiser while loading and after a search, and the results background.
    Bottom row: the 256-pixel icon, the small pictures at their real size and three times it."""
    skin = pictures["skin_129.bmp"]
    sw, sh = skin.size
    margin, gap = 24, 28
    width = margin * 2 + sw * 2 + gap * 2 + RESULTS_SIZE[0]
    second_row = margin + sh + 40
    height = second_row + 256 + 22 + margin
    out = Image.new("RGB", (width, height), PREVIEW_BACKGROUND)
    d = ImageDraw.Draw(out)

    loading = cut_out(skin, PREVIEW_BACKGROUND)
    draw_loading(loading, 60)
    ready = cut_out(skin, PREVIEW_BACKGROUND)
    draw_tab_window(ready, pictures)
    for i, (picture, caption) in enumerate(((loading, "skin_129.bmp, loading (60 %)"),
                                            (ready, "skin_129.bmp, after a search"))):
        x = margin + i * (sw + gap)
        out.paste(picture, (x, margin))
        label(d, (x + sw // 2, margin + sh + 8), caption, "ma")
    x = margin + 2 * (sw + gap)
    out.paste(pictures["ViewBkgrd.bmp"].convert("RGB"), (x, margin))
    label(d, (x, margin + RESULTS_SIZE[1] + 8), "ViewBkgrd.bmp, 267 x 309")

    icon = pictures["icon_136.png"]
    out.paste(icon, (margin, second_row), icon)
    label(d, (margin + 128, second_row + 262), "icon_136.png, 256 x 256", "ma")

    small = [(name, pictures[name].convert("RGBA"))
             for name in ("logo_134.bmp", "close_133.bmp", "minimize_137.bmp", "go.gif",
                          "arrow_d.gif", "speaker.gif")]
    small += [("icon_136_32.png" if im.size[0] == 32 else f"icon {im.size[0]}", im)
              for im in pictures["icons"][:3]]
    x = margin + 256 + 40
    y = second_row + 10
    for name, im in small:
        out.paste(im, (x, y + 48 - im.size[1]), im)
        label(d, (x, y + 56), name)
        x += max(im.size[0], label_width(name)) + 18
    x = margin + 256 + 40
    y = second_row + 110
    label(d, (x, y), "three times the real size:")
    y += 20
    for name, im in small[:-1]:
        big = im.resize((im.size[0] * 3, im.size[1] * 3), Image.NEAREST)
        out.paste(big, (x, y), big)
        x += big.size[0] + 14
    return out


# Where the main window draws dark text and its progress bar on the skin while it loads.
LOADING_AREAS = [(50, 180, 280, 196), (50, 290, 270, 326), (50, 355, 290, 426)]


def check():
    """Reads the written pictures back and stops with an error when one breaks what the program
    relies on: sizes and formats, black only outside the organiser, light loading areas,
    backgrounds that match the header band, transparency of the row images."""
    skin = Image.open(OUT / "skin_129.bmp")
    assert skin.mode == "RGB" and skin.size == SKIN_SIZE, "skin: 24-bit 323 x 548"
    marked = skin.copy()
    ImageDraw.floodfill(marked, (0, 0), (255, 0, 255), thresh=0)
    enclosed = sum(1 for c in marked.getdata() if c == (0, 0, 0))
    assert enclosed == 0, f"skin: {enclosed} black pixels inside the organiser"
    for area in LOADING_AREAS:
        darkest = min(skin.crop(area).convert("L").getdata())
        assert darkest >= 200, f"skin: loading area {area} has a tone of {darkest}"

    for name, size, background in (("logo_134.bmp", (24, 24), BUTTON_BLUE),
                                   ("close_133.bmp", (23, 23), CLOSE_BLUE),
                                   ("minimize_137.bmp", (23, 23), BUTTON_BLUE)):
        im = Image.open(OUT / name)
        assert im.mode == "RGB" and im.size == size, f"{name}: 24-bit {size}"
        assert im.getpixel((0, 0)) == background, f"{name}: background {background}"

    for name, size in (("go.gif", (22, 20)), ("arrow_d.gif", (11, 11)), ("speaker.gif", (16, 14))):
        im = Image.open(OUT / name)
        assert im.size == size and "transparency" in im.info, f"{name}: transparent {size}"
        assert im.getpixel((0, 0)) == im.info["transparency"], f"{name}: transparent corner"
    assert Image.open(OUT / "ViewBkgrd.bmp").size == RESULTS_SIZE, "ViewBkgrd.bmp: 267 x 309"

    icon = Image.open(OUT / "icon_136.ico")
    assert icon.info["sizes"] == {(16, 16), (32, 32), (48, 48), (256, 256)}, "icon sizes"
    assert Image.open(OUT / "icon_136.png").size == (256, 256), "icon_136.png: 256 x 256"
    for size in (48, 128):
        assert Image.open(OUT / f"icon_{size}.png").size == (size, size), f"icon_{size}.png"
    assert Image.open(OUT / "icon_136_32.png").size == (32, 32), "icon_136_32.png: 32 x 32"


def main():
    pictures = {}

    skin = draw_skin()
    skin.save(OUT / "skin_129.bmp")
    write_key_areas(OUT / "skin_129_keys.txt")
    pictures["skin_129.bmp"] = skin

    for name, draw in (("logo_134.bmp", draw_logo), ("close_133.bmp", draw_close),
                       ("minimize_137.bmp", draw_minimize)):
        im = draw()
        im.save(OUT / name)
        pictures[name] = im

    icons = [draw_icon(size) for size in (16, 32, 48, 256)]
    write_ico(OUT / "icon_136.ico", icons)
    icons[-1].save(OUT / "icon_136.png", optimize=True)
    icons[1].save(OUT / "icon_136_32.png", optimize=True)
    pictures["icons"] = icons
    pictures["icon_136.png"] = icons[-1]
    icons[2].save(OUT / "icon_48.png", optimize=True)
    draw_icon(128).save(OUT / "icon_128.png", optimize=True)

    to_gif(OUT / "go.gif", draw_go(), CAPTION_BACKGROUND)
    to_gif(OUT / "arrow_d.gif", draw_arrow(), RESULTS_BACKGROUND)
    to_gif(OUT / "speaker.gif", draw_speaker(), RESULTS_BACKGROUND)
    for name in ("go.gif", "arrow_d.gif", "speaker.gif"):
        pictures[name] = Image.open(OUT / name)

    background = draw_results_background()
    background.quantize(256, method=Image.Quantize.MEDIANCUT,
                        dither=Image.Dither.NONE).save(OUT / "ViewBkgrd.bmp")
    pictures["ViewBkgrd.bmp"] = Image.open(OUT / "ViewBkgrd.bmp")

    draw_preview(pictures).save(OUT / "preview.png", optimize=True)
    check()


if __name__ == "__main__":
    main()
