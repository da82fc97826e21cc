#include "ClockArithmetic.h"

#include "core/DateFormat.h"
#include "core/Rounding.h"

namespace ClockArithmetic {

namespace {
constexpr int MinutesPerDay = 24 * 60;
}

int localMinutes(int hour, int minute)
{
    return minute + 60 * hour;
}

int shiftedMinutes(int baseMinutes, qint16 hourOn, float offset)
{
    const float shift = (float(hourOn) + offset) * 60.0f;
    return clampToInteger16(baseMinutes + toInteger16(shift));
}

Reading readingOf(int minutes)
{
    // Floor division: -30 minutes is 23:30 of the day before.
    int dayShift = minutes / MinutesPerDay;
    int withinDay = minutes % MinutesPerDay;
    if (withinDay < 0) {
        withinDay += MinutesPerDay;
        --dayShift;
    }
    return Reading{withinDay / 60, withinDay % 60, dayShift};
}

QString timeText(const Reading& reading)
{
    return twoDigits(reading.hour) + u':' + twoDigits(reading.minute);
}

} // namespace ClockArithmetic
