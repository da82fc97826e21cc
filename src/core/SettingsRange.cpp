#include "SettingsRange.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <type_traits>

#include "core/Twips.h"
#include "core/ZoneOffsets.h"

namespace {

// A window position beyond the 16-bit pixel coordinates of the window system is on no screen.
constexpr float PositionLimit = 32767.0f * Twips::PerPixel;

// A value that is none of the allowed ones becomes the one that the program takes it for today.
template <typename Value>
void keepOneOf(Value& value,
               std::initializer_list<std::type_identity_t<Value>> allowed,
               std::type_identity_t<Value> otherwise)
{
    if (std::find(allowed.begin(), allowed.end(), value) == allowed.end()) {
        value = otherwise;
    }
}

} // namespace

void bringIntoRange(Settings& s)
{
    // A clock keeps any offset a zone can have, quarter hours and odd values included: the arithmetic handles
    // them, and a rounded value would show a wrong time and be saved over the user's own.
    for (float* offset : {&s.COffset, &s.DOffset, &s.EOffset, &s.FOffset, &s.GOffset}) {
        *offset = ZoneOffsets::nearestPossible(*offset);
    }
    // The GMT / UTC clock keeps the local zone negated.
    s.BOffset = -ZoneOffsets::nearestPossible(-s.BOffset);
    for (qint16* hourOn : {&s.CHourOn, &s.DHourOn, &s.EHourOn, &s.FHourOn, &s.GHourOn}) {
        keepOneOf(*hourOn, {0, 1}, 0);
    }
    // The GMT / UTC clock keeps the local summer hour negated.
    keepOneOf(s.BHourOn, {0, -1}, 0);

    for (float* position : {&s.WinTop, &s.WinLeft}) {
        *position = std::isnan(*position) ? 0.0f : std::clamp(*position, -PositionLimit, PositionLimit);
    }

    // Flags that the program takes as on only when they are -1.
    for (Flag* flag : {&s.AnaloguesHidden, &s.StartMin, &s.ACTOn, &s.ACTUpdates, &s.TaskbarClock3}) {
        keepOneOf(*flag, {Flag::Off, Flag::On}, Flag::Off);
    }
    // Flags that the program takes as on whenever they are not 0.
    for (Flag* flag : {&s.CalShown, &s.SetupDone}) {
        keepOneOf(*flag, {Flag::Off, Flag::On}, Flag::On);
    }

    keepOneOf(s.ColourScheme, {Colours::System, Colours::Black}, Colours::System);
    keepOneOf(
        s.NetAccess, {Connection::SystemSettings, Connection::Direct, Connection::Proxy}, Connection::SystemSettings);
    keepOneOf(s.MServer, {ServerBase::Fresh, ServerBase::Primary, ServerBase::Fallback}, ServerBase::Primary);
    // 0 in a fresh file: no server has answered yet, and the first is asked.
    keepOneOf(s.TimeServer, {0, 1, 2, 3}, 0);
}
