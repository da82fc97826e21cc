#pragma once

#include <QString>

// What the tick routine draws on: the seven clock columns (slot 1 local, 2 GMT / UTC, 3 to 7 clocks C to G),
// their faces with a coordinate system from (-16, 16) at the top left to (16, -16) at the bottom right, and the
// calendar panel. The main window is the real one; tests may record the calls instead.
class ClockView
{
public:
    virtual ~ClockView() = default;

    // Fits the faces to their size and resolution; true when any face started afresh, without hands.
    virtual bool ScaleFaces() = 0;
    virtual void setTimeText(int slot, const QString& text) = 0;
    virtual void setDayText(int slot, const QString& text) = 0;
    virtual void setCaptionText(int slot, const QString& text) = 0;

    // Removes the hands from every face, or from one; the face picture stays.
    virtual void ClearFaces() = 0;
    virtual void clearFace(int slot) = 0;

    // A line from the centre, two pixels wide, that turns every pixel it covers black.
    virtual void DrawHand(int slot, int x, int y) = 0;
    // A line from the centre, one pixel wide, that inverts the pixels it covers: drawn twice it leaves no trace.
    virtual void DrawSecHand(int x, int y) = 0;
    virtual void drawSecHandOn(int slot, int x, int y) = 0;

    // True when the window's own top-left pixel reads white, which means its drawing was lost.
    virtual bool cornerPixelIsWhite() const = 0;

    // The day of the month the calendar panel shows, and its refresh.
    virtual QString calendarDayText() const = 0;
    virtual void DoCalDate() = 0;
};
