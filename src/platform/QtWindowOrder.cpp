#include "QtWindowOrder.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

void QtWindowOrder::setTopmost(QWidget* window, bool topmost)
{
    if (!window || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topmost) {
        return;
    }
    // QWidget::setWindowFlag would make a new native window and show it again, which the window manager places
    // anew: the window would wander a little at each switch. The flag goes to the window that is there instead,
    // which only asks the window manager for the layer; a window made later takes it from the widget.
    const Qt::WindowFlags flags = window->windowFlags().setFlag(Qt::WindowStaysOnTopHint, topmost);
    window->overrideWindowFlags(flags);
    if (QWindow* native = window->windowHandle()) {
        native->setFlags(flags);
    }
    // Without a window manager nothing keeps a window above the others; it can at least start there.
    if (topmost && window->isVisible()) {
        window->raise();
    }
}

bool QtWindowOrder::desktopPlacesWindows() const
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
