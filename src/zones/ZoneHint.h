#pragma once

#include <QString>

#include <optional>

class QDateTime;
class QTimeZone;

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

// How a clock is set to show a zone's time: an offset east of GMT and a summer hour of 0 or 1.
struct ZoneSetting
{
    float offsetHours = 0;
    qint16 summerHour = 0;
};

// What the database says a clock of the zone is to be set to at now: its standard offset, with the summer hour on
// while the zone keeps summer time.
ZoneSetting databaseSetting(const QTimeZone& zone, const QDateTime& now);
// The same for a clock whose caption names a place of the zone table; none where placeHint gives none.
std::optional<ZoneSetting> placeSetting(const QString& caption, const QDateTime& now);
// "GMT+1 with the summer hour on".
QString settingText(float offsetHours, int summerHour);

// The local zone the user stated on the GMT / UTC clock, in minutes east of GMT: the clock keeps it negated.
int statedLocalMinutes(float bOffset, int bHourOn);

// The local zone stated on the GMT / UTC clock against the computer's own offset at now (a local time).
ZoneHint localZoneHint(int statedMinutesEast, const QDateTime& now);
