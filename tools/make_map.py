#!/usr/bin/python3
"""Draws the time-zone map of the clock settings window and lays out its hot spots.

Writes assets/map.png (400 x 181 pixels, 16 colours) and src/zones/HotSpotTable.cpp, the rectangles that the
window lays over the picture. The coastlines come from the GSHHG shorelines that Debian ships; run it with
Debian's own interpreter after
    apt-get install gmt-gshhg-low python3-netcdf4 python3-numpy python3-pil
Usage: tools/make_map.py  (from the repository root)
"""

import sys

import netCDF4
import numpy as np
from PIL import Image, ImageDraw, ImageFont

GSHHG = "/usr/share/gmt-gshhg/binned_GSHHS_l.nc"
WIDTH, HEIGHT = 400, 181
WEST = -172.5  # the west edge of the -11 zone; the picture spans exactly 360 degrees from here
NORTH, SOUTH = 83.0, -62.0
SCALE = 4  # coastlines are drawn finer than the picture, so that narrow straits stay open
TWIPS_PER_PIXEL = 15

PALETTE = [
    (40, 92, 160), (58, 116, 186),  # sea, alternate bands
    (236, 220, 120), (170, 212, 120), (238, 176, 110), (212, 168, 208),  # land, alternate bands
    (236, 120, 120),  # land of the half-hour zones
    (30, 40, 60),  # coast
    (250, 250, 250),  # label ground
    (0, 0, 0),  # label text
    (22, 60, 112),  # band border on sea
    (120, 110, 70),  # band border on land
]
SEA, SEA_ALT, LAND0, HALF, COAST, LABEL_GROUND, LABEL_TEXT, SEA_BORDER, LAND_BORDER = 0, 1, 2, 6, 7, 8, 9, 10, 11

# Where local time departs from the plain 15-degree bands: (west, east, south, north, offset); first match wins.
REGIONS = [
    (44.0, 61.5, 25.0, 39.7, 3.5),  # Iran
    (61.5, 74.5, 29.5, 38.5, 4.5),  # Afghanistan
    (71.0, 88.0, 8.0, 31.0, 5.5),  # India
    (68.0, 71.0, 20.0, 24.0, 5.5),
    (79.5, 82.0, 5.5, 10.0, 5.5),  # Sri Lanka
    (129.0, 141.0, -38.5, -10.5, 9.5),  # central Australia
    (112.0, 129.0, -36.0, -12.0, 8.0),  # western Australia
    (124.0, 131.0, 33.0, 43.0, 9.0),  # Korea
    (97.5, 135.0, 20.0, 53.5, 8.0),  # China
    (156.0, 191.0, 50.0, 72.0, 12.0),  # Kamchatka and the far north-east
    (143.0, 156.0, 55.0, 72.0, 11.0),  # Magadan
    (33.0, 52.0, -12.0, 15.0, 3.0),  # east Africa
    (28.0, 60.0, 45.0, 72.0, 3.0),  # Moscow's Russia
    (-170.0, -141.0, 54.0, 72.0, -9.0),  # Alaska
    (-9.5, -6.5, 36.0, 43.0, 0.0),  # Portugal
    (-11.0, 2.0, 49.5, 61.0, 0.0),  # Britain and Ireland
    (-7.5, 22.0, 36.0, 71.0, 1.0),  # central Europe
    (-70.0, -52.5, -56.0, -27.5, -3.0),  # the southern cone of America
    (-86.0, -82.5, 25.0, 50.0, -5.0),  # the eastern states
]

# The hot spots of each offset, by image number.
HOT_SPOTS = {
    -11: [5], -10: [4], -9: [3, 6], -8: [7, 9], -7: [8, 10], -6: [11, 12, 85], -5: [13, 14, 82],
    -4: [15, 16, 20, 71], -3: [17, 18, 21], -2: [19], -1: [22, 23, 24], 0: [25, 26, 79],
    1: [27, 28, 29, 30, 80, 81], 2: [31, 32, 87], 3: [33, 34, 35], 3.5: [40, 74], 4: [36, 37, 38, 39],
    4.5: [43, 44], 5: [41, 42, 45, 77, 78], 5.5: [49, 51, 52], 6: [46, 47, 48, 53, 73], 7: [50, 54, 59, 86],
    8: [55, 56, 57], 9: [58, 60, 69, 83, 84], 9.5: [61], 10: [62, 63, 75, 76], 11: [2, 67, 68, 70, 72],
    12: [64, 65, 66],
}


