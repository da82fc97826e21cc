#include "ProgramDownload.h"

#include <QFile>

#include "core/Module1.h"
#include "core/ProgramTitle.h"
#include "core/WholeFile.h"
#include "platform/Dialogs.h"

namespace ProgramDownload {

bool save(Module1& module, const QByteArray& bytes, const QString& bareName)
{
    const QString path = module.programFile(bareName);
    return writeWholeFile(path, bytes)
           && QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
}

void tellArrived(Module1& module, const QString& bareName, QWidget* parent)
{
    Dialogs& dialogs = module.services().dialogs;
    dialogs.tell(QStringLiteral("Your new file '%1' has arrived.").arg(bareName), ProgramTitle(), Dialogs::Icon::None,
                 parent);
    dialogs.tell(QStringLiteral("To install the downloaded file run the program ' %1 ' which is in your HUXO folder. "
                                "You may wish to delete %1 after using it.")
                     .arg(bareName),
                 ProgramTitle(),
                 Dialogs::Icon::None,
                 parent);
}

} // namespace ProgramDownload
