#pragma once

#include <QLatin1String>
#include <QWidget>

// Every control is made here, so that its member name and its objectName cannot drift apart.
template <typename W>
W* makeControl(QWidget* parent, const char* name)
{
    auto* control = new W(parent);
    control->setObjectName(QLatin1String(name));
    return control;
}
