#include "WindowPlacement.h"

#include <QLayout>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <array>

namespace {

// The frame a window manager adds is known only once a window is on the screen; until then this much is allowed
// for a title bar and borders.
constexpr QMargins AssumedFrame(4, 28, 4, 4);

int clampedInto(int start, int length, int rangeStart, int rangeLength)
{
    return std::clamp(start, rangeStart, std::max(rangeStart, rangeStart + rangeLength - length));
}

QPoint keptOnScreen(const QPoint& topLeft, const QSize& frame, const QRect& screen)
{
    return QPoint(clampedInto(topLeft.x(), frame.width(), screen.x(), screen.width()),
                  clampedInto(topLeft.y(), frame.height(), screen.y(), screen.height()));
}

// The anchor's frame: as the window manager drew it once the anchor is on the screen; before that, a move has
// placed the frame's top-left corner.
QRect frameOf(const QWidget& anchor)
{
    if (anchor.isVisible()) {
        return anchor.frameGeometry();
    }
    return QRect(anchor.pos(), anchor.size().grownBy(AssumedFrame));
}

} // namespace

namespace WindowPlacement {

QPoint besideAnchor(const QRect& anchorFrame, const QSize& frame, const QRect& screen)
{
    const int acrossAnchor = clampedInto(anchorFrame.x(), frame.width(), screen.x(), screen.width());
    const int downAnchor = clampedInto(anchorFrame.y(), frame.height(), screen.y(), screen.height());
    const std::array<QPoint, 4> beside = {
        QPoint(acrossAnchor, anchorFrame.bottom() + 1),
        QPoint(acrossAnchor, anchorFrame.top() - frame.height()),
        QPoint(anchorFrame.right() + 1, downAnchor),
        QPoint(anchorFrame.left() - frame.width(), downAnchor),
    };
    for (const QPoint& topLeft : beside) {
        if (screen.contains(QRect(topLeft, frame))) {
            return topLeft;
        }
    }
    return keptOnScreen(anchorFrame.topLeft(), frame, screen);
}

void placeBeside(QWidget& window, const QWidget& anchor)
{
    const QScreen* screen = anchor.screen();
    if (!screen) {
        return;
    }
    // A window sized by its layout takes its size when the layout first runs.
    if (QLayout* layout = window.layout()) {
        layout->activate();
    }
    const QRect anchorFrame = frameOf(anchor);
    // The same window manager frames both windows alike.
    const QSize frame = window.size() + anchorFrame.size() - anchor.size();
    // Before the window is shown, a move places its frame, title bar included.
    window.move(besideAnchor(anchorFrame, frame, screen->availableGeometry()));
}

void belongTo(QWidget& window, QWidget& anchor)
{
    // Both need their native windows for the link; made now, they are shown later as usual.
    window.winId();
    anchor.winId();
    window.windowHandle()->setTransientParent(anchor.windowHandle());
}

} // namespace WindowPlacement
