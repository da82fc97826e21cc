// The keyboard's way round the zone map: the arrow keys go from zone to zone, west to east and round the world,
// and Enter or Space picks the zone as a click on it does.
#include "SetTimeFrm.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>

#include "core/Module1.h"
#include "core/Twips.h"
#include "ui/settings/MapViewport.h"
#include "ui/settings/PressLabel.h"

void SetTimeFrm::addMapStop(PressLabel* area, float offset)
{
    if (!area->isVisibleTo(MapWindow)) {
        return;
    }
    // One stop for each offset, west to east: its largest area, which comes first here.
    const auto at = std::lower_bound(m_mapStops.begin(), m_mapStops.end(), offset, [](const MapStop& stop, float east) {
        return stop.offset < east;
    });
    if (at == m_mapStops.end() || at->offset != offset) {
        m_mapStops.insert(at, MapStop{area, offset});
    }
}

bool SetTimeFrm::mapKeyboardEvent(QEvent* event)
{
    if (m_mapStops.empty()) {
        return false;
    }
    if (event->type() == QEvent::FocusIn) {
        // The zone being edited, brought into view when the user came to the map with Tab; as the window opens,
        // the map stays where it is.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        const auto current = std::find_if(m_mapStops.begin(), m_mapStops.end(), [this](const MapStop& stop) {
            return stop.offset == m_module.SetOffset;
        });
        goToMapStop(current == m_mapStops.end() ? 0 : int(current - m_mapStops.begin()),
                    reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason);
    } else if (event->type() == QEvent::FocusOut && m_mapStop >= 0) {
        m_mapStops[size_t(m_mapStop)].area->setMarked(false);
    } else if (event->type() == QEvent::KeyPress && m_mapStop >= 0) {
        const int count = int(m_mapStops.size());
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up:
            goToMapStop((m_mapStop + count - 1) % count, true);
            return true;
        case Qt::Key_Right:
        case Qt::Key_Down:
            goToMapStop((m_mapStop + 1) % count, true);
            return true;
        case Qt::Key_Home:
            goToMapStop(0, true);
            return true;
        case Qt::Key_End:
            goToMapStop(count - 1, true);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            m_mapStops[size_t(m_mapStop)].area->click();
            return true;
        default:
            break;
        }
    }
    return false;
}

void SetTimeFrm::goToMapStop(int index, bool intoView)
{
    if (m_mapStop >= 0) {
        m_mapStops[size_t(m_mapStop)].area->setMarked(false);
    }
    m_mapStop = index;
    PressLabel* area = m_mapStops[size_t(index)].area;
    area->setMarked(true);
    if (intoView) {
        // Into the middle of the view; the user steers the map now, as with the scroll bar's keys.
        m_module.NoAutoScroll = Flag::On;
        HScroll1->setValue(Twips::fromPixels(MapWindow->width() / 2 - area->geometry().center().x()));
    }
    QAccessibleEvent focus(area, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}
