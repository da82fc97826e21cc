#pragma once

#include <QLabel>

// A label that tells which mouse button pressed it, and when a left click on it was completed. One that steps a
// value takes the keyboard focus: the arrow keys and + or - step it, Space and Enter click it. Screen readers
// see a stepping label as a spin button, any other as a button they can press.
class PressLabel final : public QLabel
{
    Q_OBJECT

public:
    explicit PressLabel(QWidget* parent = nullptr);

    void setStepping(bool stepping);
    bool isStepping() const { return m_stepping; }
    // A left click as the mouse makes it: the press, then the completed click.
    void click();
    // A highlight over the label's own shape, for the place the keyboard is at.
    void setMarked(bool marked);

signals:
    void pressed(Qt::MouseButton button);
    void clicked();
    // +1 up, -1 down.
    void stepped(int direction);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_stepping = false;
    bool m_marked = false;
};
