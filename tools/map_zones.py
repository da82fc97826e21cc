"""The world as the zone map shows it: which pixels are land, and the offset each pixel is painted with.

Coastlines come from Debian's GSHHG shorelines; time-zone boundaries from the timezone-boundary-builder data set
that the npm package geo-tz ships, looked up with that package's own code under node; each zone's standard offset
from the computer's time-zone database. Used by tools/make_map.py.
"""

import datetime
import os
import subprocess
import tempfile
import zoneinfo

import netCDF4
import numpy as np
from PIL import Image, ImageDraw
from scipy import ndimage

GSHHG = "/usr/share/gmt-gshhg/binned_GSHHS_l.nc"
WIDTH, HEIGHT = 400, 181
WEST = -172.5  # the west edge of the -11 zone; the picture spans exactly 360 degrees from here
NORTH, SOUTH = 83.0, -62.0
SCALE = 4  # land and zones are sampled this much finer than the picture, SCALE x SCALE samples a pixel
# The map shows the zones of 2026. Standard time is the smaller of a winter and a summer offset: zones whose data
# calls winter time the exception (Dublin) count as on standard time in winter like the rest.
STANDARD_DAYS = (datetime.datetime(2026, 1, 15, 12), datetime.datetime(2026, 7, 15, 12))

ATOLL_GROUP = 24  # pixels at most of a group of atolls that only the zones' waters show

# Points in the open sea; everything connected to them is sea.
SEAS = [(-150, 0), (-30, 30), (-30, -40), (80, -30), (160, 20), (0, 80), (-60, 60), (18, 35), (35, 43), (38, 20),
        (51, 27), (20, 58), (-85, 60), (-150, -55), (135, 40), (-90, 25), (112, 12), (-175, 82.5)]
# Lakes large enough to show at this size: the Caspian, the Great Lakes, Victoria, Baikal, Great Bear and Great
# Slave, Winnipeg, Ladoga, Tanganyika and Malawi.
LAKES = [(51, 42), (-87.5, 47.7), (-87, 44), (-82.3, 44.8), (-81.2, 42.2), (-77.8, 43.6), (33, -1), (108, 53.5),
         (-121, 66), (-114, 61.5), (-98, 52.5), (31.5, 61), (29.5, -6), (34.5, -12)]

# Runs geo-tz over the sample points of a file of float64 (latitude, longitude) pairs, one line of zones each.
LOOKUP_JS = r"""
const fs = require('fs');
const { find } = require(process.argv[1] + '/dist/find-now.js');
const points = new Float64Array(fs.readFileSync(process.argv[2]).buffer.slice(0));
const lines = [];
for (let i = 0; i < points.length; i += 2) {
  lines.push(find(points[i], points[i + 1]).join(','));
}
fs.writeFileSync(process.argv[3], lines.join('\n') + '\n');
"""


def to_pixel(lon, lat, scale=1):
    x = ((lon - WEST) % 360.0) * WIDTH / 360.0
    y = (NORTH - lat) * HEIGHT / (NORTH - SOUTH)
    return x * scale, y * scale


def sample_coordinates():
    """Longitudes and latitudes of the fine samples, each as a (HEIGHT * SCALE, WIDTH * SCALE) array."""
    xs = WEST + (np.arange(WIDTH * SCALE) + 0.5) * 360.0 / (WIDTH * SCALE)
    ys = NORTH - (np.arange(HEIGHT * SCALE) + 0.5) * (NORTH - SOUTH) / (HEIGHT * SCALE)
    lon, lat = np.meshgrid(xs, ys)
    return np.where(lon >= 180.0, lon - 360.0, lon), lat


def coast_segments():
    """Longitudes, latitudes and level (1 land, 2 lake, 3 island in a lake ...) of each shoreline segment."""
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
            known = ~(np.ma.getmaskarray(lon) | np.ma.getmaskarray(lat))  # the file leaves a few points out
            yield np.asarray(lon)[known], np.asarray(lat)[known], (int(segment_info[s]) >> 6) & 7


def fine_land():
    """Land of the fine samples: shorelines drawn, then the seas and large lakes flooded from points in them."""
    fine = Image.new("L", (WIDTH * SCALE, HEIGHT * SCALE), 0)
    draw = ImageDraw.Draw(fine)
    for lon, lat, _ in coast_segments():
        xs, ys = to_pixel(lon, lat, SCALE)
        points = list(zip(xs, ys))
        for a, b in zip(points, points[1:]):
            jump = b[0] - a[0]
            if abs(jump) < WIDTH * SCALE / 2:
                draw.line([a, b], fill=255, width=2)
            else:  # a segment that crosses the picture's edge is drawn out of both sides
                across = -WIDTH * SCALE if jump > 0 else WIDTH * SCALE
                draw.line([a, (b[0] + across, b[1])], fill=255, width=2)
                draw.line([(a[0] - across, a[1]), b], fill=255, width=2)
    for lon, lat in SEAS + LAKES:
        x, y = to_pixel(lon, lat, SCALE)
        if fine.getpixel((int(x), int(y))) == 0:
            ImageDraw.floodfill(fine, (int(x), int(y)), 128)
    return np.array(fine) != 128


