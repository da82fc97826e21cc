#include "MapViewport.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>

MapViewport::MapViewport(QWidget* parent)
    : QWidget(parent)
{
}

void MapViewport::setMap(QWidget* map, const QPixmap& picture, int period)
{
    m_map = map;
    m_picture = picture;
    m_period = period;
    map->installEventFilter(this);
    update();
}

bool MapViewport::eventFilter(QObject* watched, QEvent* event)
{
    // The copies move with the map, but Qt repaints only the strip a moved child uncovers.
    if (watched == m_map && event->type() == QEvent::Move) {
        update();
    }
    return QWidget::eventFilter(watched, event);
}

void MapViewport::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (!m_map || m_picture.isNull()) {
        return;
    }
    for (const int copy : {-1, 1}) {
        painter.drawPixmap(m_map->pos() + QPoint(copy * m_period, 0), m_picture);
    }
}

void MapViewport::mousePressEvent(QMouseEvent* event)
{
    m_pressedArea = nullptr;
    forward(event);
}

void MapViewport::mouseReleaseEvent(QMouseEvent* event)
{
    forward(event);
    m_pressedArea = nullptr;
}

void MapViewport::forward(QMouseEvent* event)
{
    if (!m_map || m_period <= 0) {
        return;
    }
    QWidget* area = m_pressedArea;
    QPoint inMap = event->position().toPoint() - m_map->pos();
    inMap.setX(((inMap.x() % m_period) + m_period) % m_period);
    if (!area) {
        area = m_map->childAt(inMap);
        if (!area || area->parentWidget() != m_map || area->objectName() == u"Image1") {
            return;
        }
        m_pressedArea = area;
    }
    const QPoint local = area->mapFrom(m_map, inMap);
    QMouseEvent copy(
        event->type(), local, area->mapToGlobal(local), event->button(), event->buttons(), event->modifiers());
    QCoreApplication::sendEvent(area, &copy);
}
