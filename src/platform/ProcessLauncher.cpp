#include "ProcessLauncher.h"

#include <QFileInfo>
#include <QProcess>

bool ProcessLauncher::start(const QString& programPath, QString* errorMessage)
{
    QProcess process;
    process.setProgram(programPath);
    process.setWorkingDirectory(QFileInfo(programPath).absolutePath());
    if (process.startDetached()) {
        return true;
    }
    if (errorMessage) {
        *errorMessage = process.errorString();
    }
    return false;
}
