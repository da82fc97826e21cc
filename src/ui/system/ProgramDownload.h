#pragma once

#include <QByteArray>
#include <QString>

class Module1;
class QWidget;

// A program file that the update server offers arrives over plain HTTP with nothing to show where it came from,
// so it is saved without the right to run and never started by the program: the user is told where it is.
namespace ProgramDownload {

// Writes the file, by bare name, in the program folder, replacing an older one whole.
[[nodiscard]] bool save(Module1& module, const QByteArray& bytes, const QString& bareName);

// "Your new file ... has arrived.", then where it is and that the user may run it.
void tellArrived(Module1& module, const QString& bareName, QWidget* parent);

} // namespace ProgramDownload
