#pragma once

#include <array>

// One clickable area of the zone map: image number (2 to 101), the offset it stands for, and its rectangle in twips
// of the map, whose picture starts at the map's top left corner.
struct HotSpot
{
    int number;
    float offset;
    int left;
    int top;
    int width;
    int height;
};

constexpr int HotSpotCount = 100;
// The map picture, as tools/make_map.py draws it, spans the world once: it repeats after this width in twips.
constexpr int MapPictureWidth = 6000;

// Laid out together with the map picture and its zone grid: the rectangles of an offset cover the land painted with
// it, and the clock settings window cuts each to the shape of its zone.
const std::array<HotSpot, HotSpotCount>& hotSpots();
