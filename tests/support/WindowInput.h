#pragma once

#include <QTest>
#include <QWidget>
#include <QWindow>

// The mouse used on a window as the window system reports it: at the point of the window where the control is
// seen, so that whatever lies on top of the control there takes the click, as it would for the user.
inline QPoint pointInWindow(const QWidget* control)
{
    return control->mapTo(control->window(), control->rect().center());
}

inline void clickInWindow(const QWidget* control)
{
    QTest::mouseClick(control->window()->windowHandle(), Qt::LeftButton, {}, pointInWindow(control));
}

inline void doubleClickInWindow(const QWidget* control)
{
    QTest::mouseDClick(control->window()->windowHandle(), Qt::LeftButton, {}, pointInWindow(control));
}

// The window's close button.
inline void closeFromTitleBar(QWidget* window)
{
    window->windowHandle()->close();
}
