#include "SettingsRange.h"

#include <algorithm>
#include <cmath>

#include "core/SettingsRecords.h"
#include "core/Twips.h"
#include "core/ZoneOffsets.h"

namespace {

using SettingsRecords::Range;
using SettingsRecords::Record;

// A window position beyond the 16-bit pixel coordinates of the window system is on no screen.
constexpr float PositionLimit = 32767.0f * Twips::PerPixel;

// A value that is none of the allowed ones becomes the one that the program takes it for today.
template <SettingsRecords::Word Value>
void keepInRange(Value& value, const Record& record)
{
    if (record.range == Range::OneOf && !record.codes.contains(qint16(value))) {
        value = Value(record.codes.fallback);
    }
}

// A clock keeps any offset a zone can have, quarter hours and odd values included: the arithmetic handles them, and
// a rounded value would show a wrong time and be saved over the user's own.
void keepInRange(float& value, const Record& record)
{
    switch (record.range) {
    case Range::ZoneOffset:
        value = ZoneOffsets::nearestPossible(value);
        break;
    case Range::NegatedZoneOffset:
        value = -ZoneOffsets::nearestPossible(-value);
        break;
    case Range::WindowPosition:
        value = std::isnan(value) ? 0.0f : std::clamp(value, -PositionLimit, PositionLimit);
        break;
    case Range::Any:
    case Range::OneOf:
        break;
    }
}

// Texts are cut to their records when read; the reserved records are kept byte for byte.
template <typename Value>
void keepInRange(Value&, const Record&)
{
}

} // namespace

void bringIntoRange(Settings& settings)
{
    for (const Record& record : SettingsRecords::Records) {
        SettingsRecords::visitValue(settings, record, [&](auto& value) { keepInRange(value, record); });
    }
}
