#include "AlarmDue.h"

#include "core/DateFormat.h"

namespace AlarmDue {

namespace {
constexpr qint64 MinuteMsecs = 60 * 1000;
} // namespace

QDateTime timeOfDay(const QDateTime& now, int hour, int minute)
{
    const QTime time(hour, minute);
    const QDateTime today(now.date(), time);
    if (now < today.addMSecs(MinuteMsecs)) {
        return today;
    }
    return QDateTime(now.date().addDays(1), time);
}

QString lateNote(const QDateTime& due, qint64 lateMsecs, const QDate& today)
{
    if (lateMsecs <= MinuteMsecs) {
        return {};
    }
    QString note = u"Due at " + formatDate(due, u"hh:nn");
    if (due.date() != today) {
        note += u" on " + formatDate(due, u"ddd dd mmm");
    }
    return note;
}

} // namespace AlarmDue
