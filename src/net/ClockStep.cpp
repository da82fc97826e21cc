#include "ClockStep.h"

#include <cstdlib>

#include "net/TimeAnswer.h"

namespace ClockStep {

namespace {

QString count(qint64 number, const char* unit)
{
    return QStringLiteral("%1 %2%3").arg(number).arg(QLatin1String(unit),
                                                     number == 1 ? QString() : QStringLiteral("s"));
}

// The smaller unit after the larger one, left out when there is none of it.
QString rest(qint64 number, const char* unit)
{
    return number == 0 ? QString() : u' ' + count(number, unit);
}

} // namespace

QDateTime serverTime(const TimeAnswer& answer, const QDateTime& computerTime)
{
    if (answer.moment) {
        return *answer.moment;
    }
    const QDateTime computerUtc = computerTime.toUTC();
    QDateTime nearest;
    for (int days = -1; days <= 1; ++days) {
        const QDateTime candidate(computerUtc.date().addDays(days), answer.greenwichTime, Qt::UTC);
        if (!nearest.isValid()
            || std::llabs(computerUtc.msecsTo(candidate)) < std::llabs(computerUtc.msecsTo(nearest))) {
            nearest = candidate;
        }
    }
    return nearest;
}

bool isLarge(qint64 msecs)
{
    return std::llabs(msecs) > LargeStepSeconds * 1000;
}

QString durationText(qint64 msecs)
{
    const qint64 seconds = std::llabs(msecs) / 1000;
    constexpr qint64 Minute = 60;
    constexpr qint64 Hour = 60 * Minute;
    constexpr qint64 Day = 24 * Hour;
    if (seconds >= 2 * Day) {
        return count(seconds / Day, "day");
    }
    if (seconds >= Hour) {
        return count(seconds / Hour, "hour") + rest(seconds % Hour / Minute, "minute");
    }
    if (seconds >= Minute) {
        return count(seconds / Minute, "minute") + rest(seconds % Minute, "second");
    }
    return count(seconds, "second");
}

} // namespace ClockStep
