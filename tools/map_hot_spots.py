"""Lays the clickable rectangles of the zone map over its land so that a click gives the offset painted there.

Each offset has a fixed set of hot spots (image numbers). The window stacks them by size: where two overlap, the
one of smaller area lies on top, and of two of the same area the higher number. The layout is searched for by
simulated annealing (map_hot_spots.cpp) on the number of land pixels whose click gives their painted offset; land
of an offset that no hot spot offers (-3.5, +6.5, +13 ...) is not counted, as no click can give it. The sea
counts a little too: a click there should give its 15-degree band's offset or nothing, not a far zone's. Used by
tools/make_map.py.
"""

import os
import subprocess
import tempfile

import numpy as np
from scipy import ndimage

# The hot spots of each offset, by image number.
HOT_SPOTS = {
    -11: [5], -10: [4], -9: [3, 6], -8: [7, 9], -7: [8, 10], -6: [11, 12, 85], -5: [13, 14, 82],
    -4: [15, 16, 20, 71], -3: [17, 18, 21], -2: [19], -1: [22, 23, 24], 0: [25, 26, 79],
    1: [27, 28, 29, 30, 80, 81], 2: [31, 32, 87], 3: [33, 34, 35], 3.5: [40, 74], 4: [36, 37, 38, 39],
    4.5: [43, 44], 5: [41, 42, 45, 77, 78], 5.5: [49, 51, 52], 6: [46, 47, 48, 53, 73], 7: [50, 54, 59, 86],
    8: [55, 56, 57], 9: [58, 60, 69, 83, 84], 9.5: [61], 10: [62, 63, 75, 76], 11: [2, 67, 68, 70, 72],
    12: [64, 65, 66],
}
LAND_WEIGHT = 100  # a land pixel served right counts as much as this many sea pixels
LEAST = 10  # pixels across, the smallest rectangle that is still easy to hit
PIXELS_PER_HOUR = 250 / 15  # the picture's 15 degrees an hour, -11 at the west edge
FARTHEST = 3 * PIXELS_PER_HOUR  # a rectangle's centre stays within three hours of its offset's meridian


def meridian(offset):
    """The pixel column of the middle of an offset's 15 degrees."""
    return (offset + 11.5) * PIXELS_PER_HOUR


class Layout:
    """Rectangles (top, bottom, left, right in pixels, bottom and right exclusive) and what a click on each pixel
    gives under them, as an index into offsets or -1 for nothing."""

    def __init__(self, land, offsets):
        self.height, self.width = land.shape
        self.offsets = sorted(HOT_SPOTS)
        self.numbers = np.array([n for o in self.offsets for n in HOT_SPOTS[o]])
        self.spot_offset = np.array([self.offsets.index(o) for o in self.offsets for _ in HOT_SPOTS[o]])
        codes = {o: i for i, o in enumerate(self.offsets)}
        self.wanted = np.vectorize(lambda o: codes.get(o, -1))(offsets)
        # Land of an offset that no hot spot offers is left out of the count: no click can give it.
        self.counted = land & (self.wanted >= 0)
        bands = np.floor((np.arange(self.width) + 0.5) * 360.0 / self.width / 15.0).astype(int) - 11
        self.sea_band = np.where(land, -1, np.array([codes.get(b, -1) for b in bands])[None, :])
        self.boxes = np.zeros((len(self.numbers), 4), dtype=int)
        self.given = None

    def stacking(self, spots):
        """The given spots from the bottom of the stack to its top."""
        boxes = self.boxes[spots]
        areas = (boxes[:, 1] - boxes[:, 0]) * (boxes[:, 3] - boxes[:, 2])
        return spots[np.lexsort((self.numbers[spots], -areas))]

    def clicks(self, region):
        top, bottom, left, right = region
        given = np.full((bottom - top, right - left), -1)
        b = self.boxes
        over = np.nonzero((b[:, 0] < bottom) & (b[:, 1] > top) & (b[:, 2] < right) & (b[:, 3] > left))[0]
        for spot in self.stacking(over):
            t, u, l, r = self.boxes[spot]
            t, u, l, r = max(t, top), min(u, bottom), max(l, left), min(r, right)
            given[t - top:u - top, l - left:r - left] = self.spot_offset[spot]
        return given

    def right_in(self, region, given):
        top, bottom, left, right = region
        return int(((given == self.wanted[top:bottom, left:right]) & self.counted[top:bottom, left:right]).sum())

    def whole(self):
        return 0, self.height, 0, self.width

    def refresh(self):
        """Land pixels served right now, and the score of the search: those weighted, and sea pixels served well."""
        self.given = self.clicks(self.whole())
        sea_served = (self.sea_band >= 0) & ((self.given == self.sea_band) | (self.given < 0))
        right = self.right_in(self.whole(), self.given)
        return right, right * LAND_WEIGHT + int(sea_served.sum())

    def fits(self, spot, box):
        top, bottom, left, right = box
        if top < 0 or left < 0 or bottom > self.height or right > self.width:
            return False
        if bottom - top < LEAST or right - left < LEAST:
            return False
        return abs((left + right) / 2 - meridian(self.offsets[self.spot_offset[spot]])) < FARTHEST


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


