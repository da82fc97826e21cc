#!/usr/bin/python3
"""Draws the pictures of the About window and of the auto-correct note.

Writes, into assets/:
    globe.png      the turning globe of the About window: twelve 64x64 cells side by side (768x64), each turned
                   30 degrees further east than the one before, so that showing 0, 1, ..., 11 in turn spins it
                   the way the earth spins; the window opens on cell 10, which faces Europe and Africa
    bin.png        the waste bin the note is dragged onto (48x48), lid on
    bin2.png       the same bin after the drop, lid tilted open over a crumpled paper; same size and place
    note_drag.png  the drag icon of the note (32x32), a small sticky note with two lines of writing
The globe's coastlines are the GSHHG shorelines that tools/map_zones.py reads, so it needs the same Debian packages:
    apt-get install gmt-gshhg-low python3-netcdf4 python3-numpy python3-pil python3-scipy
Usage: tools/make_info_pictures.py  (Debian's /usr/bin/python3; from anywhere)
"""

import math
from pathlib import Path

import netCDF4
import numpy as np
from PIL import Image, ImageDraw

from map_zones import GSHHG, coast_segments

ASSETS = Path(__file__).resolve().parent.parent / "assets"

# The globe.
CELL, CELLS = 64, 12
RADIUS = 30.6  # in pixels; leaves room for the anti-aliased edge inside the cell
SUPER = 4  # samples per pixel across, for the edge and the coasts
PER_DEGREE = 6  # resolution of the land mask the globe is sampled from
TILT = 20.0  # latitude the viewer looks from, so that the northern lands lean towards the eye
FIRST_SHOWN, FIRST_SHOWN_LONGITUDE = 10, 15.0
SEA_COLOUR = np.array([34, 92, 176])
GREEN, BROWN, ICE = np.array([64, 142, 58]), np.array([164, 128, 72]), np.array([232, 238, 242])
AIR = np.array([170, 205, 250])  # the haze the limb fades into
LIGHT = np.array([-0.45, 0.5, 0.74]) / np.linalg.norm([-0.45, 0.5, 0.74])  # from the upper left, behind the eye

# The bin and the note are drawn this many times larger and then shrunk, which smooths their edges.
SCALE = 8
OUTLINE = (44, 50, 62)
STEEL_DARK, STEEL_LIGHT = (92, 104, 124), (206, 214, 228)
INSIDE = (52, 56, 66)
PAPER, PAPER_SHADOW, CREASE = (252, 252, 246), (196, 196, 186), (128, 128, 118)
NOTE, NOTE_EDGE, NOTE_FOLD, WRITING = (255, 236, 110), (196, 160, 40), (232, 198, 70), (70, 80, 120)


