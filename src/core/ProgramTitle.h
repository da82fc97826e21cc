#pragma once

#include <QString>

// The caption of the main window and of every message box that names no title of its own.
inline QString ProgramTitle()
{
    return QStringLiteral("HUXO 5.1");
}
