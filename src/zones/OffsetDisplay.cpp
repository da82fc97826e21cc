#include "OffsetDisplay.h"

#include <array>
#include <cmath>
#include <utility>

#include "core/NumberText.h"
#include "core/Rounding.h"

namespace OffsetDisplay {

namespace {
constexpr int HourLimit = 12;
} // namespace

int wholeHours(float offset)
{
    return toInteger16(std::trunc(double(offset)));
}

bool isHalfHour(float offset)
{
    const double tenths = roundHalfEven(double(offset) * 10.0);
    return std::isfinite(tenths) && std::fmod(tenths, 10.0) != 0.0;
}

QString hourText(int hours)
{
    return hours > 0 ? u'+' + QString::number(hours) : QString::number(hours);
}

int hourValue(const QString& shown)
{
    return toInteger16(leadingNumber(shown));
}

QString steppedHour(const QString& shown, bool rightButton, bool leftButton)
{
    if (!rightButton && !leftButton) {
        return shown;
    }
    int hours = hourValue(shown) + (rightButton ? 1 : -1);
    if (hours < -HourLimit) {
        hours = HourLimit;
    } else if (hours > HourLimit) {
        hours = -HourLimit;
    }
    return hourText(hours);
}

float analyseTimeDiff(float offset, const QString& hourShown, const QString& minuteShown)
{
    if (minuteShown == u"00") {
        return float(std::trunc(double(offset)));
    }
    if (leadingNumber(minuteShown) == 30) {
        const float hours = float(hourValue(hourShown));
        return offset >= 0 ? hours + 0.5f : hours - 0.5f;
    }
    return offset;
}

int autoScrollValue(int hours)
{
    if (hours > 9) {
        return -4600;
    }
    if (hours < -7) {
        return 100;
    }
    // From +9 down to -7.
    static constexpr std::array<int, 17> ByHour = {-4400,
                                                   -4150,
                                                   -4100,
                                                   -3600,
                                                   -3200,
                                                   -2950,
                                                   -2800,
                                                   -2700,
                                                   -2250,
                                                   -1950,
                                                   -1500,
                                                   -1200,
                                                   -1050,
                                                   -800,
                                                   -500,
                                                   -400,
                                                   -150};
    return ByHour[size_t(9 - hours)];
}

int wrappedScrollValue(int value)
{
    if (value < -5900) {
        return 1350;
    }
    if (value > 1360) {
        return -5880;
    }
    return value;
}

} // namespace OffsetDisplay
