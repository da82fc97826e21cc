#pragma once

#include <QLabel>

// A label that tells which mouse button pressed it, and when a left click on it was completed.
class PressLabel final : public QLabel
{
    Q_OBJECT

public:
    explicit PressLabel(QWidget* parent = nullptr);

signals:
    void pressed(Qt::MouseButton button);
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
