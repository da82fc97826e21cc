#pragma once

#include <QColor>
#include <QLabel>
#include <QPalette>

// A label's text colour and, when valid, its own background; an invalid background leaves it see-through.
inline void colourLabel(QLabel* label, const QColor& text, const QColor& background = QColor())
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Window, background);
    label->setPalette(palette);
    label->setAutoFillBackground(background.isValid());
}

inline void setBackground(QWidget* surface, const QColor& colour)
{
    QPalette palette = surface->palette();
    palette.setColor(QPalette::Window, colour);
    surface->setPalette(palette);
    surface->setAutoFillBackground(true);
}
