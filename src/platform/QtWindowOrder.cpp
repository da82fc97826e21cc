#include "QtWindowOrder.h"

#include <QWidget>

void QtWindowOrder::setTopmost(QWidget* window, bool topmost)
{
    if (!window || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topmost) {
        return;
    }
    // Changing a flag hides a shown window; show it again where it was.
    const bool wasVisible = window->isVisible();
    const QPoint position = window->pos();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    if (wasVisible) {
        window->move(position);
        window->show();
    }
}
