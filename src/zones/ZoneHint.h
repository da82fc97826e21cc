#pragma once

#include <QString>

#include <optional>

class QDateTime;

// What the computer's time-zone database says about a clock, in a line for the user; disagrees is set when the
// clock, as the user set it, does not show the time the database gives for now.
struct ZoneHint
{
    QString text;
    bool disagrees = false;
};

// "GMT+5", "GMT-3:30", "GMT+0".
QString gmtOffsetName(int minutesEast);

// The hint of a clock whose caption names a place of the zone table, set to offsetHours east of GMT plus its
// summer hour (0 or 1); none when the caption is no known place or the database lacks its zone.
std::optional<ZoneHint> placeHint(const QString& caption, float offsetHours, int summerHour, const QDateTime& now);

// The local zone the user stated on the GMT / UTC clock, in minutes east of GMT: the clock keeps it negated.
int statedLocalMinutes(float bOffset, int bHourOn);

// The local zone stated on the GMT / UTC clock against the computer's own offset at now (a local time).
ZoneHint localZoneHint(int statedMinutesEast, const QDateTime& now);
