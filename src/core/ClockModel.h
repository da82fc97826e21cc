#pragma once

#include <QDateTime>

#include <array>

#include "core/ClockArithmetic.h"

class ClockView;
class Module1;

// The once-a-second tick: computes the seven clocks from the system time and the stored offsets, writes the
// read-outs and keeps the hands on the faces up to date, redrawing them only when something asks for it.
class ClockModel final
{
public:
    static constexpr int SlotCount = 7;
    static constexpr int NoSecondHand = -999;

    ClockModel(Module1& module, ClockView& view);

    void DoTick();

    // The letter of a set clock: "B" for slot 2 up to "G" for slot 7.
    static QString slotLetter(int slot);

    // The tick's memory: where the hands were last drawn, and the second hand now on the faces.
    qint16 LastMin = 0;
    qint16 LastHour = 0;
    qint16 SecX = 0;
    qint16 SecY = 0;

private:
    ClockArithmetic::Reading slotReading(int slot, int gmtMinutes) const;
    void showSlot(int slot, const ClockArithmetic::Reading& reading, const QDate& today);
    // Draws both hands of one slot; returns false when the tick must end here.
    bool drawHands(int slot, int hour, int minute, const QDateTime& now);
    // The faces that Apply in the clock settings window changed: the clock applied, and with the GMT / UTC clock
    // every clock set from it. The tick ends after the last of them.
    bool changedByApply(int slot) const;
    int lastChangedByApply() const;
    void moveSecondHand(int second);

    Module1& m_module;
    ClockView& m_view;
    std::array<ClockArithmetic::Reading, SlotCount + 1> m_readings{};
};
