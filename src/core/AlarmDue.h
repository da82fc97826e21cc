#pragma once

#include <QDateTime>
#include <QString>

// When an alarm comes due, and what the reminder says when it rings late.
namespace AlarmDue {

// A time-of-day alarm set at now is due at that hour and minute today, or tomorrow once today's minute has passed:
// an alarm set during its own minute is due at once.
QDateTime timeOfDay(const QDateTime& now, int hour, int minute);

// "Due at 07:30" (with the day when it is not today's) for an alarm that rings more than a minute after it was due,
// lateMsecs after due; else nothing.
QString lateNote(const QDateTime& due, qint64 lateMsecs, const QDate& today);

} // namespace AlarmDue
