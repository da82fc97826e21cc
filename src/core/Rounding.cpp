#include "Rounding.h"

#include <cmath>
#include <limits>

double roundHalfEven(double value)
{
    const double lower = std::floor(value);
    const double fraction = value - lower;
    if (fraction < 0.5) {
        return lower;
    }
    if (fraction > 0.5) {
        return lower + 1.0;
    }
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

qint16 toInteger16(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    const double rounded = roundHalfEven(value);
    if (rounded >= std::numeric_limits<qint16>::max()) {
        return std::numeric_limits<qint16>::max();
    }
    if (rounded <= std::numeric_limits<qint16>::min()) {
        return std::numeric_limits<qint16>::min();
    }
    return static_cast<qint16>(rounded);
}

qint16 clampToInteger16(int value)
{
    if (value > std::numeric_limits<qint16>::max()) {
        return std::numeric_limits<qint16>::max();
    }
    if (value < std::numeric_limits<qint16>::min()) {
        return std::numeric_limits<qint16>::min();
    }
    return static_cast<qint16>(value);
}
