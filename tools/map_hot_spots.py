"""Lays the clickable rectangles of the zone map over its land so that a click gives the offset painted there.

Each offset has a fixed set of hot spots (image numbers). The window cuts each hot spot to the shape of its zone:
within its rectangle it takes presses on water and on land painted with its own offset, and a press on another
zone's land falls through to the hot spots beneath. So a land pixel gives its painted offset exactly when one of
its offset's rectangles covers it, whatever lies over it. Where rectangles overlap on water, the one of smaller
area lies on top, and of two of the same area the higher number; a click on the sea should give its 15-degree
band's offset or nothing rather than a far zone's.

The rectangles of each offset first bound groups of its pieces of land, then a simulated annealing
(map_hot_spots.cpp) moves them: that every hot spot takes presses somewhere counts first, land covered by its
offset next, then water served well, and of layouts that serve alike the one of smaller rectangles. Every offset
painted on the map must have hot spots. Used by tools/make_map.py.
"""

import os
import subprocess
import tempfile

import numpy as np
from scipy import ndimage

# The hot spots of each offset, by image number. Every offset painted on the map has some: -11, -10 and +13 have one
# at each end of the picture, where their islands lie on either side of the date line.
HOT_SPOTS = {
    -12: [88], -11: [5, 89], -10: [4, 90], -9.5: [91], -9: [3, 6], -8: [7, 9], -7: [8, 10], -6: [11, 12, 85],
    -5: [13, 14, 82], -4: [15, 16, 20, 71], -3.5: [92], -3: [17, 18, 21], -2: [19], -1: [22, 23, 24],
    0: [25, 26, 79], 1: [27, 28, 29, 30, 80, 81], 2: [31, 32, 87], 3: [33, 34, 35], 3.5: [40, 74],
    4: [36, 37, 38, 39], 4.5: [43, 44], 5: [41, 42, 45, 77, 78], 5.5: [49, 51, 52], 5.75: [93],
    6: [46, 47, 48, 53, 73], 6.5: [94, 95], 7: [50, 54, 59, 86], 8: [55, 56, 57], 8.75: [96],
    9: [58, 60, 69, 83, 84], 9.5: [61], 10: [62, 63, 75, 76], 10.5: [97], 11: [2, 67, 68, 70, 72],
    12: [64, 65, 66], 12.75: [98], 13: [99, 100], 14: [101],
}
LEAST = 10  # pixels across, the smallest rectangle: the water round a small island takes its clicks too
PIXELS_PER_HOUR = 250 / 15  # the picture's 15 degrees an hour, -11 at the west edge
FARTHEST = 3 * PIXELS_PER_HOUR  # a rectangle's centre stays within three hours of its offset's meridian
ROUNDS = 4000000
# The annealing's temperature, in water pixels: from HOTTEST down to COLDEST over the rounds.
HOTTEST, COLDEST = 20.0, 0.2


def meridian(offset):
    """The pixel column of the middle of an offset's 15 degrees; +13 and +14 lie beyond the date line, at the
    picture's west end."""
    return (offset + 11.5) * PIXELS_PER_HOUR % (24 * PIXELS_PER_HOUR)


class Layout:
    """Rectangles (top, bottom, left, right in pixels, bottom and right exclusive) over the land and offsets of the
    map, and the score of what clicks give under them."""

    def __init__(self, land, offsets):
        self.height, self.width = land.shape
        self.offsets = sorted(HOT_SPOTS)
        self.numbers = np.array([n for o in self.offsets for n in HOT_SPOTS[o]])
        self.spot_offset = np.array([self.offsets.index(o) for o in self.offsets for _ in HOT_SPOTS[o]])
        codes = {o: i for i, o in enumerate(self.offsets)}
        # Land as the index of its offset, -1 where no hot spot offers it; water as -1.
        assert set(np.unique(offsets[land])) <= set(codes), "every painted offset has hot spots"
        self.wanted = np.where(land, np.vectorize(lambda o: codes.get(o, -1))(offsets), -1)
        self.counted = self.wanted >= 0
        self.water = ~land
        bands = np.floor((np.arange(self.width) + 0.5) * 360.0 / self.width / 15.0).astype(int) - 11
        self.sea_band = np.where(land, -1, np.array([codes.get(b, -1) for b in bands])[None, :])
        assert (self.sea_band[self.water] >= 0).all(), "every band of the sea has hot spots of its offset"
        self.boxes = np.zeros((len(self.numbers), 4), dtype=int)

    def spots_of(self, index):
        return [s for s in range(len(self.numbers)) if self.spot_offset[s] == index]

    def fits(self, index, box):
        """Inside the picture, large enough to hit, near its offset's meridian and holding land of its offset (cut to
        its zone, a rectangle over other zones' land alone would keep nothing)."""
        top, bottom, left, right = box
        if top < 0 or left < 0 or bottom > self.height or right > self.width:
            return False
        if bottom - top < LEAST or right - left < LEAST:
            return False
        # The world goes round: -11's rectangle may lie at the east edge, +12's at the west.
        away = abs((left + right) / 2 - meridian(self.offsets[index]))
        return min(away, self.width - away) < FARTHEST and (self.wanted[top:bottom, left:right] == index).any()

    def takers(self):
        """The hot spot that takes a press on each pixel, or -1: the topmost whose rectangle holds the pixel, where
        the pixel is water or land of the hot spot's offset."""
        taker = np.full((self.height, self.width), -1)
        areas = (self.boxes[:, 1] - self.boxes[:, 0]) * (self.boxes[:, 3] - self.boxes[:, 2])
        for spot in np.lexsort((self.numbers, -areas)):
            top, bottom, left, right = self.boxes[spot]
            inside = np.s_[top:bottom, left:right]
            taker[inside][self.water[inside] | (self.wanted[inside] == self.spot_offset[spot])] = spot
        return taker

    def served(self):
        """The hot spots that take no press anywhere, the land pixels of offered offsets whose click gives their
        offset, and the water pixels whose click gives their band's offset or nothing."""
        taker = self.takers()
        given = np.where(taker >= 0, self.spot_offset[taker], -1)
        unreached = len(self.numbers) - len(np.unique(taker[taker >= 0]))
        land = int((self.counted & (given == self.wanted)).sum())
        water = int(((self.sea_band >= 0) & ((given == self.sea_band) | (given < 0))).sum())
        return unreached, land, water


