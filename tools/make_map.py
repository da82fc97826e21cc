#!/usr/bin/python3
"""Draws the time-zone map of the clock settings window and lays out its hot spots.

Writes assets/map.png (400 x 181 pixels, 16 colours: every zone of the world painted with its standard offset and
labelled with it), assets/map_zones.png (which pixels are land and the offset each is painted with: the window cuts
each hot spot to the shape of its zone with it, and the map's test measures clicks against it) and
src/zones/HotSpotTable.cpp (the rectangles that the window lays over the picture).

The zones are the time-zone boundaries of the timezone-boundary-builder data set, as the npm package geo-tz 8.1.9
ships them, made from OpenStreetMap data and licensed under the Open Database License (ODbL); the picture is a
produced work of it and says so in its text chunks. Coastlines are GSHHG's, standard offsets the computer's
time-zone database. Nothing of the data set goes into the repository or the program. Run it with Debian's own
interpreter after
    apt-get install g++ gmt-gshhg-low nodejs npm python3-netcdf4 python3-numpy python3-pil python3-scipy
    npm install --prefix SCRATCH geo-tz@8.1.9      (SCRATCH: any folder outside the repository)
Usage: tools/make_map.py SCRATCH/node_modules/geo-tz  (from the repository root; the search of the hot spots takes
three minutes or so)
"""

import colorsys
import os
import re
import sys

import numpy as np
from PIL import Image, ImageDraw, ImageFont, PngImagePlugin
from scipy import ndimage

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import map_hot_spots  # noqa: E402
import map_zones  # noqa: E402
from map_zones import HEIGHT, WEST, WIDTH  # noqa: E402

TWIPS_PER_PIXEL = 15
ATTRIBUTION = ("Time zones from the timezone-boundary-builder data set (ODbL), made from OpenStreetMap data "
               "(c) OpenStreetMap contributors; coastlines from GSHHG.")

# Palette: two sea colours for alternate 15-degree bands, FILLS land colours, label ground and label text. A land
# pixel is painted FILL0 + (its offset in quarter hours) mod FILLS, so zones up to two and a half hours apart never
# share a colour, and the same offset always has the same one.
SEA, SEA_ALT, FILL0, FILLS = 0, 1, 2, 11
LABEL_GROUND, LABEL_TEXT = FILL0 + FILLS, FILL0 + FILLS + 1


def palette():
    colours = [(40, 92, 160), (58, 116, 186)]
    for code in range(FILLS):
        # Neighbouring codes lie far apart on the colour wheel; every other one a little darker.
        hue = (code * 4 % FILLS) / FILLS
        red, green, blue = colorsys.hsv_to_rgb(hue, 0.36, 0.95 if code % 2 else 0.84)
        colours.append((int(red * 255), int(green * 255), int(blue * 255)))
    colours += [(250, 250, 250), (0, 0, 0)]
    return colours


def fill_of(offset):
    return FILL0 + int(round(offset * 4)) % FILLS


