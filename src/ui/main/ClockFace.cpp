#include "ClockFace.h"

#include <QPainter>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>

#include "ui/FocusFrame.h"

namespace {
constexpr qreal UnitsAcross = 32.0;
constexpr qreal HandWidth = 2.0;
constexpr qreal SecondHandWidth = 1.0;

// The background with the picture laid on it. The faces of a window share picture, size and background, so the
// base made for one is handed to the next as it is, and the window keeps one copy of those pixels, not seven.
QImage faceBase(const QSize& deviceSize, const QColor& background, const QImage& picture)
{
    static QImage last;
    static QColor lastBackground;
    static qint64 lastPicture = 0;
    if (last.size() == deviceSize && lastBackground == background && lastPicture == picture.cacheKey()) {
        return last;
    }
    QImage base(deviceSize, QImage::Format_RGB32);
    base.fill(background);
    if (!picture.isNull() && !base.isNull()) {
        QPainter painter(&base);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(base.rect(), picture);
    }
    last = base;
    lastBackground = background;
    lastPicture = picture.cacheKey();
    return base;
}
} // namespace

ClockFace::ClockFace(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A Tab stop, so that the keyboard opens a clock's settings as a double-click does.
    setFocusPolicy(Qt::TabFocus);
}

void ClockFace::setPicture(const QImage& picture)
{
    m_picture = picture;
    rebuildBase();
}

void ClockFace::setBackColor(const QColor& colour)
{
    m_backColor = colour;
    rebuildBase();
}

bool ClockFace::scaleFace()
{
    const QSize deviceSize = size() * devicePixelRatioF();
    if (m_base.size() == deviceSize) {
        return false;
    }
    rebuildBase();
    return true;
}

void ClockFace::rebuildBase()
{
    m_base = faceBase(size() * devicePixelRatioF(), m_backColor, m_picture);
    clear();
}

void ClockFace::clear()
{
    m_image = m_base;
    update();
}

QPointF ClockFace::toDevice(int x, int y) const
{
    return QPointF((x + UnitsAcross / 2) * m_image.width() / UnitsAcross,
                   (UnitsAcross / 2 - y) * m_image.height() / UnitsAcross);
}

QPoint ClockFace::toPixel(int x, int y) const
{
    const QPointF device = toDevice(x, y);
    return QPoint(qMin(int(device.x()), m_image.width() - 1), qMin(int(device.y()), m_image.height() - 1));
}

void ClockFace::drawHand(int x, int y)
{
    if (m_image.isNull()) {
        return;
    }
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, HandWidth * devicePixelRatioF(), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(toDevice(0, 0), toDevice(x, y));
    update();
}

void ClockFace::drawSecHand(int x, int y)
{
    if (m_image.isNull()) {
        return;
    }
    // The second hand moves every second on seven faces, so it is stepped out here rather than stroked by a
    // painter. Every pixel is inverted exactly once, which is what makes a second drawing remove the line.
    const int width = qMax(1, int(std::lround(SecondHandWidth * devicePixelRatioF())));
    const QPoint from = toPixel(0, 0);
    const QPoint to = toPixel(x, y);
    QVarLengthArray<QPoint, 512> pixels;
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int stepX = from.x() < to.x() ? 1 : -1;
    const int stepY = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    QPoint at = from;
    for (;;) {
        for (int i = 0; i < width; ++i) {
            for (int j = 0; j < width; ++j) {
                pixels.emplace_back(at.x() + i, at.y() + j);
            }
        }
        if (at == to) {
            break;
        }
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.rx() += stepX;
        }
        if (twice <= dx) {
            error += dx;
            at.ry() += stepY;
        }
    }
    if (width > 1) {
        const auto before = [](const QPoint& a, const QPoint& b) {
            return std::pair(a.y(), a.x()) < std::pair(b.y(), b.x());
        };
        std::sort(pixels.begin(), pixels.end(), before);
        pixels.erase(std::unique(pixels.begin(), pixels.end()), pixels.end());
    }
    const QRect bounds = m_image.rect();
    uchar* bits = m_image.bits();
    const qsizetype bytesPerLine = m_image.bytesPerLine();
    for (const QPoint& pixel : pixels) {
        if (bounds.contains(pixel)) {
            reinterpret_cast<QRgb*>(bits + pixel.y() * bytesPerLine)[pixel.x()] ^= 0x00FFFFFF;
        }
    }
    // Only the line's own box is painted again: this runs on seven faces every second.
    const qreal ratio = devicePixelRatioF();
    const QRect touched = QRect(from, to).normalized().adjusted(0, 0, width, width);
    update(QRectF(touched.x() / ratio, touched.y() / ratio, touched.width() / ratio, touched.height() / ratio)
               .toAlignedRect()
               .adjusted(-1, -1, 1, 1));
}

void ClockFace::paintEvent(QPaintEvent*)
{
    // The image is already at device resolution: this maps it pixel for pixel.
    QPainter painter(this);
    painter.drawImage(QRectF(rect()), m_image, QRectF(m_image.rect()));
    if (hasFocus()) {
        drawFocusFrame(painter, this, rect());
    }
}
