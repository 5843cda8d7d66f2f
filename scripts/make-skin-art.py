#!/usr/bin/python3
"""Draws every picture of the "ozu" skin from vector shapes and writes data/skin/ozu/skin/.

Needs Python 3 with Pillow and the DejaVu fonts:
    apt-get install -y python3-pil fonts-dejavu-core
The generated files are checked in; run this again only to change the art:
    scripts/make-skin-art.py [output folder]

Every picture is drawn four times larger than needed and reduced, which gives smooth edges, and
is written twice: "name.ext" for normal screens and "name@2x.ext" at double size for
high-density ones. The places of things in the background follow the window's layout after its
start-up (toolbar hidden, the input controls moved up into its space).
"""

import os
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFont

SUPERSAMPLE = 4
SCALES = {1: "", 2: "@2x"}

# One calm palette: slate chrome, a light media panel and a single azure accent. The program's
# built-in skin (src/ui/skin/SkinPalette.cpp) uses the same colours for its controls.
ACCENT = (47, 128, 237)
ACCENT_HOVER = (72, 146, 244)
ACCENT_DOWN = (33, 104, 204)
TITLE_TOP = (17, 22, 29)
TITLE_BOTTOM = (23, 29, 38)
BODY_TOP = (38, 48, 61)
BODY_BOTTOM = (31, 40, 51)
OUTLINE = (9, 12, 16)
PANEL = (244, 246, 249)
PANEL_EDGE = (203, 212, 223)
FIELD = (255, 255, 255)
FIELD_RING = (18, 24, 31)
BUTTON = (61, 76, 95)
BUTTON_HOVER = (75, 92, 114)
BUTTON_DOWN = (46, 58, 73)
BUTTON_DISABLED = (47, 58, 72)
ICON = (255, 255, 255)
ICON_SOFT = (196, 205, 217)
ICON_DISABLED = (113, 127, 144)
CLOSE_HOVER = (214, 64, 69)
CLOSE_DOWN = (178, 48, 53)

FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

STATES = ("normal", "hover", "down", "disabled")


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(len(a)))


def rgba(color, alpha=255):
    return tuple(color[:3]) + (alpha,)


