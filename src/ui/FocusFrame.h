#pragma once

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWidget>

// The style's mark of the keyboard focus, for a control that draws itself.
inline void drawFocusFrame(QPainter& painter, const QWidget* control, const QRect& rect)
{
    QStyleOptionFocusRect option;
    option.initFrom(control);
    option.rect = rect;
    control->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, control);
}
