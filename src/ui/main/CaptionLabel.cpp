#include "CaptionLabel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace {

// Below this size a caption is no longer read at a glance; what still does not fit is cut short.
constexpr int SmallestPixelSize = 7;
// Kept clear at either side, so that neighbouring captions never run into each other.
constexpr int EdgeClearance = 1;

bool fits(const QFont& font, const QString& text, int width)
{
    return QFontMetricsF(font).horizontalAdvance(text) <= width;
}

QFont narrowed(const QFont& design)
{
    QFont narrow = design;
    // The narrow cut of the design face; where it is missing, the face itself drawn condensed.
    narrow.setFamilies(QStringList{QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Arial Narrow")}
                       + design.families());
    narrow.setStretch(QFont::Condensed);
    return narrow;
}

} // namespace

CaptionLabel::CaptionLabel(QWidget* parent)
    : QLabel(parent)
{
}

CaptionLabel::Fit CaptionLabel::fit() const
{
    const QString caption = text();
    const int width = contentsRect().width() - 2 * EdgeClearance;
    if (fits(font(), caption, width)) {
        return {font(), caption};
    }
    QFont narrow = narrowed(font());
    for (int size = font().pixelSize(); size >= SmallestPixelSize; --size) {
        narrow.setPixelSize(size);
        if (fits(narrow, caption, width)) {
            return {narrow, caption};
        }
    }
    return {narrow, QFontMetrics(narrow).elidedText(caption, Qt::ElideRight, width)};
}

QString CaptionLabel::shownText() const
{
    return fit().text;
}

void CaptionLabel::paintEvent(QPaintEvent*)
{
    const Fit shown = fit();
    QPainter painter(this);
    painter.setFont(shown.font);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect(), int(alignment()), shown.text);
}

bool CaptionLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && shownText() != text()) {
        // A caption cut short is read whole in its tip, above what the tip says of the caption anyway.
        const QString own = toolTip();
        QToolTip::showText(
            static_cast<QHelpEvent*>(event)->globalPos(), own.isEmpty() ? text() : text() + u'\n' + own, this);
        return true;
    }
    return QLabel::event(event);
}
