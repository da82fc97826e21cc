#include "ZoneOffsets.h"

#include <algorithm>
#include <cmath>

float ZoneOffsets::nearestPossible(float hours)
{
    if (std::isnan(hours)) {
        return 0.0f;
    }
    return std::clamp(hours, Westmost, Eastmost);
}
