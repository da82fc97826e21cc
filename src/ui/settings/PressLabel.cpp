#include "PressLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ui/FocusFrame.h"

PressLabel::PressLabel(QWidget* parent)
    : QLabel(parent)
{
}

void PressLabel::setStepping(bool stepping)
{
    m_stepping = stepping;
    setFocusPolicy(stepping ? Qt::StrongFocus : Qt::NoFocus);
}

void PressLabel::click()
{
    emit pressed(Qt::LeftButton);
    emit clicked();
}

void PressLabel::setMarked(bool marked)
{
    if (marked != m_marked) {
        m_marked = marked;
        update();
    }
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

void PressLabel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Plus:
        emit stepped(+1);
        break;
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Minus:
        emit stepped(-1);
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        click();
        break;
    default:
        QLabel::keyPressEvent(event);
        return;
    }
    event->accept();
}

void PressLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (m_marked) {
        // The label's mask, when it has one, keeps the highlight to its shape.
        QColor highlight = palette().color(QPalette::Highlight);
        highlight.setAlpha(150);
        QPainter(this).fillRect(rect(), highlight);
    }
    if (hasFocus()) {
        QPainter painter(this);
        drawFocusFrame(painter, this, contentsRect().adjusted(1, 1, -1, -1));
    }
}
