#pragma once

#include <QLabel>
#include <QLatin1String>
#include <QWidget>

#include <type_traits>

#include "core/Twips.h"

// Every control is made here, so that its member name and its objectName cannot drift apart. A label shows its
// text as it stands: captions, newsflashes and newsletters come from files and servers, and markup in them must
// neither restyle a window nor make it load or lay out anything.
template <typename W>
W* makeControl(QWidget* parent, const char* name)
{
    auto* control = new W(parent);
    control->setObjectName(QLatin1String(name));
    if constexpr (std::is_base_of_v<QLabel, W>) {
        control->setTextFormat(Qt::PlainText);
    }
    return control;
}

// Places a control by its rectangle in twips, the unit the window designs are drawn in.
inline void placeInTwips(QWidget* control, int left, int top, int width, int height)
{
    control->setGeometry(Twips::toPixels(left, top, width, height));
}
