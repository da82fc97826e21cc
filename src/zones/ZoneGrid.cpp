#include "ZoneGrid.h"

#include <QString>

#include <vector>

#include "core/PictureFile.h"
#include "zones/ZoneGridCoding.h"

ZoneGrid::ZoneGrid(const QString& path)
    : m_grid(readPictureFile(path).convertToFormat(QImage::Format_Grayscale8))
{
}

std::optional<float> ZoneGrid::offsetAt(QPoint pixel) const
{
    if (!m_grid.rect().contains(pixel)) {
        return std::nullopt;
    }
    const int grey = m_grid.constScanLine(pixel.y())[pixel.x()];
    if (grey == ZoneGridCoding::WaterGrey) {
        return std::nullopt;
    }
    return float(grey - ZoneGridCoding::GmtGrey) / ZoneGridCoding::StepsPerHour;
}

QRegion ZoneGrid::shapeOf(const QRect& rect, float offset) const
{
    // One band a row, its runs from left to right: the form QRegion::setRects takes without sorting.
    std::vector<QRect> runs;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        int start = -1;
        for (int x = rect.left(); x <= rect.right() + 1; ++x) {
            const auto painted = offsetAt({x, y});
            const bool takes = x <= rect.right() && (!painted || *painted == offset);
            if (takes && start < 0) {
                start = x;
            } else if (!takes && start >= 0) {
                runs.emplace_back(start, y, x - start, 1);
                start = -1;
            }
        }
    }
    QRegion shape;
    shape.setRects(runs.data(), int(runs.size()));
    return shape;
}
