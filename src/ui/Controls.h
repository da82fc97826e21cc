#pragma once

#include <QLatin1String>
#include <QWidget>

#include "core/Twips.h"

// Every control is made here, so that its member name and its objectName cannot drift apart.
template <typename W>
W* makeControl(QWidget* parent, const char* name)
{
    auto* control = new W(parent);
    control->setObjectName(QLatin1String(name));
    return control;
}

// Places a control by its rectangle in twips, the unit the window designs are drawn in.
inline void placeInTwips(QWidget* control, int left, int top, int width, int height)
{
    control->setGeometry(Twips::toPixels(left, top, width, height));
}
