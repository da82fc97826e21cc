#pragma once

#include <QAbstractButton>

// A small picture control drawn in code, so it stays sharp at any screen resolution: the band arrows, the
// buttons of the control panel and the calendar page. It reports a double-click as such instead of as a
// second click. It is a Tab stop: Space or Enter, and a screen reader's press or toggle, act as the mouse does.
class GlyphButton final : public QAbstractButton
{
    Q_OBJECT

public:
    enum class Glyph
    {
        ArrowUp,
        ArrowDown,
        Bar,      // a plain coloured rectangle
        Globe,    // about
        Question, // help
        Today,    // a calendar leaf
        Calendar, // a month grid
        Pin,      // keep on top
        Bell,     // alarm
        Columns,  // five or seven clocks
        One,      // accessory 1
        Two,      // accessory 2
        Page      // the calendar panel's page
    };

    GlyphButton(Glyph glyph, const QColor& colour, QWidget* parent = nullptr);

    void setColour(const QColor& colour);
    QColor colour() const { return m_colour; }

    // The control answers a double-click rather than a click.
    void setActsOnDoubleClick(bool onDoubleClick) { m_actsOnDoubleClick = onDoubleClick; }
    // What the keyboard and screen readers do: a click, or the double-click of a control that answers one or of a
    // toggle that is pressed, which releases it.
    void activate();

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // A checkable glyph is pressed and released by its owner only, as an option button is.
    void nextCheckState() override {}

private:
    Glyph m_glyph;
    QColor m_colour;
    bool m_actsOnDoubleClick = false;
};