def start(layout, offsets):
    """Each offset's rectangles first lie over its largest pieces of land."""
    for index, offset in enumerate(layout.offsets):
        spots = [s for s in range(len(layout.numbers)) if layout.spot_offset[s] == index]
        mask = layout.counted & (offsets == offset)
        pieces, count = ndimage.label(mask)
        sizes = ndimage.sum(mask, pieces, range(1, count + 1)) if count else []
        largest = list(np.argsort(sizes)[::-1] + 1)
        for n, spot in enumerate(spots):
            if n < len(largest):
                box = bounding_box(pieces == largest[n])
            else:
                box = (0, LEAST, 0, LEAST)
            box = grown(box, layout.height, layout.width)
            if not layout.fits(spot, box):
                middle = int(meridian(offset))
                box = grown((box[0], box[1], middle, middle + 1), layout.height, layout.width)
            layout.boxes[spot] = box


def anneal(layout, rounds, seed=1):
    """Runs the search of map_hot_spots.cpp, built on the spot, from the layout's boxes; keeps the best found."""
    here = os.path.dirname(os.path.abspath(__file__))
    with tempfile.TemporaryDirectory() as scratch:
        program = os.path.join(scratch, "map_hot_spots")
        subprocess.run(["g++", "-O2", "-std=c++20", "-o", program, os.path.join(here, "map_hot_spots.cpp")],
                       check=True)
        # Land as the offset index it should give, sea as -2 - its band's index, -1 not counted.
        wanted = np.where(layout.counted, layout.wanted, np.where(layout.sea_band >= 0, -2 - layout.sea_band, -1))
        lines = ["%d %d" % wanted.shape, " ".join(map(str, wanted.ravel())), str(len(layout.numbers))]
        for spot, number in enumerate(layout.numbers):
            middle = meridian(layout.offsets[layout.spot_offset[spot]])
            lines.append("%d %d %f %d %d %d %d" % (layout.spot_offset[spot], number, middle, *layout.boxes[spot]))
        lines.append("%d %d %d %f %d" % (rounds, seed, LEAST, FARTHEST, LAND_WEIGHT))
        found = subprocess.run([program], input="\n".join(lines), capture_output=True, text=True, check=True)
    rows = found.stdout.split("\n")
    boxes = {int(row.split()[0]): [int(v) for v in row.split()[1:]] for row in rows[:len(layout.numbers)]}
    for spot, number in enumerate(layout.numbers):
        layout.boxes[spot] = boxes[number]
    right, score = layout.refresh()
    assert score == int(rows[len(layout.numbers)]), "the search and the window's stacking disagree"
    return right


def lay_out(land, offsets, rounds=20000000):
    """[(number, offset, (top, bottom, left, right))] of every hot spot, and the land pixels of offered offsets a
    click serves right with how many there are."""
    layout = Layout(land, offsets)
    start(layout, offsets)
    right = anneal(layout, rounds)
    spots = [(int(n), layout.offsets[layout.spot_offset[s]], tuple(int(v) for v in layout.boxes[s]))
             for s, n in enumerate(layout.numbers)]
    return spots, (right, int(layout.counted.sum()))
