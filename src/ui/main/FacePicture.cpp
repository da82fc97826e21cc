#include "FacePicture.h"

#include <QPainter>
#include <QtMath>

namespace {

struct DialColours
{
    QColor dial;
    QColor rim;
    QColor marks;
};

// On a dark window a full cream dial glares: it is toned down and ringed with a lighter rim, and stays light
// enough for the black hands.
const DialColours OnLight{QColor(244, 240, 228), QColor(70, 78, 90), QColor(60, 66, 76)};
const DialColours OnDark{QColor(190, 186, 176), QColor(128, 136, 150), QColor(52, 56, 64)};

} // namespace

QImage renderFacePicture(const QSize& deviceSize, bool onDarkWindow)
{
    const DialColours& colours = onDarkWindow ? OnDark : OnLight;
    QImage picture(deviceSize, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    if (picture.isNull()) {
        return picture;
    }
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    const qreal scale = qMin(deviceSize.width(), deviceSize.height()) / 60.0;
    const QPointF centre(deviceSize.width() / 2.0, deviceSize.height() / 2.0);
    const qreal radiusX = deviceSize.width() / 2.0 - 1.5 * scale;
    const qreal radiusY = deviceSize.height() / 2.0 - 1.5 * scale;

    painter.setPen(QPen(colours.rim, 2.0 * scale));
    painter.setBrush(colours.dial);
    painter.drawEllipse(centre, radiusX, radiusY);

    for (int mark = 0; mark < 12; ++mark) {
        const bool quarter = mark % 3 == 0;
        const qreal angle = mark * M_PI / 6;
        const qreal outer = 0.90;
        const qreal inner = quarter ? 0.72 : 0.80;
        painter.setPen(QPen(colours.marks, (quarter ? 2.2 : 1.2) * scale, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(
            QPointF(centre.x() + std::sin(angle) * radiusX * inner, centre.y() - std::cos(angle) * radiusY * inner),
            QPointF(centre.x() + std::sin(angle) * radiusX * outer, centre.y() - std::cos(angle) * radiusY * outer));
    }

    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.marks);
    painter.drawEllipse(centre, 1.6 * scale, 1.6 * scale);
    return picture;
}