def land_mask():
    """Land of the whole earth, True where land, rows from 90N southwards and columns from 0E eastwards."""
    width, height = 360 * PER_DEGREE, 180 * PER_DEGREE
    fine = Image.new("L", (width, height), 0)
    draw = ImageDraw.Draw(fine)
    for lon, lat, _ in coast_segments():
        # The reader masks the odd point whose raw value equals netCDF's default fill; leaving it out and
        # joining its neighbours keeps the coast closed, where drawing it would streak across the earth.
        lon, lat = (np.ma.filled(v.astype(float), np.nan) for v in (lon, lat))
        kept = np.isfinite(lon) & np.isfinite(lat)
        draw.line(list(zip(lon[kept] * PER_DEGREE, (90.0 - lat[kept]) * PER_DEGREE)), fill=255, width=1)
    # The corners of the data's bins carry the level of the ground there: every water corner seeds the fill,
    # so that each sea and large lake is found without a hand-made list. Coast pixels count as land.
    data = netCDF4.Dataset(GSHHG)
    across = int(data["N_bins_in_360_longitude_range"][0])
    degrees = int(data["Bin_size_in_minutes"][0]) / 60.0
    levels = data["Embedded_node_levels_in_a_bin"][:].astype(np.int64)
    corners = ((9, 0, 0), (6, 1, 0), (3, 1, 1), (0, 0, 1))  # bit shift, steps east and north from the SW corner
    for b, packed in enumerate(levels):
        west, south = (b % across) * degrees, 90.0 - (b // across + 1) * degrees
        for shift, east, north in corners:
            if (packed >> shift) & 7 in (0, 2):
                x = min(width - 1, int((west + east * degrees) * PER_DEGREE))
                y = min(height - 1, int((90.0 - south - north * degrees) * PER_DEGREE))
                if fine.getpixel((x, y)) == 0:
                    ImageDraw.floodfill(fine, (x, y), 128)
    return np.array(fine) != 128


def land_colour(lat):
    """Green, browner in the dry belts around 25 degrees north and south, white near the poles."""
    dry = np.exp(-(((np.abs(lat) - 24.0) / 9.0) ** 2))[..., None]
    colour = GREEN * (1 - dry) + BROWN * dry
    return np.where((lat < -62.0)[..., None] | (lat > 74.0)[..., None], ICE, colour)


def globe_cell(land, centre_longitude):
    size = CELL * SUPER
    steps = (np.arange(size) + 0.5) / SUPER - CELL / 2
    x, y = np.meshgrid(steps / RADIUS, -steps / RADIUS)
    inside = x * x + y * y < 1.0
    z = np.sqrt(np.clip(1.0 - x * x - y * y, 0.0, 1.0))
    tilt = math.radians(TILT)
    lat = np.degrees(np.arcsin(np.clip(z * math.sin(tilt) + y * math.cos(tilt), -1.0, 1.0)))
    lon = centre_longitude + np.degrees(np.arctan2(x, z * math.cos(tilt) - y * math.sin(tilt)))
    rows = np.clip(((90.0 - lat) * PER_DEGREE).astype(int), 0, land.shape[0] - 1)
    columns = ((lon % 360.0) * PER_DEGREE).astype(int) % land.shape[1]
    on_land = land[rows, columns][..., None]
    colour = np.where(on_land, land_colour(lat), SEA_COLOUR)
    lit = np.clip(x * LIGHT[0] + y * LIGHT[1] + z * LIGHT[2], 0.0, 1.0)[..., None]
    colour = colour * (0.42 + 0.68 * lit ** 0.9)
    glint = np.where(on_land, 0.0, np.clip(lit - 0.93, 0.0, 1.0) / 0.07)  # the sun's reflection on the sea
    colour = colour + 70 * glint ** 2
    haze = ((1.0 - z) ** 2.5)[..., None] * 0.65
    colour = colour * (1 - haze) + AIR * haze * (0.5 + 0.5 * lit)
    weight = inside[..., None].astype(float)
    shrink = (CELL, SUPER, CELL, SUPER)
    alpha = weight.reshape(shrink + (1,)).mean(axis=(1, 3))
    premultiplied = (colour * weight).reshape(shrink + (3,)).mean(axis=(1, 3))
    rgb = np.where(alpha > 0, premultiplied / np.maximum(alpha, 1e-9), 0.0)
    return np.concatenate([np.clip(rgb, 0, 255), alpha * 255], axis=2)


def globe():
    land = land_mask()
    # The sun rises in the east: the longitude facing the viewer falls as the earth turns.
    cells = [globe_cell(land, FIRST_SHOWN_LONGITUDE - 30.0 * (cell - FIRST_SHOWN)) for cell in range(CELLS)]
    return Image.fromarray(np.round(np.concatenate(cells, axis=1)).astype(np.uint8), "RGBA")


class Sketch:
    """A transparent picture drawn in its final pixel units at SCALE times the size, shrunk when done."""

    def __init__(self, size):
        self.size = size
        self.image = Image.new("RGBA", (size * SCALE, size * SCALE), (0, 0, 0, 0))
        self.draw = ImageDraw.Draw(self.image)

    def fine(self, points):
        return [(x * SCALE, y * SCALE) for x, y in points]

    def fill(self, points, colour, edge=OUTLINE):
        self.draw.polygon(self.fine(points), fill=colour)
        if edge:
            self.line(points + points[:1], edge, 0.9)

    def line(self, points, colour, width):
        self.draw.line(self.fine(points), fill=colour, width=max(1, round(width * SCALE)), joint="curve")
        for x, y in (points[0], points[-1]):  # round ends
            r = width * SCALE / 2
            self.draw.ellipse([x * SCALE - r, y * SCALE - r, x * SCALE + r, y * SCALE + r], fill=colour)

    def shaded(self, points, left, right):
        """A metal surface lit from the upper left: darkest at the far edges, brightest a third of the way in."""
        xs = [x for x, _ in points]
        mask = Image.new("L", self.image.size, 0)
        ImageDraw.Draw(mask).polygon(self.fine(points), fill=255)
        across = (np.arange(self.image.size[0]) / SCALE - min(xs)) / max(1e-9, max(xs) - min(xs))
        light = np.clip(1.0 - np.abs(across - 0.35) * 1.6, 0.0, 1.0) ** 0.7
        shade = np.array(left) + (np.array(right) - np.array(left)) * light[:, None]
        band = np.broadcast_to(shade[None, :, :], (self.image.size[1],) + shade.shape)
        self.image.paste(Image.fromarray(band.astype(np.uint8), "RGB"), (0, 0), mask)
        self.line(points + points[:1], OUTLINE, 0.9)

    def finished(self):
        return self.image.resize((self.size, self.size), Image.BOX)


def arc(cx, cy, rx, ry, start, end, steps=24):
    """Points of an ellipse from angle start to end (degrees, 0 = east, 90 = south on screen)."""
    return [(cx + rx * math.cos(math.radians(a)), cy + ry * math.sin(math.radians(a)))
            for a in np.linspace(start, end, steps)]


def turned(points, pivot, degrees):
    px, py = pivot
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))
    return [(px + (x - px) * c - (y - py) * s, py + (x - px) * s + (y - py) * c) for x, y in points]


