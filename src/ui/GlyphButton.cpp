#include "GlyphButton.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "ui/FocusFrame.h"

namespace {

const QColor Ink(40, 44, 52);
const QColor Paper(250, 248, 240);
const QColor PageHeader(200, 30, 30);

void drawArrow(QPainter& painter, const QRectF& box, bool up, const QColor& colour)
{
    const qreal middle = box.center().x();
    QPainterPath path;
    if (up) {
        path.moveTo(middle, box.top());
        path.lineTo(box.right(), box.bottom());
        path.lineTo(box.left(), box.bottom());
    } else {
        path.moveTo(box.left(), box.top());
        path.lineTo(box.right(), box.top());
        path.lineTo(middle, box.bottom());
    }
    path.closeSubpath();
    painter.fillPath(path, colour);
}

void drawText(QPainter& painter, const QRectF& box, const QString& text, const QColor& colour)
{
    QFont font = painter.font();
    font.setPixelSize(qMax(4, int(box.height())));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(box, Qt::AlignCenter, text);
}

void drawLeaf(QPainter& painter, const QRectF& box, const QColor& header, qreal headerShare)
{
    painter.setPen(QPen(Ink, 0.6));
    painter.setBrush(Paper);
    painter.drawRoundedRect(box, box.width() * 0.12, box.width() * 0.12);
    painter.setPen(Qt::NoPen);
    painter.setBrush(header);
    painter.drawRect(QRectF(box.left(), box.top(), box.width(), box.height() * headerShare));
}

void drawGlyph(QPainter& painter, GlyphButton::Glyph glyph, const QRectF& box, const QColor& colour)
{
    using Glyph = GlyphButton::Glyph;
    const qreal unit = qMin(box.width(), box.height());
    switch (glyph) {
    case Glyph::ArrowUp:
    case Glyph::ArrowDown:
        drawArrow(painter, box, glyph == Glyph::ArrowUp, colour);
        break;
    case Glyph::Bar:
        painter.fillRect(box, colour);
        break;
    case Glyph::Globe: {
        const QRectF ball(box.center().x() - unit / 2, box.center().y() - unit / 2, unit, unit);
        painter.setPen(QPen(colour, unit * 0.12));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(ball.adjusted(unit * 0.06, unit * 0.06, -unit * 0.06, -unit * 0.06));
        painter.drawEllipse(ball.adjusted(unit * 0.32, unit * 0.06, -unit * 0.32, -unit * 0.06));
        painter.drawLine(QPointF(ball.left(), ball.center().y()), QPointF(ball.right(), ball.center().y()));
        break;
    }
    case Glyph::Question:
        drawText(painter, box, QStringLiteral("?"), colour);
        break;
    case Glyph::Today:
        drawLeaf(painter, box.adjusted(box.width() * 0.1, 0, -box.width() * 0.1, 0), colour, 0.3);
        break;
    case Glyph::Calendar: {
        drawLeaf(painter, box, colour, 0.3);
        painter.setPen(QPen(Ink, unit * 0.08));
        for (int row = 1; row <= 2; ++row) {
            const qreal y = box.top() + box.height() * (0.3 + 0.23 * row);
            painter.drawLine(QPointF(box.left() + 1, y), QPointF(box.right() - 1, y));
        }
        break;
    }
    case Glyph::Pin: {
        const qreal middle = box.center().x();
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(QPointF(middle, box.top() + unit * 0.3), unit * 0.3, unit * 0.3);
        painter.setPen(QPen(colour, unit * 0.12));
        painter.drawLine(QPointF(middle, box.top() + unit * 0.5), QPointF(middle, box.bottom()));
        break;
    }
    case Glyph::Bell: {
        QPainterPath bell;
        bell.moveTo(box.left() + unit * 0.1, box.bottom() - unit * 0.2);
        bell.cubicTo(box.left() + unit * 0.3,
                     box.bottom() - unit * 0.4,
                     box.left() + unit * 0.1,
                     box.top(),
                     box.center().x(),
                     box.top());
        bell.cubicTo(box.right() - unit * 0.1,
                     box.top(),
                     box.right() - unit * 0.3,
                     box.bottom() - unit * 0.4,
                     box.right() - unit * 0.1,
                     box.bottom() - unit * 0.2);
        bell.closeSubpath();
        painter.fillPath(bell, colour);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(QPointF(box.center().x(), box.bottom() - unit * 0.1), unit * 0.12, unit * 0.12);
        break;
    }
    case Glyph::Columns: {
        const qreal width = box.width() / 5;
        for (int column = 0; column < 3; ++column) {
            painter.fillRect(QRectF(box.left() + width * (2 * column), box.top(), width, box.height()), colour);
        }
        break;
    }
    case Glyph::One:
    case Glyph::Two:
        painter.fillRect(box, colour);
        drawText(painter, box, glyph == Glyph::One ? QStringLiteral("1") : QStringLiteral("2"), Paper);
        break;
    case Glyph::Page:
        // The header carries the weekday only.
        drawLeaf(painter, box.adjusted(0.5, 0.5, -0.5, -0.5), PageHeader, 0.14);
        break;
    }
}

} // namespace

GlyphButton::GlyphButton(Glyph glyph, const QColor& colour, QWidget* parent)
    : QAbstractButton(parent)
    , m_glyph(glyph)
    , m_colour(colour)
{
    setFocusPolicy(Qt::TabFocus);
}

void GlyphButton::activate()
{
    if (m_actsOnDoubleClick || (isCheckable() && isChecked())) {
        emit doubleClicked();
    } else {
        click();
    }
}

void GlyphButton::setColour(const QColor& colour)
{
    if (colour != m_colour) {
        m_colour = colour;
        update();
    }
}

void GlyphButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (autoFillBackground()) {
        painter.fillRect(rect(), palette().color(QPalette::Window));
    }
    QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (isChecked() || isDown()) {
        // Pressed: a sunken frame around the glyph.
        painter.setPen(QPen(palette().color(QPalette::Dark), 1));
        painter.setBrush(palette().color(QPalette::Midlight));
        painter.drawRect(box);
        box.adjust(1, 1, -1, -1);
    }
    if (!isEnabled()) {
        // Faded, as a control that does nothing here.
        painter.setOpacity(0.35);
    }
    drawGlyph(painter, m_glyph, box, m_colour);
    if (hasFocus()) {
        drawFocusFrame(painter, this, rect());
    }
}

void GlyphButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
        event->accept();
        return;
    }
    QAbstractButton::mouseDoubleClickEvent(event);
}

void GlyphButton::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && !event->isAutoRepeat()) {
        activate();
        event->accept();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}
