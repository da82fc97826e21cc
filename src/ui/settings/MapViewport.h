#pragma once

#include <QPixmap>
#include <QWidget>

// The window onto the zone map. The world goes round: where the scrolled map leaves part of the window
// uncovered, the other end of the picture shows there, and a press on it reaches the area it shows.
class MapViewport final : public QWidget
{
public:
    explicit MapViewport(QWidget* parent);

    // map is the scrolled child holding the picture at its top left corner and the areas over it; the world
    // repeats every period pixels. Without a picture the copies are not drawn but still answer presses.
    void setMap(QWidget* map, const QPixmap& picture, int period);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Passes a press or release on a copy of the picture to the area under the same place of the map.
    void forward(QMouseEvent* event);

    QWidget* m_map = nullptr;
    QPixmap m_picture;
    int m_period = 0;
    QWidget* m_pressedArea = nullptr;
};
