#pragma once

#include <QString>
#include <QWidget>

#include "ui/DesignFont.h"

// How a secondary window begins: the name tests and tools know it by, its title bar text and the dialog face its
// controls inherit.
inline void beginDialog(QWidget& window, const char* name, const QString& title)
{
    window.setObjectName(QLatin1String(name));
    window.setWindowTitle(title);
    window.setFont(dialogFont());
}
