#pragma once

// How the zone grid beside the map picture (map_zones.png) codes each pixel of the picture as a grey level.
// tools/make_map.py reads these lines to write the grid, so they stay one definition.
namespace ZoneGridCoding {

// Water: sea and lakes.
constexpr int WaterGrey = 0;
// Land: the grey of GMT plus the offset its zone is painted with, in steps of a quarter hour.
constexpr int GmtGrey = 128;
constexpr int StepsPerHour = 4;

} // namespace ZoneGridCoding
