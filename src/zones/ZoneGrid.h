#pragma once

#include <QImage>
#include <QRegion>

#include <optional>

class QString;

// The zone grid drawn together with the map picture: for each pixel of the picture, water or the offset its land is
// painted with.
class ZoneGrid
{
public:
    // An unreadable file gives an empty grid.
    explicit ZoneGrid(const QString& path);

    bool isNull() const { return m_grid.isNull(); }
    QSize size() const { return m_grid.size(); }

    // The offset painted at a pixel of the picture; none for water and beyond the grid.
    std::optional<float> offsetAt(QPoint pixel) const;

    // The pixels of rect (in pixels of the picture) where a press belongs to an area of this offset: water, and
    // land painted with the offset. Beyond the grid counts as water.
    QRegion shapeOf(const QRect& rect, float offset) const;

private:
    QImage m_grid;
};