def per_pixel(fine):
    """The SCALE x SCALE samples of each pixel, as the last axis of a (HEIGHT, WIDTH, SCALE * SCALE) array."""
    return fine.reshape(HEIGHT, SCALE, WIDTH, SCALE).transpose(0, 2, 1, 3).reshape(HEIGHT, WIDTH, -1)


def pixels_of(samples, box, label):
    """The pixel numbers (y * WIDTH + x) of the samples of one labelled piece, one entry per sample."""
    ys, xs = np.nonzero(samples[box] == label)
    return (ys + box[0].start) // SCALE * WIDTH + (xs + box[1].start) // SCALE


def land_pixels(fine, ocean):
    """Pixels that are at least half land, and those of islands too small for that: one pixel for each island the
    shorelines hold, and, away from the coasts, pixels an eighth full of a land zone's waters, for the atolls that
    the shorelines leave out."""
    half_full = per_pixel(fine).sum(axis=2) * 2 >= SCALE * SCALE
    land = half_full.copy()
    islands, _ = ndimage.label(fine)
    for island, box in enumerate(ndimage.find_objects(islands), start=1):
        pixels = pixels_of(islands, box, island)
        if not land.ravel()[pixels].any():
            land.ravel()[np.bincount(pixels).argmax()] = True
    around = np.ones((3, 3), dtype=bool)
    waters = per_pixel(~ocean & ~fine).sum(axis=2) * 8 >= SCALE * SCALE
    waters &= ~ndimage.binary_dilation(half_full, structure=around)
    # Only small groups: wider waters are a lake's, or a zone drawn out over the open sea.
    groups, _ = ndimage.label(waters, structure=around)
    sizes = np.bincount(groups.ravel())
    return land | (waters & (sizes[groups] <= ATOLL_GROUP))


def look_up_zones(geo_tz, lon, lat):
    """The zone names of each sample, as an index array and the list of names it points into."""
    with tempfile.TemporaryDirectory() as scratch:
        points = os.path.join(scratch, "points")
        answers = os.path.join(scratch, "zones")
        np.stack([lat.ravel(), lon.ravel()], axis=1).astype(np.float64).tofile(points)
        subprocess.run(["node", "-e", LOOKUP_JS, geo_tz, points, answers], check=True)
        with open(answers) as lines:
            found = [line.rstrip("\n").split(",") for line in lines]
    # Where the data set gives two zones (Xinjiang keeps Beijing's time and its own; Abkhazia), the map paints
    # the zone that covers more of the world elsewhere: the country's official time.
    alone = {}
    for zones in found:
        if len(zones) == 1:
            alone[zones[0]] = alone.get(zones[0], 0) + 1
    names = sorted({zone for zones in found for zone in zones})
    index = {name: i for i, name in enumerate(names)}
    chosen = [index[max(zones, key=lambda z: (alone.get(z, 0), z))] for zones in found]
    return np.array(chosen).reshape(lon.shape), names


def standard_offset(name):
    zone = zoneinfo.ZoneInfo(name)
    return min(day.replace(tzinfo=zone).utcoffset().total_seconds() / 3600.0 for day in STANDARD_DAYS)


def pixel_offsets(voters, zone_samples, names):
    """Each pixel's offset: the most common among its voting samples, or among all of them where it has none. Zones
    a quarter hour off the hour (Nepal, Eucla, Chatham) keep their own offsets."""
    quarters = np.array([round(standard_offset(name) * 4) for name in names])
    samples = per_pixel(quarters[zone_samples])
    on_land = per_pixel(voters)
    codes = np.arange(quarters.min(), quarters.max() + 1)
    votes = (samples[..., None] == codes).sum(axis=2)
    land_votes = ((samples[..., None] == codes) & on_land[..., None]).sum(axis=2)
    votes = np.where(on_land.any(axis=2)[..., None], land_votes, votes)
    return codes[votes.argmax(axis=2)] / 4.0


def world(geo_tz):
    """land (HEIGHT, WIDTH) bool and offsets (HEIGHT, WIDTH) of the map; geo_tz is the folder of the npm package."""
    fine = fine_land()
    lon, lat = sample_coordinates()
    zone_samples, names = look_up_zones(geo_tz, lon, lat)
    ocean = np.array([name.startswith("Etc/") for name in names])[zone_samples]
    land = land_pixels(fine, ocean)
    # An atoll's pixel has no shore samples of its own: there its zone's waters say which zone it is.
    voters = fine | (np.kron(land, np.ones((SCALE, SCALE), dtype=bool)) & ~ocean)
    return land, pixel_offsets(voters, zone_samples, names)
