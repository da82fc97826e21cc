#pragma once

#include <QWidget>

// Shows a window in front of the others, ready for typing.
inline void bringUp(QWidget& window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

// Brings a window forward from wherever it is, the taskbar included, in the size it had.
inline void bringForward(QWidget& window)
{
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    bringUp(window);
}
