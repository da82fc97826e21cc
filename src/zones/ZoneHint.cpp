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
    const QByteArray id = placeZoneId(caption);
    if (id.isEmpty() || !QTimeZone::isTimeZoneIdAvailable(id)) {
        return std::nullopt;
    }
    const QTimeZone zone(id);
    const QString place = caption.trimmed();
    const int standard = standardSeconds(zone, now.date().year()) / 60;
    const int current = zone.offsetFromUtc(now) / 60;
    const bool summerNow = current > standard;

    ZoneHint hint;
    const QTimeZone::OffsetData next = zone.nextTransition(now);
    if (!next.atUtc.isValid()) {
        hint.text = place + QStringLiteral(": no summer time (") + gmtOffsetName(current) + u')';
    } else {
        const bool summerNext = next.offsetFromUtc / 60 > standard;
        hint.text = place
                    + (summerNow ? QStringLiteral(": summer time now (") : QStringLiteral(": standard time now ("))
                    + gmtOffsetName(current) + QStringLiteral("); ")
                    + (summerNext ? QStringLiteral("summer time from ") : QStringLiteral("standard time from "))
                    + gmtTime(next.atUtc);
    }

    const int clockBase = wholeMinutes(offsetHours);
    const int shown = clockBase + summerHour * 60;
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
