#pragma once

#include <QTest>
#include <QWidget>
#include <QWindow>

// Mouse input as the window system delivers it: to the window, at the control's place in it, so that whatever
// covers the control and every event filter on the way take part.
inline QPoint placeInWindow(const QWidget* control)
{
    return control->mapTo(control->window(), control->rect().center());
}

inline void clickAt(const QWidget* control)
{
    QTest::mouseClick(control->window()->windowHandle(), Qt::LeftButton, {}, placeInWindow(control));
}

// A click at a place of the control, in its own coordinates.
inline void clickAt(const QWidget* control, QPoint place, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(control->window()->windowHandle(), button, {}, control->mapTo(control->window(), place));
}

inline void doubleClickAt(const QWidget* control)
{
    QTest::mouseDClick(control->window()->windowHandle(), Qt::LeftButton, {}, placeInWindow(control));
}

// Typing, one key a character, also of characters that QTest::keyClicks takes only in Latin-1.
inline void typeText(QWidget* box, const QString& text)
{
    for (const QChar character : text) {
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(character), Qt::NoModifier);
    }
}

// The window's close button.
inline void closeFromTitleBar(QWidget* window)
{
    window->windowHandle()->close();
}
