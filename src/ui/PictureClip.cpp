#include "PictureClip.h"

#include <QString>

#include "core/PictureFile.h"

PictureClip::PictureClip(QObject* parent)
    : QObject(parent)
{
}

void PictureClip::load(const QString& path)
{
    m_picture = QPixmap::fromImage(readPictureFile(path));
}

void PictureClip::setCols(int cells)
{
    m_cells = qMax(1, cells);
}

QPixmap PictureClip::GraphicCell(int index) const
{
    if (m_picture.isNull() || index < 0 || index >= m_cells) {
        return QPixmap();
    }
    const int width = m_picture.width() / m_cells;
    return m_picture.copy(index * width, 0, width, m_picture.height());
}
