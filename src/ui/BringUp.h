#pragma once

#include <QWidget>

// Shows a window in front of the others, ready for typing.
inline void bringUp(QWidget& window)
{
    window.show();
    window.raise();
    window.activateWindow();
}
