#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// A place of the zone table and the tz database zone that keeps its time.
struct PlaceZone
{
    const char* place; // the table's spelling, Windows-1252
    const char* zoneId;
};

const std::vector<PlaceZone>& placeZones();

// The zone of a clock caption that is one of the table's places, else empty.
QByteArray placeZoneId(const QString& place);
