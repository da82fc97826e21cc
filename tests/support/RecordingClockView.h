#pragma once

#include <QStringList>

#include <algorithm>
#include <utility>

#include "core/ClockView.h"
#include "core/DateFormat.h"
#include "platform/Clock.h"

// A clock view that keeps what a tick showed and lists the drawing calls in the order they came.
class RecordingClockView final : public ClockView
{
public:
    explicit RecordingClockView(const Clock& clock)
        : m_clock(clock)
    {
    }

    QStringList calls;
    QString times[8];
    QString days[8];
    QString captions[8];
    QString calendarDay;
    bool white = false;
    bool rescaled = false; // the next ScaleFaces reports faces that started afresh

    bool ScaleFaces() override { return std::exchange(rescaled, false); }
    void setTimeText(int slot, const QString& text) override { times[slot] = text; }
    void setDayText(int slot, const QString& text) override { days[slot] = text; }
    void setCaptionText(int slot, const QString& text) override { captions[slot] = text; }
    void ClearFaces() override { calls << QStringLiteral("clear"); }
    void clearFace(int slot) override { calls << QStringLiteral("clear %1").arg(slot); }
    void DrawHand(int slot, int x, int y) override { calls << QStringLiteral("hand %1 %2,%3").arg(slot).arg(x).arg(y); }
    void DrawSecHand(int x, int y) override { calls << QStringLiteral("sec %1,%2").arg(x).arg(y); }
    void drawSecHandOn(int slot, int x, int y) override
    {
        calls << QStringLiteral("sec %1 %2,%3").arg(slot).arg(x).arg(y);
    }
    bool cornerPixelIsWhite() const override { return white; }
    QString calendarDayText() const override { return calendarDay; }
    void DoCalDate() override
    {
        calls << QStringLiteral("calendar");
        calendarDay = formatDate(m_clock.now(), u"d");
    }

    int count(const QString& prefix) const
    {
        return int(std::count_if(calls.begin(), calls.end(), [&](const QString& c) { return c.startsWith(prefix); }));
    }

private:
    const Clock& m_clock;
};
