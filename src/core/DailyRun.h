#pragma once

#include <QDate>
#include <QDateTime>

#include <optional>

class Module1;

// When the daily correction of the clock is due: once a day, at the first look at the clock after the chosen
// minute (ACTime) went by. The minute went by when the last look read an earlier time and this one reads it or a
// later one, so a timer that fires a moment early or late, a clock moved on past the minute and a computer asleep
// through it all start the day's run, at most once: a clock set back before the minute, or an hour repeated at the
// end of summer time, meets a day that has had its run. The day of the last run is kept in a small file beside the
// settings, so that a new start of the program on the same day does not run it again.
class DailyRun
{
public:
    explicit DailyRun(const Module1& module);

    // Looks at the clock: the day whose chosen minute went by since the last look and that has had no run yet, if
    // there is one. The first look of all, or the first after stopLooking, counts from a minute before.
    std::optional<QDate> dayDueAt(const QDateTime& now);
    // Remembers the run of this day, also in the day file where it can be written.
    void markRun(const QDate& day);
    // While the scheduler is off, no minute counts as gone by.
    void stopLooking() { m_lastLook = {}; }

private:
    bool hadItsRun(const QDate& day) const;

    const Module1& m_module;
    QDateTime m_lastLook; // as the clock's face read: the date and time shown, whatever the zone
    std::optional<QDate> m_lastRun;
};
