#pragma once

#include <QStringList>

#include <vector>

// The places the map lists for one offset, in the order they are added to the list.
struct ZoneRow
{
    float offset;
    QStringList places;
};

// All rows with places, west to east.
const std::vector<ZoneRow>& zoneRows();

// The places of an offset in the order they are added: the rows are tried in a fixed order with exact equality,
// so an offset with no row (-2, -12, +0.5 ...) has none.
QStringList placesAddedFor(float offset);

// The place list as the window shows it: sorted case-insensitively, accented letters beside their plain ones.
QStringList sortedPlaces(QStringList places);

// The sorted place list of an offset.
QStringList placeListFor(float offset);
