#include "PressLabel.h"

#include <QMouseEvent>

PressLabel::PressLabel(QWidget* parent)
    : QLabel(parent)
{
}

void PressLabel::mousePressEvent(QMouseEvent* event)
{
    emit pressed(event->button());
    event->accept();
}

void PressLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    event->accept();
}
