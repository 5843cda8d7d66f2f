#!/usr/bin/python3
"""Draws the application icon as SVG and renders its PNG sizes into packaging/icons/hicolor/.

Needs Python 3 and rsvg-convert:
    apt-get install -y librsvg2-bin
The results are checked in; the build does not need this script. Run it again only to change
the icon:
    scripts/make-icons.py [icons folder]

The picture is a strip of film whose frames turn into the bars of a sound wave, on the azure of
the skin's accent. Below 32 pixels a simpler drawing is used (fewer, wider holes and bars), so
that the small sizes stay sharp instead of blurring into a grey patch.
"""

import os
import subprocess
import sys

APP_ID = "org.quillabe.Quillabe"
SIZES = (16, 22, 24, 32, 48, 64, 128, 256, 512)
SMALL_BELOW = 32

# The skin's accent (scripts/make-skin-art.py) for the tile; white for the drawing on it.
TILE_TOP = "#4892f4"
TILE_BOTTOM = "#2168cc"
EDGE = "#1a56ab"
INK = "#ffffff"
HOLE = "#2f80ed"


def rect(x, y, w, h, r, fill):
    return f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{r}" fill="{fill}"/>'


def drawing(small):
    """The icon on a 256 x 256 canvas; `small` gives the variant for tiny sizes."""
    parts = [
        "<defs>",
        '<linearGradient id="tile" x1="0" y1="0" x2="0" y2="1">',
        f'<stop offset="0" stop-color="{TILE_TOP}"/>',
        f'<stop offset="1" stop-color="{TILE_BOTTOM}"/>',
        "</linearGradient>",
        "</defs>",
    ]
    if small:
        # Whole pixels at 16 px: the canvas is 16 cells of 16 units.
        parts.append(rect(0, 16, 256, 224, 40, "url(#tile)"))
        parts.append(rect(32, 48, 80, 160, 12, INK))
        for y in (64, 112, 160):
            parts.append(rect(48, y, 16, 32, 0, HOLE))
        for x, h in ((144, 96), (176, 160), (208, 64)):
            parts.append(rect(x, 128 - h // 2, 16, h, 8, INK))
    else:
        parts.append(rect(8, 24, 240, 208, 44, "url(#tile)"))
        parts.append(
            '<rect x="8.5" y="24.5" width="239" height="207" rx="44" fill="none" '
            f'stroke="{EDGE}" stroke-width="3" stroke-opacity="0.6"/>'
        )
        # The strip: a white band with sprocket holes down both edges and two picture frames.
        parts.append(rect(36, 52, 88, 152, 10, INK))
        for y in range(62, 196, 22):
            parts.append(rect(44, y, 10, 12, 2, HOLE))
            parts.append(rect(106, y, 10, 12, 2, HOLE))
        parts.append(rect(62, 62, 36, 60, 4, HOLE))
        parts.append(rect(62, 134, 36, 60, 4, HOLE))
        # The wave the frames become: bars that rise and fall from the strip outwards.
        for i, h in enumerate((104, 152, 120, 72, 40)):
            x = 140 + i * 20
            parts.append(rect(x, 128 - h // 2, 12, h, 6, INK))
    body = "\n  ".join(parts)
    return (
        '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">\n'
        f"  {body}\n</svg>\n"
    )


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)


def render(svg, size, png):
    os.makedirs(os.path.dirname(png), exist_ok=True)
    subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), "-o", png, svg], check=True)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "packaging", "icons")
    hicolor = os.path.join(root, "hicolor")
    scalable = os.path.join(hicolor, "scalable", "apps", APP_ID + ".svg")
    write(scalable, drawing(small=False))
    # The small drawing is only a rendering source; the theme gets the full one as scalable.
    small = os.path.join(root, ".small.svg")
    write(small, drawing(small=True))
    try:
        for size in SIZES:
            png = os.path.join(hicolor, f"{size}x{size}", "apps", APP_ID + ".png")
            render(small if size < SMALL_BELOW else scalable, size, png)
    finally:
        os.remove(small)


if __name__ == "__main__":
    main()