class Canvas:
    """A picture of w x h device-independent pixels drawn at scale x SUPERSAMPLE.

    Every shape is drawn as a coverage mask and composited, so translucent colours blend with
    what lies beneath instead of replacing it."""

    def __init__(self, w, h, scale, background=(0, 0, 0, 0)):
        self.w, self.h, self.scale = w, h, scale
        self.k = scale * SUPERSAMPLE
        self.img = Image.new("RGBA", (w * self.k, h * self.k), background)

    def box(self, x0, y0, x1, y1):
        k = self.k
        return [round(x0 * k), round(y0 * k), round(x1 * k) - 1, round(y1 * k) - 1]

    def pts(self, points):
        return [(x * self.k, y * self.k) for x, y in points]

    def shape(self, color, draw):
        """Composites `color` through the mask that `draw(ImageDraw)` paints with 255."""
        mask = Image.new("L", self.img.size, 0)
        draw(ImageDraw.Draw(mask))
        self.fill(mask, color)

    def fill(self, mask, color):
        if len(color) == 4:
            mask = mask.point(lambda v: v * color[3] // 255)
        layer = Image.new("RGBA", self.img.size, tuple(color[:3]) + (0,))
        layer.putalpha(mask)
        self.img.alpha_composite(layer)

    def rect(self, x0, y0, x1, y1, color):
        self.shape(color, lambda d: d.rectangle(self.box(x0, y0, x1, y1), fill=255))

    def rrect(self, x0, y0, x1, y1, r, color):
        self.shape(color, lambda d: d.rounded_rectangle(self.box(x0, y0, x1, y1),
                                                        radius=r * self.k, fill=255))

    def gradient(self, x0, y0, x1, y1, top, bottom, r=0):
        """A vertical gradient, optionally inside a rounded rectangle."""
        b = self.box(x0, y0, x1, y1)
        height = b[3] - b[1] + 1
        grad = Image.new("RGBA", (b[2] - b[0] + 1, height))
        gd = ImageDraw.Draw(grad)
        for y in range(height):
            gd.line([(0, y), (grad.width, y)], fill=rgba(mix(top, bottom, y / max(1, height - 1))))
        mask = Image.new("L", grad.size, 0)
        ImageDraw.Draw(mask).rounded_rectangle([0, 0, grad.width - 1, height - 1],
                                               radius=r * self.k, fill=255)
        grad.putalpha(mask)
        self.img.alpha_composite(grad, (b[0], b[1]))

    def polygon(self, points, color):
        self.shape(color, lambda d: d.polygon(self.pts(points), fill=255))

    def ellipse(self, x0, y0, x1, y1, color):
        self.shape(color, lambda d: d.ellipse(self.box(x0, y0, x1, y1), fill=255))

    def stroke(self, points, width, color):
        """A polyline with round joins and caps."""
        p = self.pts(points)
        wk = width * self.k

        def draw(d):
            d.line(p, fill=255, width=round(wk), joint="curve")
            for x, y in p:
                d.ellipse([x - wk / 2, y - wk / 2, x + wk / 2, y + wk / 2], fill=255)
        self.shape(color, draw)

    def arc(self, cx, cy, radius, start, end, width, color):
        k = self.k
        self.shape(color, lambda d: d.arc([(cx - radius) * k, (cy - radius) * k,
                                           (cx + radius) * k, (cy + radius) * k],
                                          start, end, fill=255, width=round(width * k)))

    def text(self, x, y, text, size, color, font=FONT_BOLD, anchor="la"):
        f = ImageFont.truetype(font, round(size * self.k))
        self.shape(color, lambda d: d.text((x * self.k, y * self.k), text, font=f, fill=255,
                                           anchor=anchor))

    def clip_round(self, r):
        """Makes everything outside a rounded outline of the whole picture transparent."""
        mask = Image.new("L", self.img.size, 0)
        ImageDraw.Draw(mask).rounded_rectangle([0, 0, self.img.width - 1, self.img.height - 1],
                                               radius=r * self.k, fill=255)
        alpha = self.img.getchannel("A")
        self.img.putalpha(ImageChops.multiply(alpha, mask))

    def result(self):
        return self.img.resize((self.w * self.scale, self.h * self.scale), Image.BOX)


# --- icons: each drawn in a square of `s` pixels centred on (cx, cy) -----------------------------

# Straight strokes are whole pixels wide and centred on whole pixels (callers pass whole-pixel
# centres), so that they stay sharp at 100 %.
def line_weight(s):
    return max(1, round(s * 0.15))


def icon_plus(c, cx, cy, s, color):
    h = round(s * 0.36)
    c.stroke([(cx - h, cy), (cx + h, cy)], line_weight(s), color)
    c.stroke([(cx, cy - h), (cx, cy + h)], line_weight(s), color)


def icon_minus(c, cx, cy, s, color):
    h = round(s * 0.36)
    c.stroke([(cx - h, cy), (cx + h, cy)], line_weight(s), color)


def icon_cross(c, cx, cy, s, color, weight=0.12):
    h = s * 0.3
    c.stroke([(cx - h, cy - h), (cx + h, cy + h)], s * weight, color)
    c.stroke([(cx - h, cy + h), (cx + h, cy - h)], s * weight, color)


def icon_arrow(c, cx, cy, s, color, up=True):
    d = -1 if up else 1
    tip = cy + d * round(s * 0.38)
    head = round(s * 0.3)
    c.stroke([(cx, cy - d * round(s * 0.38)), (cx, tip)], line_weight(s), color)
    c.stroke([(cx - head, tip - d * head), (cx, tip), (cx + head, tip - d * head)],
             line_weight(s), color)


def icon_play(c, cx, cy, s, color):
    h = s * 0.4
    c.polygon([(cx - h * 0.75, cy - h), (cx + h * 0.95, cy), (cx - h * 0.75, cy + h)], color)


def icon_folder(c, cx, cy, s, color, _hole=None):
    x0, x1 = cx - s * 0.46, cx + s * 0.46
    y0, y1 = cy - s * 0.36, cy + s * 0.38
    c.rrect(x0, y0, x0 + s * 0.42, y0 + s * 0.24, s * 0.07, color)  # the tab
    c.rrect(x0, y0 + s * 0.12, x1, y1, s * 0.08, color)


def icon_gear(c, cx, cy, s, color, hole):
    import math
    teeth = 8
    outer, inner = s * 0.46, s * 0.34
    points = []
    for i in range(teeth * 4):
        a = (i / (teeth * 4)) * 2 * math.pi
        r = outer if (i % 4) in (1, 2) else inner
        points.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    c.polygon(points, color)
    c.ellipse(cx - inner, cy - inner, cx + inner, cy + inner, color)
    hr = s * 0.15
    c.ellipse(cx - hr, cy - hr, cx + hr, cy + hr, hole)


def icon_dots(c, cx, cy, s, color):
    r = s * 0.085
    for dx in (-0.3, 0, 0.3):
        c.ellipse(cx + dx * s - r, cy - r, cx + dx * s + r, cy + r, color)


def icon_caret(c, cx, cy, s, color):
    h = s * 0.24
    c.stroke([(cx - h * 1.3, cy - h * 0.6), (cx, cy + h * 0.7), (cx + h * 1.3, cy - h * 0.6)],
             s * 0.13, color)


def icon_help(c, cx, cy, s, color):
    w = s * 0.12
    r = s * 0.22
    c.arc(cx, cy - s * 0.14, r, 180, 405, w, color)
    # from the end of the arc down to the stem
    import math
    ex = cx + r * math.cos(math.radians(45))
    ey = cy - s * 0.14 + r * math.sin(math.radians(45))
    c.stroke([(ex, ey), (cx, cy + s * 0.12), (cx, cy + s * 0.16)], w, color)
    d = s * 0.08
    c.ellipse(cx - d, cy + s * 0.3 - d, cx + d, cy + s * 0.3 + d, color)


def icon_minimise(c, cx, cy, s, color):
    h = round(s * 0.32)
    c.stroke([(cx - h, cy + 2), (cx + h, cy + 2)], line_weight(s) - 0.5, color)


def icon_power(c, cx, cy, s, color):
    w = s * 0.1
    c.arc(cx, cy + s * 0.04, s * 0.34, 300, 600, w, color)
    c.stroke([(cx, cy - s * 0.42), (cx, cy - s * 0.02)], w, color)


def icon_film(c, cx, cy, s, color, hole):
    x0, x1, y0, y1 = cx - s * 0.42, cx + s * 0.42, cy - s * 0.34, cy + s * 0.34
    c.rrect(x0, y0, x1, y1, s * 0.06, color)
    for i in range(4):
        y = y0 + s * 0.08 + i * s * 0.155
        c.rect(x0 + s * 0.05, y, x0 + s * 0.13, y + s * 0.08, hole)
        c.rect(x1 - s * 0.13, y, x1 - s * 0.05, y + s * 0.08, hole)
    c.rect(x0 + s * 0.2, y0 + s * 0.08, x1 - s * 0.2, cy - s * 0.03, hole)
    c.rect(x0 + s * 0.2, cy + s * 0.03, x1 - s * 0.2, y1 - s * 0.08, hole)


def icon_player(c, cx, cy, s, color, hole):
    c.rrect(cx - s * 0.3, cy - s * 0.44, cx + s * 0.3, cy + s * 0.44, s * 0.1, color)
    c.rrect(cx - s * 0.22, cy - s * 0.36, cx + s * 0.22, cy - s * 0.04, s * 0.03, hole)
    r = s * 0.15
    c.ellipse(cx - r, cy + s * 0.2 - r, cx + r, cy + s * 0.2 + r, hole)
    r2 = s * 0.05
    c.ellipse(cx - r2, cy + s * 0.2 - r2, cx + r2, cy + s * 0.2 + r2, color)


def icon_phone(c, cx, cy, s, color, hole):
    c.rrect(cx - s * 0.24, cy - s * 0.44, cx + s * 0.24, cy + s * 0.44, s * 0.08, color)
    c.rect(cx - s * 0.18, cy - s * 0.33, cx + s * 0.18, cy + s * 0.28, hole)
    r = s * 0.045
    c.ellipse(cx - r, cy + s * 0.36 - r, cx + r, cy + s * 0.36 + r, hole)


def icon_clapper(c, cx, cy, s, color, hole):
    c.rrect(cx - s * 0.42, cy - s * 0.12, cx + s * 0.42, cy + s * 0.4, s * 0.06, color)
    c.polygon([(cx - s * 0.44, cy - s * 0.2), (cx + s * 0.36, cy - s * 0.42),
               (cx + s * 0.4, cy - s * 0.3), (cx - s * 0.4, cy - s * 0.08)], color)
    for i in range(3):
        x = cx - s * 0.24 + i * s * 0.24
        c.polygon([(x, cy - s * 0.25 + i * -0.062 * s), (x + s * 0.1, cy - s * 0.28 - i * 0.062 * s),
                   (x + s * 0.05, cy - s * 0.15 - i * 0.062 * s), (x - s * 0.05, cy - s * 0.12 - i * 0.062 * s)],
                  hole)
    icon_play(c, cx + s * 0.02, cy + s * 0.14, s * 0.34, hole)


def icon_window_play(c, cx, cy, s, color, hole):
    c.rrect(cx - s * 0.44, cy - s * 0.34, cx + s * 0.44, cy + s * 0.34, s * 0.09, color)
    icon_play(c, cx + s * 0.03, cy, s * 0.46, hole)


def icon_monitor(c, cx, cy, s, color, hole):
    c.rrect(cx - s * 0.44, cy - s * 0.38, cx + s * 0.44, cy + s * 0.2, s * 0.06, color)
    c.rect(cx - s * 0.37, cy - s * 0.31, cx + s * 0.37, cy + s * 0.13, hole)
    c.rect(cx - s * 0.05, cy + s * 0.2, cx + s * 0.05, cy + s * 0.32, color)
    c.rrect(cx - s * 0.22, cy + s * 0.31, cx + s * 0.22, cy + s * 0.38, s * 0.03, color)
    icon_play(c, cx + s * 0.02, cy - s * 0.09, s * 0.3, color)


def icon_wave(c, cx, cy, s, color):
    heights = (0.16, 0.34, 0.5, 0.26, 0.42, 0.2, 0.1)
    step = s * 0.13
    for i, h in enumerate(heights):
        x = cx + (i - 3) * step
        c.stroke([(x, cy - h * s * 0.8), (x, cy + h * s * 0.8)], s * 0.08, color)


def icon_bolt(c, cx, cy, s, color):
    c.polygon([(cx + s * 0.08, cy - s * 0.46), (cx - s * 0.26, cy + s * 0.06), (cx - s * 0.02, cy + s * 0.06),
               (cx - s * 0.1, cy + s * 0.46), (cx + s * 0.26, cy - s * 0.08), (cx + s * 0.02, cy - s * 0.08)],
              color)


def icon_grid(c, cx, cy, s, color):
    g = s * 0.38
    for dx in (-1, 1):
        for dy in (-1, 1):
            x, y = cx + dx * g * 0.56, cy + dy * g * 0.56
            c.rrect(x - g * 0.42, y - g * 0.42, x + g * 0.42, y + g * 0.42, s * 0.05, color)


def icon_disc(c, cx, cy, s, color, hole):
    r = s * 0.44
    c.ellipse(cx - r, cy - r, cx + r, cy + r, color)
    r2 = s * 0.15
    c.ellipse(cx - r2, cy - r2, cx + r2, cy + r2, hole)
    c.arc(cx, cy, s * 0.3, 200, 250, s * 0.05, hole)


# --- pictures ------------------------------------------------------------------------------------

def background(scale):
    w, h = 754, 571
    c = Canvas(w, h, scale, rgba(OUTLINE))
    title = 30
    c.gradient(1, 1, w - 1, title, TITLE_TOP, TITLE_BOTTOM)
    c.rect(1, title, w - 1, title + 1, (12, 16, 21))
    c.gradient(1, title + 1, w - 1, h - 1, BODY_TOP, BODY_BOTTOM)
    # a short accent mark before the title text
    c.rrect(7, 9, 10, 21, 1.5, ACCENT)
    # wells of the list, the output folder box and the profile box (their place after start-up)
    for x, y, fw, fh in ((120, 40, 482, 144), (120, 214, 482, 21), (120, 242, 482, 21)):
        c.rrect(x - 2, y - 2, x + fw + 2, y + fh + 2, 4, FIELD_RING)
        c.rrect(x - 1, y - 1, x + fw + 1, y + fh + 1, 3, PANEL_EDGE)
        c.rect(x, y, x + fw, y + fh, FIELD)
    # the media panel
    c.rrect(16, 311, 739, 554, 7, FIELD_RING)
    c.rrect(17, 312, 738, 553, 6, PANEL_EDGE)
    c.rrect(18, 313, 737, 552, 5, PANEL)
    # a hairline under the top of the body, where light would catch
    c.rect(1, title + 1, w - 1, title + 2, (48, 59, 74))
    return c.result().convert("RGB")


def button_face(c, w, h, state, accent=False, left_round=True, right_round=True, divider=False):
    """A rounded button face; square sides continue into the neighbouring segment."""
    if accent:
        fill = {"normal": ACCENT, "hover": ACCENT_HOVER, "down": ACCENT_DOWN,
                "disabled": BUTTON_DISABLED}[state]
    else:
        fill = {"normal": BUTTON, "hover": BUTTON_HOVER, "down": BUTTON_DOWN,
                "disabled": BUTTON_DISABLED}[state]
    x0 = 0 if left_round else -8
    x1 = w if right_round else w + 8
    r = 4
    c.rrect(x0, 0, x1, h, r, (0, 0, 0, 70))  # edge
    top = mix(fill, (255, 255, 255), 0.07) if state != "down" else fill
    bottom = mix(fill, (0, 0, 0), 0.08)
    if state == "disabled":
        top, bottom = fill, fill
    c.gradient(x0 + 1, 1, x1 - 1, h - 1, top, bottom, r - 1)
    if state in ("normal", "hover"):
        c.rect(max(x0 + 3, 1), 1, min(x1 - 3, w - 1), 2, (255, 255, 255, 34))
    if divider:
        c.rect(0, 1, 1, h - 1, (0, 0, 0, 80))


def main_button(name, w, h, icon, state, scale, accent=False, icon_at=None, **segment):
    c = Canvas(w, h, scale)
    button_face(c, w, h, state, accent, **segment)
    color = ICON if state != "disabled" else ICON_DISABLED
    fill = {"normal": BUTTON, "hover": BUTTON_HOVER, "down": BUTTON_DOWN,
            "disabled": BUTTON_DISABLED}[state]
    if accent and state != "disabled":
        fill = {"normal": ACCENT, "hover": ACCENT_HOVER, "down": ACCENT_DOWN}[state]
    cx = round(icon_at if icon_at is not None else w / 2)
    dy = 1 if state == "down" else 0
    icon(c, cx, round(h / 2) + dy, 13, color, fill)
    return c.result()


def system_button(w, h, icon, state, scale, close=False):
    c = Canvas(w, h, scale)
    if state == "hover":
        c.rrect(1, 1, w - 1, h - 1, 4, CLOSE_HOVER if close else (255, 255, 255, 26))
    elif state == "down":
        c.rrect(1, 1, w - 1, h - 1, 4, CLOSE_DOWN if close else (255, 255, 255, 44))
    color = {"normal": ICON_SOFT, "hover": ICON, "down": ICON, "disabled": ICON_DISABLED}[state]
    icon(c, round(w / 2), round(h / 2), 14, color)
    return c.result()


def toolbar_button(icon, state, scale):
    w, h = 62, 76
    c = Canvas(w, h, scale)
    if state == "hover":
        c.rrect(2, 2, w - 2, h - 2, 7, (255, 255, 255, 22))
    elif state == "down":
        c.rrect(2, 2, w - 2, h - 2, 7, rgba(ACCENT, 90))
    tile = {"normal": ACCENT, "hover": ACCENT_HOVER, "down": ACCENT_DOWN,
            "disabled": BUTTON_DISABLED}[state]
    c.rrect(w / 2 - 19, 6, w / 2 + 19, 44, 9, tile)
    color = ICON if state != "disabled" else ICON_DISABLED
    icon(c, w / 2, 25, 24, color, tile)
    return c.result()


def toolbar_line(scale):
    c = Canvas(2, 52, scale)
    for y in range(52):
        t = 1 - abs(y - 25.5) / 26
        c.rect(0, y, 1, y + 1, (0, 0, 0, round(110 * t)))
        c.rect(1, y, 2, y + 1, (255, 255, 255, round(40 * t)))
    return c.result()


def about_picture(scale):
    w, h = 125, 278
    c = Canvas(w, h, scale)
    c.gradient(0, 0, w, h, (30, 40, 53), (20, 26, 34), 8)
    # soft accent light falling from the top
    for i in range(30):
        c.ellipse(-60 + i, -150 + i * 2.4, w + 60 - i, 150 - i * 1.6, rgba(ACCENT, 2))
    c.clip_round(8)
    # the mark: an accent tile with a play triangle inside a turning arrow
    cx, cy = w / 2, 100
    c.rrect(cx - 34, cy - 34, cx + 34, cy + 34, 16, ACCENT)
    c.arc(cx, cy, 21, 200, 500, 5, ICON)
    c.polygon([(cx - 23, cy - 13), (cx - 13, cy - 1), (cx - 29, cy - 3)], ICON)
    icon_play(c, cx + 2, cy, 22, ICON)
    c.text(cx, 168, "Quillabe", 17, ICON, anchor="ma")
    c.rrect(cx - 16, 196, cx + 16, 198, 1, ACCENT)
    return c.result()


def segment(first, last):
    return dict(left_round=first, right_round=last, divider=not first)


MAIN_BUTTONS = [
    # name, width, icon, accent, icon x (None: centred), segment shape
    ("browse", 115, icon_folder, False, 16, segment(True, True)),
    ("up", 30, lambda c, x, y, s, col, f: icon_arrow(c, x, y, s, col, True), False, None,
     segment(True, False)),
    ("down", 27, lambda c, x, y, s, col, f: icon_arrow(c, x, y, s, col, False), False, None,
     segment(False, False)),
    ("add", 27, lambda c, x, y, s, col, f: icon_plus(c, x, y, s, col), False, None,
     segment(False, False)),
    ("remove", 31, lambda c, x, y, s, col, f: icon_minus(c, x, y, s, col), False, None,
     segment(False, True)),
    ("editprofile", 84, icon_gear, False, 13, segment(True, False)),
    ("profilemenu", 31, lambda c, x, y, s, col, f: icon_caret(c, x, y, s, col), False, None,
     segment(False, True)),
    ("convert", 115, lambda c, x, y, s, col, f: icon_play(c, x, y, s, col), True, 17,
     segment(True, True)),
]

SYSTEM_BUTTONS = [
    ("minimise", 24, icon_minimise, False),
    ("help", 23, icon_help, False),
    ("close", 24, lambda c, x, y, s, col: icon_cross(c, x, y, s, col, 0.11), True),
]

TOOLBAR_BUTTONS = [
    ("exit", lambda c, x, y, s, col, hole: icon_power(c, x, y, s, col)),
    ("avi", icon_film),
    ("mp4", icon_player),
    ("3gp", icon_phone),
    ("mpeg", icon_clapper),
    ("mov", icon_window_play),
    ("wmv", icon_monitor),
    ("rm", lambda c, x, y, s, col, hole: icon_wave(c, x, y, s, col)),
    ("swf", lambda c, x, y, s, col, hole: icon_bolt(c, x, y, s, col)),
    ("others", lambda c, x, y, s, col, hole: icon_grid(c, x, y, s, col)),
    ("burndvd", icon_disc),
]


# The layout file: every position the window reads, at the design geometry (the window itself
# moves the input controls up when it hides the toolbar), and the pictures drawn above.
LABELS = [(16, 8), (48, 8), (30, 122), (24, 218), (75, 246), (120, 280), (16, 8), (24, 24),
          (368, 24), (24, 40), (368, 40), (24, 56), (368, 56), (16, 80), (24, 96), (368, 96),
          (24, 112), (368, 112), (24, 128), (368, 128), (16, 152), (24, 168), (368, 168),
          (24, 184), (368, 184), (584, 216)]
EDIT_BOXES = [(112 if n % 2 else 500, top) for n, top in zip(
    range(1, 17), (24, 24, 40, 40, 56, 56, 96, 96, 112, 112, 128, 128, 168, 168, 184, 184))]
TOOLBAR_LEFTS = (2, 66, 128, 190, 252, 314, 376, 438, 500, 562, 626)
MAIN_LAYOUT = [("browse", 620, 120, 115), ("up", 620, 150, 30), ("down", 650, 150, 27),
               ("add", 677, 150, 27), ("remove", 704, 150, 31), ("browse", 620, 212, 115),
               ("editprofile", 620, 240, 84), ("profilemenu", 704, 240, 31),
               ("convert", 620, 275, 115)]
SYSTEM_LAYOUT = [("minimise", 678, 24), ("help", 702, 23), ("close", 725, 24)]
KEY_STATES = (("Normal", "normal"), ("MouseOn", "hover"), ("MouseDown", "down"),
              ("Disable", "disabled"))


def button_keys(n, picture, left, top, width, height):
    lines = [f"Button{n}{key}={picture}_{state}.png" for key, state in KEY_STATES]
    lines += [f"Button{n}Left={left}", f"Button{n}Top={top}", f"Button{n}Width={width}",
              f"Button{n}Height={height}"]
    return lines


def skin_ini():
    out = ["; The ozu skin: positions and pictures of the main window.",
           "; Written by scripts/make-skin-art.py together with the pictures.",
           "[MAINFORM]", "DefaultSkin=1", "ImageMainPic=main_background.jpg", "ImageMainLet=0",
           "ImageMainTop=0", "ImageMainWidth=754", "ImageMainHeight=571"]
    for prefix, rect in (("ListView", (120, 120, 482, 84)), ("EditOutputFile", (120, 214, 482, 21)),
                         ("ComboProfile", (120, 242, 482, 21)), ("ScrollBox", (18, 313, 719, 239))):
        out += [f"{prefix}{key}={value}" for key, value in zip(("Left", "Top", "Width", "Height"), rect)]
    out += ["", "[TOOLBAR]"]
    for n, ((name, _), left) in enumerate(zip(TOOLBAR_BUTTONS, TOOLBAR_LEFTS), start=1):
        out += button_keys(n, f"to_{name}", left, 28, 62, 76)
    for n, left in enumerate((64, 624, 688), start=1):
        out += [f"ImageLine{n}=toolbar_line.png", f"ImageLine{n}Left={left}", f"ImageLine{n}Top=40",
                f"ImageLine{n}Width=2", f"ImageLine{n}Height=52"]
    out += ["", "[MAINBUTTON]"]
    for n, (name, left, top, width) in enumerate(MAIN_LAYOUT, start=1):
        out += button_keys(n, name, left, top, width, 25)
    out += ["", "[SYSTEMBUTTON]"]
    for n, (name, left, width) in enumerate(SYSTEM_LAYOUT, start=1):
        out += button_keys(n, name, left, 4, width, 21)
    out += ["", "[LABEL]"]
    for n, (left, top) in enumerate(LABELS, start=1):
        out += [f"Label{n}Left={left}", f"Label{n}Top={top}"]
    out += [f"EditBox{n}Top={top}" for n, (_, top) in enumerate(EDIT_BOXES, start=1)]
    out += ["", "[EDITBOX]"]
    out += [f"EditBox{n}Left={left}" for n, (left, _) in enumerate(EDIT_BOXES, start=1)]
    out += ["", "[SPLASH]", "LeftImage=about.png", ""]
    return "\n".join(out)


def save(img, folder, name, ext, scale):
    path = os.path.join(folder, name + SCALES[scale] + "." + ext)
    if ext == "jpg":
        img.save(path, "JPEG", quality=93, subsampling=0, optimize=True)
    else:
        img.save(path, "PNG", optimize=True)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data", "skin", "ozu", "skin")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "skin.ini"), "w", newline="\n") as f:
        f.write(skin_ini())
    for scale in SCALES:
        save(background(scale), folder, "main_background", "jpg", scale)
        save(about_picture(scale), folder, "about", "png", scale)
        save(toolbar_line(scale), folder, "toolbar_line", "png", scale)
        for state in STATES:
            for name, w, icon, accent, icon_at, shape in MAIN_BUTTONS:
                save(main_button(name, w, 25, icon, state, scale, accent, icon_at, **shape), folder,
                     f"{name}_{state}", "png", scale)
            for name, w, icon, close in SYSTEM_BUTTONS:
                save(system_button(w, 21, icon, state, scale, close), folder, f"{name}_{state}",
                     "png", scale)
            for name, icon in TOOLBAR_BUTTONS:
                save(toolbar_button(icon, state, scale), folder, f"to_{name}_{state}", "png",
                     scale)


if __name__ == "__main__":
    main()
