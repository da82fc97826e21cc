#pragma once

#include <QString>

class Module1;
class QWidget;

// A program file that the update server offers (fetched over ProgramLink): what the user is told about it. It
// arrives with nothing to show where it came from, so it is saved without the right to run and never started by the
// program (see fetchProgramFile).
namespace ProgramDownload {

// "Your new file ... has arrived.", where it is, that it was not run, and how the user may run it.
void tellArrived(Module1& module, const QString& bareName, QWidget* parent);

// That the file did not arrive and why; an older file of that name is left as it was.
void tellNotArrived(Module1& module, const QString& bareName, const QString& failure, QWidget* parent);

} // namespace ProgramDownload
