#pragma once

#include <QString>

class Forms;

// The program's one link, which the system time window holds, for the windows that fetch a program file over it
// without knowing that window.
namespace ProgramLink {

// Fetches a file the update server offers; the system time window is loaded, unseen, when it is not.
bool fetch(Forms& forms, const QString& serverName, const QString& bareName, QString* failure);

// Ends a transfer on the link, if its window is loaded.
void stop(const Forms& forms);

} // namespace ProgramLink
