#!/usr/bin/python3
"""Draws the picture of the sample newsletter that the update server offers.

Writes server/x__c51/picc.gif: 120x120, the size at which the newsletter window shows it, so that it is shown
pixel for pixel. A stack of three server units with their green lamps, and in front of them a clock face at ten
past ten, on the newsletter's paper colour.
Needs Debian's python3-pil:
    apt-get install python3-pil
Usage: tools/make_newsletter_picture.py  (Debian's /usr/bin/python3; from anywhere)
"""

import math
from pathlib import Path

from PIL import Image, ImageDraw

OUTPUT = Path(__file__).resolve().parent.parent / "server" / "x__c51" / "picc.gif"
SIZE = 120
SUPER = 4  # drawn four times larger, then reduced, for smooth edges

PAPER = (250, 247, 238)  # the newsletter window's background
CASE = (70, 78, 92)
CASE_EDGE = (40, 46, 56)
SLOT = (30, 34, 42)
LAMP = (60, 200, 90)
FACE = (255, 255, 255)
RIM = (150, 20, 20)
HANDS = (20, 20, 20)


def scaled(*values):
    return [v * SUPER for v in values]


def draw_servers(draw):
    for unit in range(3):
        top = 14 + unit * 22
        draw.rounded_rectangle(scaled(10, top, 92, top + 18), radius=3 * SUPER, fill=CASE, outline=CASE_EDGE,
                               width=SUPER)
        for slot in range(4):
            left = 16 + slot * 10
            draw.rectangle(scaled(left, top + 6, left + 6, top + 12), fill=SLOT)
        draw.ellipse(scaled(80, top + 6, 86, top + 12), fill=LAMP)


def draw_clock(draw):
    cx, cy, radius = 76, 80, 34
    draw.ellipse(scaled(cx - radius, cy - radius, cx + radius, cy + radius), fill=FACE, outline=RIM,
                 width=4 * SUPER)
    for hour in range(12):
        angle = math.radians(hour * 30)
        inner = radius - (9 if hour % 3 == 0 else 6)
        outer = radius - 4
        draw.line(scaled(cx + inner * math.sin(angle), cy - inner * math.cos(angle),
                         cx + outer * math.sin(angle), cy - outer * math.cos(angle)),
                  fill=HANDS, width=(2 if hour % 3 == 0 else 1) * SUPER)
    for degrees, length, width in ((305, 17, 3), (60, 25, 2)):  # ten past ten
        angle = math.radians(degrees)
        draw.line(scaled(cx, cy, cx + length * math.sin(angle), cy - length * math.cos(angle)), fill=HANDS,
                  width=width * SUPER)
    draw.ellipse(scaled(cx - 3, cy - 3, cx + 3, cy + 3), fill=RIM)


def main():
    picture = Image.new("RGB", (SIZE * SUPER, SIZE * SUPER), PAPER)
    draw = ImageDraw.Draw(picture)
    draw_servers(draw)
    draw_clock(draw)
    small = picture.resize((SIZE, SIZE), Image.LANCZOS)
    small.quantize(colors=128, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE).save(OUTPUT)


if __name__ == "__main__":
    main()
