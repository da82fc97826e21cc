#pragma once

#include <QObject>
#include <QPixmap>

class QString;

// One picture cut into equal cells side by side, numbered from 0 at the left. A picture that cannot be read
// gives empty cells, so a missing asset costs a picture, never the window.
class PictureClip final : public QObject
{
    Q_OBJECT

public:
    explicit PictureClip(QObject* parent = nullptr);

    void load(const QString& path);
    void setCols(int cells);
    int cols() const { return m_cells; }

    // The cell's picture; empty outside 0..cols()-1.
    QPixmap GraphicCell(int index) const;

private:
    QPixmap m_picture;
    int m_cells = 1;
};
