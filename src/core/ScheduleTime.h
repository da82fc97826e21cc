#pragma once

#include <QString>

// The daily auto-correct time, "HH:MM" on the 24-hour clock.
namespace ScheduleTime {

inline QString fallback()
{
    return QStringLiteral("05:45");
}

// What a stored value becomes when the preferences window shows it: anything that does not end in a colon and
// two digits is replaced by the fallback.
QString shownAtLoad(const QString& stored);

// The typed text as it is stored: trimmed, and written "hh:mm" when it reads as a time ("5:45" -> "05:45");
// a text that does not read as a time is kept as typed.
QString fromTyped(const QString& typed);

// Whether a stored text is a time of day the scheduler can meet: two digits, a colon, two digits, with an hour
// of at most 23 and minutes of at most 59.
bool isValid(const QString& stored);

} // namespace ScheduleTime
