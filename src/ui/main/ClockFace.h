#pragma once

#include <QImage>
#include <QWidget>

// One analogue face: the face picture on the background colour, with the hands drawn on top. The face keeps
// what it shows in an image at the screen's full resolution, so the hands survive repaints and tests can read
// its pixels. Positions are in the face's own units: (-16, 16) top left, (16, -16) bottom right.
class ClockFace final : public QWidget
{
    Q_OBJECT

public:
    explicit ClockFace(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }

    // A new background clears the hands, as the picture is laid on it afresh.
    void setBackColor(const QColor& colour);
    QColor backColor() const { return m_backColor; }

    // Fits the face's units to its present size and resolution; a face that changed starts without hands, and
    // says so.
    bool scaleFace();
    void clear();
    void drawHand(int x, int y);
    void drawSecHand(int x, int y);

    const QImage& image() const { return m_image; }
    // The pixel of the image under a point in face units.
    QPoint toPixel(int x, int y) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointF toDevice(int x, int y) const;
    void rebuildBase();

    QImage m_picture;
    QImage m_base;  // background and picture, at device resolution
    QImage m_image; // m_base with the hands
    QColor m_backColor = Qt::black;
};
