#include "ZoneHint.h"

#include <QDateTime>
#include <QTimeZone>

#include <algorithm>
#include <cmath>

#include "core/DateFormat.h"
#include "zones/PlaceZones.h"

namespace {

// A zone's standard offset is the smaller of its winter and summer ones. The database's own standard flag will
// not do: some zones keep their winter time as a negative summer time.
int standardSeconds(const QTimeZone& zone, int year)
{
    const QDateTime january(QDate(year, 1, 15), QTime(12, 0), Qt::UTC);
    const QDateTime july(QDate(year, 7, 15), QTime(12, 0), Qt::UTC);
    return std::min(zone.offsetFromUtc(january), zone.offsetFromUtc(july));
}

// A day either way holds every real zone; beyond it, an offset read from a damaged settings file is only far off.
constexpr float LongestOffsetMinutes = 24 * 60;

int wholeMinutes(float hours)
{
    const float minutes = hours * 60.0f;
    if (!std::isfinite(minutes)) {
        return 0;
    }
    return int(std::lround(std::clamp(minutes, -LongestOffsetMinutes, LongestOffsetMinutes)));
}

QString gmtTime(const QDateTime& when)
{
    return formatDate(when.toUTC(), u"ddd dd mmm yyyy hh:nn") + QStringLiteral(" GMT");
}

struct Change
{
    QDateTime atUtc;
    int offsetMinutes = 0; // after the change
};

// The zone's next change of offset after now. A transition that leaves the offset as it was is none: Qt 6.4 gives
// the end of its table (a 2038 instant) as a transition of zones that never change.
std::optional<Change> nextChange(const QTimeZone& zone, const QDateTime& now)
{
    QDateTime after = now;
    for (int tries = 0; tries < 4; ++tries) {
        const QDateTime at = zone.nextTransition(after).atUtc;
        if (!at.isValid() || at <= after) {
            return std::nullopt;
        }
        const int before = zone.offsetFromUtc(at.addSecs(-1));
        const int then = zone.offsetFromUtc(at);
        if (then != before) {
            return Change{at, then / 60};
        }
        after = at;
    }
    return std::nullopt;
}

// How far a clock is off: "an hour", "half an hour", "2 hours", "45 minutes".
QString distance(int minutes)
{
    if (minutes == 60) {
        return QStringLiteral("an hour");
    }
    if (minutes == 30) {
        return QStringLiteral("half an hour");
    }
    if (minutes % 60 == 0) {
        return QString::number(minutes / 60) + QStringLiteral(" hours");
    }
    return QString::number(minutes) + QStringLiteral(" minutes");
}

// A change this close is told ahead, so that the clock's owner is not surprised by it.
constexpr qint64 AnnouncedSeconds = 7 * 24 * 3600;

// The zone of the place a caption names; none for no known place or a zone the database lacks. Opening the zone
// tells the latter: asking whether the database lists it would first read the database's whole index.
std::optional<QTimeZone> placeZone(const QString& caption)
{
    const QByteArray id = placeZoneId(caption);
    if (id.isEmpty()) {
        return std::nullopt;
    }
    QTimeZone zone(id);
    if (!zone.isValid()) {
        return std::nullopt;
    }
    return zone;
}

} // namespace

QString gmtOffsetName(int minutesEast)
{
    QString name =
        QStringLiteral("GMT") + (minutesEast < 0 ? u'-' : u'+') + QString::number(std::abs(minutesEast) / 60);
    if (minutesEast % 60 != 0) {
        name += u':' + QStringLiteral("%1").arg(std::abs(minutesEast) % 60, 2, 10, QLatin1Char('0'));
    }
    return name;
}

std::optional<ZoneHint> placeHint(const QString& caption, float offsetHours, int summerHour, const QDateTime& now)
{
    const std::optional<QTimeZone> found = placeZone(caption);
    if (!found) {
        return std::nullopt;
    }
    const QTimeZone& zone = *found;
    const QString place = caption.trimmed();
    const int standard = standardSeconds(zone, now.date().year()) / 60;
    const int current = zone.offsetFromUtc(now) / 60;
    const bool summerNow = current > standard;

    const int clockBase = wholeMinutes(offsetHours);
    const int shown = clockBase + summerHour * 60;

    ZoneHint hint;
    const std::optional<Change> next = nextChange(zone, now);
    if (!next) {
        hint.text = place + QStringLiteral(": no summer time (") + gmtOffsetName(current) + u')';
    } else {
        const bool summerNext = next->offsetMinutes > standard;
        hint.text = place
                    + (summerNow ? QStringLiteral(": summer time now (") : QStringLiteral(": standard time now ("))
                    + gmtOffsetName(current) + QStringLiteral("); ")
                    + (summerNext ? QStringLiteral("summer time from ") : QStringLiteral("standard time from "))
                    + gmtTime(next->atUtc);
        const int offBy = next->offsetMinutes - shown;
        if (now.secsTo(next->atUtc) <= AnnouncedSeconds && offBy != 0) {
            hint.text += QStringLiteral(": this clock will then be ") + distance(std::abs(offBy))
                         + (offBy > 0 ? QStringLiteral(" behind") : QStringLiteral(" ahead"));
        }
    }

    if (shown == current) {
        return hint;
    }
    hint.disagrees = true;
    if (clockBase == standard && summerHour != 0) {
        hint.text += QStringLiteral(". Summer hour on, but ") + place + QStringLiteral(" is on standard time now.");
    } else if (clockBase == standard && summerNow) {
        hint.text += QStringLiteral(". Summer hour off, but ") + place + QStringLiteral(" is on summer time now.");
    } else {
        hint.text += QStringLiteral(". This clock shows ") + gmtOffsetName(shown) + QStringLiteral(", but ") + place
                     + QStringLiteral(" is at ") + gmtOffsetName(current) + QStringLiteral(" now.");
    }
    return hint;
}

ZoneSetting databaseSetting(const QTimeZone& zone, const QDateTime& now)
{
    const int standard = standardSeconds(zone, now.date().year());
    const int current = zone.offsetFromUtc(now);
    // The summer hour is one whole hour; a zone that moves by another amount (Lord Howe's half hour) is set to the
    // offset it keeps now.
    if (current - standard == 3600) {
        return {float(standard) / 3600.0f, 1};
    }
    return {float(current) / 3600.0f, 0};
}

std::optional<ZoneSetting> placeSetting(const QString& caption, const QDateTime& now)
{
    const std::optional<QTimeZone> zone = placeZone(caption);
    if (!zone) {
        return std::nullopt;
    }
    return databaseSetting(*zone, now);
}

QString settingText(float offsetHours, int summerHour)
{
    return gmtOffsetName(wholeMinutes(offsetHours))
           + (summerHour != 0 ? QStringLiteral(" with the summer hour on")
                              : QStringLiteral(" with the summer hour off"));
}

int statedLocalMinutes(float bOffset, int bHourOn)
{
    return wholeMinutes(-(float(bHourOn) + bOffset));
}

ZoneHint localZoneHint(int statedMinutesEast, const QDateTime& now)
{
    const int computer = now.offsetFromUtc() / 60;
    if (statedMinutesEast == computer) {
        return {QStringLiteral("This computer's own zone is at ") + gmtOffsetName(computer)
                    + QStringLiteral(" now, as set here."),
                false};
    }
    return {QStringLiteral("This computer's own zone is at ") + gmtOffsetName(computer)
                + QStringLiteral(" now, but this clock puts it at ") + gmtOffsetName(statedMinutesEast) + u'.',
            true};
}
