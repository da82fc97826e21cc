#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace WindowPlacement {

// The top-left corner of a window frame of the given size: beside the anchor's frame where it fits whole on the
// screen (below, above, right, left, in that order), else over the anchor; always on the screen as far as its size
// allows, and its top-left corner, with the title bar, in any case.
QPoint besideAnchor(const QRect& anchorFrame, const QSize& frame, const QRect& screen);

// Moves a window that has not been shown yet beside the anchor window, on the anchor's screen.
void placeBeside(QWidget& window, const QWidget& anchor);

// Where the desktop alone places windows, makes a window that has not been shown yet the anchor's own, which the
// desktop then opens by the anchor and keeps with it, rather than wherever it finds room.
void belongTo(QWidget& window, QWidget& anchor);

} // namespace WindowPlacement
