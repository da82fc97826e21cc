#include "ExclamationPicture.h"

#include <QPainter>
#include <QPainterPath>

QPixmap exclamationPicture(int size, qreal devicePixelRatio)
{
    QPixmap picture(QSize(size, size) * devicePixelRatio);
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(Qt::transparent);

    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal edge = size * 0.06;
    QPainterPath triangle;
    triangle.moveTo(size / 2.0, edge);
    triangle.lineTo(size - edge, size - edge);
    triangle.lineTo(edge, size - edge);
    triangle.closeSubpath();
    painter.setPen(QPen(QColor(0x40, 0x30, 0x00), edge, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(QColor(0xff, 0xcc, 0x00));
    painter.drawPath(triangle);

    // The mark: a bar and a dot, in the lower two thirds where the triangle is wide enough.
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const qreal barWidth = size * 0.11;
    painter.drawRoundedRect(
        QRectF(size / 2.0 - barWidth / 2, size * 0.33, barWidth, size * 0.33), barWidth / 3, barWidth / 3);
    painter.drawEllipse(QPointF(size / 2.0, size * 0.78), barWidth * 0.6, barWidth * 0.6);
    return picture;
}
