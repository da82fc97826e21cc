#pragma once

#include <QByteArray>
#include <QGuiApplication>
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

// The same at the request of another start of the program, with the activation token the desktop gave that start:
// a Wayland compositor lets a window come forward only with such a token, which the platform plugin hands over on
// the next activation.
inline void bringForward(QWidget& window, const QByteArray& activationToken)
{
    if (!activationToken.isEmpty() && QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        qputenv("XDG_ACTIVATION_TOKEN", activationToken);
    }
    bringForward(window);
}
