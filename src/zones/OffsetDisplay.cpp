#include "OffsetDisplay.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "core/NumberText.h"
#include "core/Rounding.h"
#include "core/ZoneOffsets.h"

namespace OffsetDisplay {

namespace {

constexpr int WestmostHour = int(ZoneOffsets::Westmost);
constexpr int EastmostHour = int(ZoneOffsets::Eastmost);
// The minute display's values in the order a press steps through them.
const std::array<QString, 3> MinuteCycle = {QStringLiteral("00"), QStringLiteral("30"), QStringLiteral("45")};

// The whole hours at either end of the zones take no minutes: no zone lies beyond them.
bool atEitherEnd(const QString& hourShown)
{
    const int hours = hourValue(hourShown);
    return hours <= WestmostHour || hours >= EastmostHour;
}

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

QString minuteText(float offset)
{
    const double quarters = std::round(std::fabs(double(offset) - std::trunc(double(offset))) * 4.0);
    if (quarters == 3.0) {
        return QStringLiteral("45");
    }
    return isHalfHour(offset) ? QStringLiteral("30") : QStringLiteral("00");
}

QString hourText(int hours)
{
    return hours > 0 ? u'+' + QString::number(hours) : QString::number(hours);
}

int hourValue(const QString& shown)
{
    return toInteger16(leadingNumber(shown));
}

QString steppedHour(const QString& shown, int step)
{
    if (step == 0) {
        return shown;
    }
    int hours = hourValue(shown) + (step > 0 ? 1 : -1);
    if (hours < WestmostHour) {
        hours = EastmostHour;
    } else if (hours > EastmostHour) {
        hours = WestmostHour;
    }
    return hourText(hours);
}

QString minutesWithin(const QString& hourShown, const QString& minuteShown)
{
    return atEitherEnd(hourShown) ? MinuteCycle[0] : minuteShown;
}

QString steppedMinutes(const QString& hourShown, const QString& minuteShown, int step)
{
    if (atEitherEnd(hourShown)) {
        return MinuteCycle[0];
    }
    const auto at = std::find(MinuteCycle.begin(), MinuteCycle.end(), minuteShown);
    // A display that shows none of them starts the cycle again.
    const int index = at == MinuteCycle.end() ? 0 : int(at - MinuteCycle.begin());
    const int count = int(MinuteCycle.size());
    return MinuteCycle[size_t((index + (step < 0 ? count - 1 : 1)) % count)];
}

float analyseTimeDiff(float offset, const QString& hourShown, const QString& minuteShown)
{
    if (minuteShown == u"00") {
        return float(std::trunc(double(offset)));
    }
    const double minutes = leadingNumber(minuteShown);
    if (minutes == 30 || minutes == 45) {
        const float hours = float(hourValue(hourShown));
        const float fraction = float(minutes / 60.0);
        return offset >= 0 ? hours + fraction : hours - fraction;
    }
    return offset;
}

int autoScrollValue(int hours)
{
    // Beyond the date line: the picture's east end with the west end's copy beside it.
    if (hours > 12) {
        return -5700;
    }
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