# The bin: a tapering steel can with a rim at RIM_Y and its bottom at FOOT_Y.
CENTRE, RIM_Y, RIM_RX, RIM_RY, FOOT_Y, FOOT_RX, FOOT_RY = 24.0, 21.0, 12.0, 3.2, 44.5, 9.4, 2.2


def bin_body(sketch):
    front_rim = arc(CENTRE, RIM_Y, RIM_RX, RIM_RY, 0, 180)
    foot = arc(CENTRE, FOOT_Y, FOOT_RX, FOOT_RY, 180, 0)
    sketch.shaded(front_rim + foot, STEEL_DARK, STEEL_LIGHT)
    for k in (-2, -1, 0, 1, 2):  # ribs, following the taper
        top = (CENTRE + k * RIM_RX * 0.36, RIM_Y + RIM_RY * 0.95 + 2.0)
        bottom = (CENTRE + k * FOOT_RX * 0.36, FOOT_Y + FOOT_RY * 0.9 - 2.5)
        sketch.line([top, bottom], STEEL_DARK, 0.9)


def lid():
    """The lid's outline and its top face, seated on the rim."""
    top_y, rx, ry, depth = RIM_Y - 3.0, RIM_RX + 1.4, RIM_RY + 0.4, 2.6
    outline = arc(CENTRE, top_y, rx, ry, 180, 360) + arc(CENTRE, top_y + depth, rx, ry, 0, 180)
    face = arc(CENTRE, top_y, rx, ry, 0, 360)
    handle = [(CENTRE - 4.5, top_y + 0.5), (CENTRE - 3.5, top_y - 3.5), (CENTRE + 3.5, top_y - 3.5),
              (CENTRE + 4.5, top_y + 0.5)]
    return outline, face, handle


def draw_lid(sketch, degrees=0.0):
    hinge = (CENTRE + RIM_RX + 1.4, RIM_Y)
    outline, face, handle = (turned(part, hinge, degrees) for part in lid())
    sketch.shaded(outline, STEEL_DARK, STEEL_LIGHT)
    sketch.fill(face, STEEL_LIGHT)
    sketch.line(handle, OUTLINE, 2.6)
    sketch.line(handle, STEEL_LIGHT, 1.0)


def closed_bin():
    sketch = Sketch(48)
    bin_body(sketch)
    draw_lid(sketch)
    return sketch.finished()


def crumpled_paper(sketch, cx, cy, r):
    angles = np.linspace(0, 2 * math.pi, 40)
    bumps = [1 + 0.12 * math.sin(5 * a) + 0.07 * math.cos(3 * a + 1) for a in angles]
    ball = [(cx + r * k * math.cos(a), cy + r * k * math.sin(a)) for a, k in zip(angles, bumps)]
    sketch.shaded(ball, PAPER_SHADOW, PAPER)
    creases = ([(-0.65, -0.25), (-0.2, -0.05), (0.1, -0.45), (0.55, -0.2)],
               [(-0.55, 0.35), (-0.1, 0.15), (0.3, 0.5)],
               [(0.05, -0.05), (0.25, 0.2), (0.6, 0.1)])
    for crease in creases:
        sketch.line([(cx + r * u, cy + r * v) for u, v in crease], CREASE, 0.7)


def opened_bin():
    sketch = Sketch(48)
    sketch.fill(arc(CENTRE, RIM_Y, RIM_RX, RIM_RY, 0, 360), INSIDE)
    draw_lid(sketch, 40.0)  # hinged at the back, so it stays behind the paper and the front rim
    crumpled_paper(sketch, CENTRE - 4.5, RIM_Y - 4.0, 5.8)
    bin_body(sketch)
    return sketch.finished()


def note_drag():
    sketch = Sketch(32)
    fold = 8.0
    left, top, right, bottom = 3.0, 3.5, 28.5, 28.0
    shadow = [(left + 1.5, top + 1.5), (right + 1.2, top + 1.5), (right + 1.2, bottom - fold + 1.5),
              (right - fold + 1.5, bottom + 1.2), (left + 1.5, bottom + 1.2)]
    sketch.fill(shadow, (0, 0, 0, 70), edge=None)
    sheet = [(left, top), (right, top), (right, bottom - fold), (right - fold, bottom), (left, bottom)]
    sketch.fill(sheet, NOTE, NOTE_EDGE)
    corner = [(right, bottom - fold), (right - fold + 1.0, bottom - fold + 1.0), (right - fold, bottom)]
    sketch.fill(corner, NOTE_FOLD, NOTE_EDGE)
    sketch.line([(left + 4.5, top + 7.5), (right - 4.5, top + 7.5)], WRITING, 1.6)
    sketch.line([(left + 4.5, top + 13.5), (right - 9.0, top + 13.5)], WRITING, 1.6)
    return sketch.finished()


def main():
    globe().save(ASSETS / "globe.png", optimize=True)
    closed_bin().save(ASSETS / "bin.png", optimize=True)
    opened_bin().save(ASSETS / "bin2.png", optimize=True)
    note_drag().save(ASSETS / "note_drag.png", optimize=True)


if __name__ == "__main__":
    main()