def coast_segments():
    data = netCDF4.Dataset(GSHHG)
    bins_across = int(data["N_bins_in_360_longitude_range"][0])
    bin_degrees = int(data["Bin_size_in_minutes"][0]) / 60.0
    first_segment = data["Id_of_first_segment_in_a_bin"][:]
    segment_count = data["N_segments_in_a_bin"][:]
    segment_info = data["Embedded_npts_levels_exit_entry_for_a_segment"][:]
    first_point = data["Id_of_first_point_in_a_segment"][:]
    dx = data["Relative_longitude_from_SW_corner_of_bin"][:].astype(np.int64) & 0xFFFF
    dy = data["Relative_latitude_from_SW_corner_of_bin"][:].astype(np.int64) & 0xFFFF
    for b in range(len(first_segment)):
        west = (b % bins_across) * bin_degrees
        south = 90.0 - (b // bins_across + 1) * bin_degrees
        for s in range(first_segment[b], first_segment[b] + segment_count[b]):
            points = int(segment_info[s]) >> 9
            start = int(first_point[s])
            lon = west + dx[start:start + points] * bin_degrees / 65535.0
            lat = south + dy[start:start + points] * bin_degrees / 65535.0
            yield lon, lat, (int(segment_info[s]) >> 6) & 7


def to_pixel(lon, lat, scale=1):
    x = ((lon - WEST) % 360.0) * WIDTH / 360.0
    y = (NORTH - lat) * HEIGHT / (NORTH - SOUTH)
    return x * scale, y * scale


def land_mask():
    fine = Image.new("L", (WIDTH * SCALE, HEIGHT * SCALE), 0)
    draw = ImageDraw.Draw(fine)
    for lon, lat, level in coast_segments():
        xs, ys = to_pixel(lon, lat, SCALE)
        points = list(zip(xs, ys))
        # Lake shores keep the sea out while filling but are not drawn: at this size they would only speckle the land.
        ink = 255 if level in (1, 3) else 64
        for a, b in zip(points, points[1:]):
            if abs(a[0] - b[0]) < WIDTH * SCALE / 2:  # a segment that crosses the picture's edge is not drawn across it
                draw.line([a, b], fill=ink, width=2)
    seas = [(-150, 0), (-30, 30), (-30, -40), (80, -30), (160, 20), (0, 80), (-60, 60), (18, 35), (35, 43),
            (38, 20), (51, 27), (20, 58), (-85, 60), (-150, -55), (135, 40), (-90, 25), (112, 12)]
    for lon, lat in seas:
        x, y = to_pixel(lon, lat, SCALE)
        if fine.getpixel((int(x), int(y))) == 0:
            ImageDraw.floodfill(fine, (int(x), int(y)), 128)
    cells = np.array(fine).reshape(HEIGHT, SCALE, WIDTH, SCALE).transpose(0, 2, 1, 3).reshape(HEIGHT, WIDTH, -1)
    sea = (cells == 128).sum(axis=2)
    coast = (cells == 255).sum(axis=2)
    return sea < SCALE * SCALE // 2, coast > SCALE * SCALE // 3


def offset_of(lon, lat):
    for west, east, south, north, offset in REGIONS:
        if west <= lon <= east and south <= lat <= north:
            return offset
    return float(int(np.floor((lon + 7.5) / 15.0)))


def pixel_offsets():
    offsets = np.zeros((HEIGHT, WIDTH))
    for y in range(HEIGHT):
        lat = NORTH - (y + 0.5) * (NORTH - SOUTH) / HEIGHT
        for x in range(WIDTH):
            lon = WEST + (x + 0.5) * 360.0 / WIDTH
            offsets[y, x] = offset_of(lon, lat) if lon < 180.0 else offset_of(lon - 360.0, lat) + 0.0
            if offsets[y, x] < -11:
                offsets[y, x] += 24  # east of the date line the far north-east belongs to +12
    return offsets


def draw_picture(land, coast, offsets):
    picture = np.zeros((HEIGHT, WIDTH), dtype=np.uint8)
    for y in range(HEIGHT):
        for x in range(WIDTH):
            offset = offsets[y, x]
            band = int(np.floor(offset))
            if not land[y, x]:
                picture[y, x] = SEA if band % 2 == 0 else SEA_ALT
            elif offset != band:
                picture[y, x] = HALF
            else:
                picture[y, x] = LAND0 + band % 4
            if coast[y, x]:
                picture[y, x] = COAST
            elif x > 0 and offsets[y, x - 1] != offset:
                picture[y, x] = LAND_BORDER if land[y, x] else SEA_BORDER
    image = Image.fromarray(picture, "P")
    flat = [c for colour in PALETTE for c in colour]
    image.putpalette(flat + [0] * (48 - len(flat)))
    draw = ImageDraw.Draw(image)
    font = ImageFont.load_default()
    for hour in range(-11, 13):
        label = "0" if hour == 0 else "%+d" % hour
        centre = (hour * 15.0 - WEST) * WIDTH / 360.0
        # Neighbouring labels are staggered: at this size a label is wider than its band.
        for top in (1 + 9 * (hour % 2), HEIGHT - 11 - 9 * (hour % 2)):
            left, _, right, bottom = draw.textbbox((0, 0), label, font=font)
            x = int(centre - (right - left) / 2)
            draw.rectangle([x - 1, top, x + right - left, top + 9], fill=LABEL_GROUND)
            draw.text((x, top - 1), label, fill=LABEL_TEXT, font=font)
    return image


def shrink(mask, box):
    top, bottom, left, right = box
    ys, xs = np.nonzero(mask[top:bottom, left:right])
    if len(ys) == 0:
        return None
    return (top + ys.min(), top + ys.max() + 1, left + xs.min(), left + xs.max() + 1)


def components(mask):
    seen = np.zeros(mask.shape, dtype=bool)
    found = []
    for y, x in zip(*np.nonzero(mask)):
        if seen[y, x]:
            continue
        stack, pixels = [(y, x)], []
        seen[y, x] = True
        while stack:
            cy, cx = stack.pop()
            pixels.append((cy, cx))
            for ny, nx in ((cy + 1, cx), (cy - 1, cx), (cy, cx + 1), (cy, cx - 1)):
                if 0 <= ny < HEIGHT and 0 <= nx < WIDTH and mask[ny, nx] and not seen[ny, nx]:
                    seen[ny, nx] = True
                    stack.append((ny, nx))
        ys, xs = zip(*pixels)
        found.append((len(pixels), (min(ys), max(ys) + 1, min(xs), max(xs) + 1)))
    return found


def hot_spot_boxes(mask, count):
    """count boxes over the land of one zone: its largest land masses, the tallest split until there are enough."""
    parts = sorted(components(mask), reverse=True)
    boxes = [box for size, box in parts[:count] if size >= 4] or [box for _, box in parts[:1]]
    while len(boxes) < count:
        tallest = max(boxes, key=lambda b: b[1] - b[0])
        top, bottom, left, right = tallest
        if bottom - top < 4:
            boxes.append(tallest)
            continue
        middle = (top + bottom) // 2
        halves = [shrink(mask, (top, middle, left, right)), shrink(mask, (middle, bottom, left, right))]
        halves = [h for h in halves if h]
        boxes.remove(tallest)
        boxes.extend(halves if len(halves) == 2 else [tallest, tallest])
    return sorted(boxes, key=lambda b: (b[0], b[2]))


def grown(box, least=10):
    top, bottom, left, right = box
    if bottom - top < least:
        top = max(0, (top + bottom - least) // 2)
        bottom = min(HEIGHT, top + least)
    if right - left < least:
        left = max(0, (left + right - least) // 2)
        right = min(WIDTH, left + least)
    return top, bottom, left, right


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


def main():
    land, coast = land_mask()
    offsets = pixel_offsets()
    draw_picture(land, coast, offsets).save("assets/map.png", bits=4, optimize=True)
    labels = np.zeros(land.shape, dtype=bool)
    labels[:20, :] = labels[-20:, :] = True
    spots = []
    for offset, numbers in HOT_SPOTS.items():
        zone = (offsets == offset) & (land | coast) & ~labels
        if not zone.any():
            zone = (offsets == offset) & ~labels
        for number, box in zip(numbers, hot_spot_boxes(zone, len(numbers))):
            spots.append((number, offset, grown(box)))
    assert sorted(n for n, _, _ in spots) == list(range(2, 88)), "every hot spot needs a rectangle"
    write_table(spots, "src/zones/HotSpotTable.cpp")


if __name__ == "__main__":
    sys.exit(main())
