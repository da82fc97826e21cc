#pragma once

#include <QString>

#include "core/Settings.h"

// The stored settings of one of the clocks "C" to "G"; all null for any other letter.
struct ClockSettings
{
    float* offset = nullptr;
    qint16* hourOn = nullptr;
    QString* caption = nullptr;
};

inline ClockSettings settingsOf(Settings& m, const QString& clock)
{
    if (clock == u"C") {
        return {&m.COffset, &m.CHourOn, &m.CCaption};
    }
    if (clock == u"D") {
        return {&m.DOffset, &m.DHourOn, &m.DCaption};
    }
    if (clock == u"E") {
        return {&m.EOffset, &m.EHourOn, &m.ECaption};
    }
    if (clock == u"F") {
        return {&m.FOffset, &m.FHourOn, &m.FCaption};
    }
    if (clock == u"G") {
        return {&m.GOffset, &m.GHourOn, &m.GCaption};
    }
    return {};
}