def label_of(offset):
    """As the clock settings window shows an offset: "0", "+5", "-3:30", "+5:45"."""
    if offset == 0:
        return "0"
    minutes = int(round(abs(offset) * 60))
    sign = "+" if offset > 0 else "-"
    if minutes % 60:
        return "%s%d:%02d" % (sign, minutes // 60, minutes % 60)
    return "%s%d" % (sign, minutes // 60)


# A 3 x 5 pixel face for the labels on land, where the ordinary face would not fit.
GLYPHS = {
    "0": ["111", "101", "101", "101", "111"], "1": ["010", "110", "010", "010", "111"],
    "2": ["111", "001", "111", "100", "111"], "3": ["111", "001", "111", "001", "111"],
    "4": ["101", "101", "111", "001", "001"], "5": ["111", "100", "111", "001", "111"],
    "6": ["111", "100", "111", "101", "111"], "7": ["111", "001", "010", "010", "010"],
    "8": ["111", "101", "111", "101", "111"], "9": ["111", "101", "111", "001", "111"],
    "+": ["000", "010", "111", "010", "000"], "-": ["000", "000", "111", "000", "000"],
    ":": ["0", "1", "0", "1", "0"],
}


def small_text(text):
    """The ink of text in the small face, as a (5, width) bool array."""
    columns = []
    for n, char in enumerate(text):
        if n:
            columns.append([False] * 5)
        glyph = GLYPHS[char]
        columns += [[row[i] == "1" for row in glyph] for i in range(len(glyph[0]))]
    return np.array(columns).T


def label_spot(inside, height, width):
    """The top left corner nearest the middle of inside where a height x width box lies wholly inside, or None."""
    # The sum over a box from a cumulative sum: height * width where every pixel of the box is inside.
    sums = np.pad(inside, ((1, 0), (1, 0))).cumsum(axis=0).cumsum(axis=1)
    room = sums[height:, width:] - sums[:-height, width:] - sums[height:, :-width] + sums[:-height, :-width]
    ys, xs = np.nonzero(room == height * width)
    if len(ys) == 0:
        return None
    middle_y, middle_x = ndimage.center_of_mass(inside)
    best = np.argmin((ys + height / 2 - middle_y) ** 2 + (xs + width / 2 - middle_x) ** 2)
    return ys[best], xs[best]


def place_land_labels(picture, land, offsets, least=60):
    """Labels each piece of land of one offset that is large enough with that offset, inside the piece and as near
    its middle as can be, with a pixel of the piece round it where there is room."""
    for offset in np.unique(offsets[land]):
        pieces, count = ndimage.label(land & (offsets == offset))
        ink = small_text(label_of(offset))
        for piece in range(1, count + 1):
            inside = pieces == piece
            if inside.sum() < least:
                continue
            for margin in (1, 0):
                corner = label_spot(inside, ink.shape[0] + 2 * margin, ink.shape[1] + 2 * margin)
                if corner is not None:
                    top, left = corner[0] + margin, corner[1] + margin
                    picture[top:top + ink.shape[0], left:left + ink.shape[1]][ink] = LABEL_TEXT
                    break


def place_sea_labels(image, land):
    """The offsets of the sea's 15-degree bands along the bottom, staggered, moved up where they would cover land."""
    draw = ImageDraw.Draw(image)
    font = ImageFont.load_default()
    for hour in range(-11, 13):
        label = label_of(hour)
        left, _, right, _ = draw.textbbox((0, 0), label, font=font)
        centre = (hour * 15.0 - WEST) * WIDTH / 360.0
        x = int(centre - (right - left) / 2)
        preferred = HEIGHT - 11 - 9 * (hour % 2)
        for top in range(preferred, preferred - 30, -1):
            if not land[top:top + 10, max(0, x - 1):x + right - left + 1].any():
                break
        else:
            top = preferred
        draw.rectangle([x - 1, top, x + right - left, top + 9], fill=LABEL_GROUND)
        draw.text((x, top - 1), label, fill=LABEL_TEXT, font=font)


def draw_picture(land, offsets):
    """The map picture: sea in alternate 15-degree bands, land in the colours of its offsets, and the labels."""
    bands = np.floor(((np.arange(WIDTH) + 0.5) * 360.0 / WIDTH) / 15.0).astype(int)
    picture = np.where(bands % 2 == 0, SEA, SEA_ALT)[None, :].repeat(HEIGHT, axis=0).astype(np.uint8)
    picture[land] = [fill_of(offset) for offset in offsets[land]]
    place_land_labels(picture, land, offsets)
    image = Image.fromarray(picture, "P")
    flat = [c for colour in palette() for c in colour]
    image.putpalette(flat + [0] * (48 - len(flat)))
    place_sea_labels(image, land)
    return image


def constants(header):
    """The integer constants of a header of the program: {"WaterGrey": 0, "GmtGrey": ..., ...}."""
    with open(header) as text:
        return {name: int(value) for name, value in re.findall(r"constexpr int (\w+) = (-?\d+);", text.read())}


def grid_coding():
    """The grey levels of the zone grid, as the program reads them."""
    return constants("src/zones/ZoneGridCoding.h")


def zone_grid(land, offsets):
    """One grey level a pixel: water, or the offset its land is painted with."""
    coding = grid_coding()
    grey = coding["GmtGrey"] + np.round(offsets * coding["StepsPerHour"])
    return Image.fromarray(np.where(land, grey, coding["WaterGrey"]).astype(np.uint8), "L")


def write_table(spots, path):
    lines = [
        "// Generated by tools/make_map.py together with assets/map.png; run the script again rather than editing.",
        '#include "zones/HotSpots.h"',
        "",
        "// clang-format off",
        "const std::array<HotSpot, HotSpotCount>& hotSpots()",
        "{",
        "    static const std::array<HotSpot, HotSpotCount> spots = {{",
    ]
    for number, offset, (top, bottom, left, right) in sorted(spots):
        lines.append("        {%d, %sf, %d, %d, %d, %d}," % (number, repr(float(offset)), left * TWIPS_PER_PIXEL,
                                                          top * TWIPS_PER_PIXEL, (right - left) * TWIPS_PER_PIXEL,
                                                          (bottom - top) * TWIPS_PER_PIXEL))
    lines += ["    }};", "    return spots;", "}", "// clang-format on", ""]
    with open(path, "w") as out:
        out.write("\n".join(lines))


def main(arguments):
    if len(arguments) != 2:
        sys.exit(__doc__)
    land, offsets = map_zones.world(arguments[1])
    text = PngImagePlugin.PngInfo()
    text.add_text("Source", ATTRIBUTION)
    draw_picture(land, offsets).save("assets/map.png", bits=4, optimize=True, pnginfo=text)
    zone_grid(land, offsets).save("assets/map_zones.png", optimize=True, pnginfo=text)
    spots, served = map_hot_spots.lay_out(land, offsets)
    count = constants("src/zones/HotSpots.h")["HotSpotCount"]
    assert sorted(n for n, _, _ in spots) == list(range(2, 2 + count)), "every hot spot needs a rectangle"
    write_table(spots, "src/zones/HotSpotTable.cpp")
    print("a click gives the painted offset on %d of %d land pixels of offered offsets, its band's offset or nothing "
          "on %d of %d water pixels" % served)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