def bounding_box(mask):
    ys, xs = np.nonzero(mask)
    return ys.min(), ys.max() + 1, xs.min(), xs.max() + 1


def grown(box, height, width):
    top, bottom, left, right = box
    if bottom - top < LEAST:
        top = max(0, min(height - LEAST, (top + bottom - LEAST) // 2))
        bottom = top + LEAST
    if right - left < LEAST:
        left = max(0, min(width - LEAST, (left + right - LEAST) // 2))
        right = left + LEAST
    return top, bottom, left, right


def merged(a, b):
    return min(a[0], b[0]), max(a[1], b[1]), min(a[2], b[2]), max(a[3], b[3])


def area(box):
    return (box[1] - box[0]) * (box[3] - box[2])


def groups(layout, index):
    """Boxes round groups of the offset's pieces of land, no more than it has hot spots: the two groups whose
    joint box adds the least area join first. A group that can join no other within the hot spots' reach is given
    up, the smallest first (the Aleutians west of the picture's edge, beyond -10's one rectangle)."""
    pieces, count = ndimage.label(layout.wanted == index, structure=np.ones((3, 3)))
    found = []
    for piece in range(1, count + 1):
        box = bounding_box(pieces == piece)
        if layout.fits(index, grown(box, layout.height, layout.width)):
            found.append((box, int((pieces == piece).sum())))
    wanted = len(layout.spots_of(index))
    while len(found) > wanted:
        joins = [(area(merged(a, b)) - area(a) - area(b), i, j)
                 for i, (a, _) in enumerate(found) for j, (b, _) in enumerate(found[:i])
                 if layout.fits(index, grown(merged(a, b), layout.height, layout.width))]
        if joins:
            _, i, j = min(joins)
            found[j] = (merged(found[i][0], found[j][0]), found[i][1] + found[j][1])
            del found[i]
        else:
            del found[min(range(len(found)), key=lambda n: found[n][1])]
    return [grown(box, layout.height, layout.width) for box, _ in found]


def start(layout):
    """Each offset's rectangles first bound groups of its land; a hot spot left over starts as a small box over a
    pixel of its offset's land, from where the search moves it."""
    for index in range(len(layout.offsets)):
        boxes = groups(layout, index)
        ys, xs = np.nonzero(layout.wanted == index)
        spots = layout.spots_of(index)
        for n, spot in enumerate(spots):
            if n < len(boxes):
                layout.boxes[spot] = boxes[n]
            else:
                pick = len(ys) * n // len(spots)
                layout.boxes[spot] = grown((ys[pick], ys[pick] + 1, xs[pick], xs[pick] + 1), layout.height,
                                           layout.width)


def anneal(layout, rounds, seed=1):
    """Runs the search of map_hot_spots.cpp, built on the spot, from the layout's boxes; keeps the best found."""
    here = os.path.dirname(os.path.abspath(__file__))
    with tempfile.TemporaryDirectory() as scratch:
        program = os.path.join(scratch, "map_hot_spots")
        subprocess.run(["g++", "-O2", "-std=c++20", "-o", program, os.path.join(here, "map_hot_spots.cpp")],
                       check=True)
        # Land as the offset index it should give, or -1 when none can; water as -2 - its band's index.
        wanted = np.where(layout.water, -2 - layout.sea_band, layout.wanted)
        lines = ["%d %d" % wanted.shape, " ".join(map(str, wanted.ravel())), str(len(layout.numbers))]
        for spot, number in enumerate(layout.numbers):
            middle = meridian(layout.offsets[layout.spot_offset[spot]])
            lines.append("%d %d %f %d %d %d %d" % (layout.spot_offset[spot], number, middle, *layout.boxes[spot]))
        lines.append("%d %d %d %f %f %f" % (rounds, seed, LEAST, FARTHEST, HOTTEST, COLDEST))
        found = subprocess.run([program], input="\n".join(lines), capture_output=True, text=True, check=True)
    rows = found.stdout.split("\n")
    boxes = {int(row.split()[0]): [int(v) for v in row.split()[1:]] for row in rows[:len(layout.numbers)]}
    for spot, number in enumerate(layout.numbers):
        layout.boxes[spot] = boxes[number]
    unreached, land, water = layout.served()
    assert unreached == 0, "a hot spot takes no press anywhere"
    searched = tuple(int(v) for v in rows[len(layout.numbers)].split())
    assert (land, water) == searched, "the search and the window disagree"
    return land, water


def lay_out(land, offsets, rounds=ROUNDS):
    """[(number, offset, (top, bottom, left, right))] of every hot spot, and what clicks give under them: the land
    pixels of offered offsets served right with how many there are, and the water pixels served well with how many
    there are."""
    layout = Layout(land, offsets)
    start(layout)
    right, served = anneal(layout, rounds)
    spots = [(int(n), layout.offsets[layout.spot_offset[s]], tuple(int(v) for v in layout.boxes[s]))
             for s, n in enumerate(layout.numbers)]
    return spots, (right, int(layout.counted.sum()), served, int((layout.sea_band >= 0).sum()))
