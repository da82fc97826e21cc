#pragma once

#include <QString>

// The time of one clock from the local time and the stored offsets. Minutes count from local midnight and are
// 16-bit, as the stored values are; a total outside the day belongs to the previous or next day.
namespace ClockArithmetic {

struct Reading
{
    int hour = 0;     // 0 to 23
    int minute = 0;   // 0 to 59
    int dayShift = 0; // days from the local date: -1 the day before, 1 the day after
};

// Minutes after midnight of a local time.
int localMinutes(int hour, int minute);

// base + (hourOn + offset) hours, the sum and product in single precision and rounded to a whole minute,
// halves to even.
int shiftedMinutes(int baseMinutes, qint16 hourOn, float offset);

// Wraps a minute total into the day, however many days away it is.
Reading readingOf(int minutes);

// "hh:mm" on the 24-hour clock.
QString timeText(const Reading& reading);

} // namespace ClockArithmetic
