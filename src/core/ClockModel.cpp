#include "ClockModel.h"

#include <cmath>

#include "core/ClockView.h"
#include "core/DateFormat.h"
#include "core/Module1.h"
#include "core/Rounding.h"
#include "platform/Clock.h"

namespace {

// The hands' angles use this value of pi, not the exact one; the end points are rounded from it.
constexpr double Pi = 3.1416;
constexpr int HourHandLength = 8;
constexpr int MinuteHandLength = 13;
constexpr int SecondHandLength = 13;
constexpr int NoClockSlot = 8;

struct HandEnd
{
    qint16 x;
    qint16 y;
};

HandEnd handEnd(double angle, int length)
{
    return HandEnd{toInteger16(std::sin(angle) * length), toInteger16(std::cos(angle) * length)};
}

} // namespace

ClockModel::ClockModel(Module1& module, ClockView& view)
    : m_module(module)
    , m_view(view)
{
}

QString ClockModel::slotLetter(int slot)
{
    return QString(QChar(u'A' + slot - 1));
}

ClockArithmetic::Reading ClockModel::slotReading(int slot, int gmtMinutes) const
{
    const Module1& m = m_module;
    switch (slot) {
    case 3:
        return ClockArithmetic::readingOf(ClockArithmetic::shiftedMinutes(gmtMinutes, m.CHourOn, m.COffset));
    case 4:
        return ClockArithmetic::readingOf(ClockArithmetic::shiftedMinutes(gmtMinutes, m.DHourOn, m.DOffset));
    case 5:
        return ClockArithmetic::readingOf(ClockArithmetic::shiftedMinutes(gmtMinutes, m.EHourOn, m.EOffset));
    case 6:
        return ClockArithmetic::readingOf(ClockArithmetic::shiftedMinutes(gmtMinutes, m.FHourOn, m.FOffset));
    case 7:
        return ClockArithmetic::readingOf(ClockArithmetic::shiftedMinutes(gmtMinutes, m.GHourOn, m.GOffset));
    default:
        return ClockArithmetic::readingOf(gmtMinutes);
    }
}

void ClockModel::showSlot(int slot, const ClockArithmetic::Reading& reading, const QDate& today)
{
    m_readings[size_t(slot)] = reading;
    m_view.setTimeText(slot, ClockArithmetic::timeText(reading));
    m_view.setDayText(slot, formatDate(today.addDays(reading.dayShift), QTime(), u"ddd"));
}

void ClockModel::DoTick()
{
    const QDateTime now = m_module.services().clock.now();
    const QTime time = now.time();
    const int second = time.second();
    const int minute = time.minute();
    const int hour = time.hour();

    const bool facesAfresh = m_view.ScaleFaces();
    m_view.setTimeText(1, formatDate(now, u"hh:mm"));

    const int gmt = ClockArithmetic::shiftedMinutes(
        ClockArithmetic::localMinutes(hour, minute), m_module.BHourOn, m_module.BOffset);
    for (int slot = 2; slot <= 5; ++slot) {
        showSlot(slot, slotReading(slot, gmt), now.date());
    }

    // Faces fitted to a new size or screen resolution have lost their hands, and a white corner means the
    // window's drawing was lost: all faces start afresh, rather than have a second hand inverted back that is no
    // longer there.
    if (minute != LastMin || hour != LastHour || facesAfresh || m_view.cornerPixelIsWhite()) {
        m_view.ClearFaces();
        SecX = NoSecondHand;
    }

    for (int slot = 6; slot <= SlotCount; ++slot) {
        showSlot(slot, slotReading(slot, gmt), now.date());
    }

    for (int slot = 1; slot <= NoClockSlot; ++slot) {
        const bool local = slot == 1 || slot == NoClockSlot;
        const int slotHour = local ? hour : m_readings[size_t(slot)].hour;
        const int slotMinute = local ? minute : m_readings[size_t(slot)].minute;
        if (!drawHands(slot, slotHour, slotMinute, now)) {
            return;
        }
    }
    moveSecondHand(second);
}

bool ClockModel::drawHands(int slot, int hour, int minute, const QDateTime& now)
{
    const RedrawRequest redraw = m_module.Redraw;
    if (SecX == NoSecondHand || redraw == RedrawRequest::ClockApplied || redraw == RedrawRequest::ColoursChanged) {
        const double hours = minute / 60.0 + hour;
        const HandEnd hourEnd = handEnd(hours * Pi / 6, HourHandLength);
        const bool clockSlot = slot <= SlotCount;
        if (redraw == RedrawRequest::ClockApplied && changedByApply(slot)) {
            m_view.clearFace(slot);
            // Clearing took this face's second hand too; put it back so that the next move, which inverts the
            // old hand on every face, removes it here as well instead of leaving a stray line.
            if (SecX != NoSecondHand) {
                m_view.drawSecHandOn(slot, SecX, SecY);
            }
            if (slot == lastChangedByApply()) {
                m_module.Redraw = RedrawRequest::InsideTick;
            }
        }
        if (clockSlot) {
            m_view.DrawHand(slot, hourEnd.x, hourEnd.y);
        }
        m_view.setDayText(1, formatDate(now, u"ddd"));
        if (m_view.calendarDayText() != formatDate(now, u"d")) {
            m_view.DoCalDate();
        }
        const HandEnd minuteEnd = handEnd(minute * Pi / 30, MinuteHandLength);
        if (clockSlot) {
            m_view.DrawHand(slot, minuteEnd.x, minuteEnd.y);
        }
        LastMin = qint16(minute);
        LastHour = qint16(hour);
    }
    if (m_module.Redraw == RedrawRequest::InsideTick) {
        m_module.Redraw = RedrawRequest::None;
        return false;
    }
    return true;
}

bool ClockModel::changedByApply(int slot) const
{
    if (slot < 2 || slot > SlotCount) {
        return false;
    }
    // Every set clock is worked out from GMT, so a new GMT / UTC clock moves them all.
    return m_module.SetClock == slotLetter(slot) || m_module.SetClock == slotLetter(2);
}

int ClockModel::lastChangedByApply() const
{
    return m_module.SetClock == slotLetter(2) ? SlotCount : m_module.SetClock.at(0).unicode() - u'A' + 1;
}

void ClockModel::moveSecondHand(int second)
{
    if (second != 0 && m_module.Redraw == RedrawRequest::ColoursChanged) {
        return;
    }
    m_module.Redraw = RedrawRequest::None;
    const HandEnd end = handEnd(second * Pi / 30, SecondHandLength);
    if (SecX != NoSecondHand) {
        m_view.DrawSecHand(SecX, SecY);
    }
    m_view.DrawSecHand(end.x, end.y);
    SecX = end.x;
    SecY = end.y;
}
