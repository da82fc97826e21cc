#include "ProgramDownload.h"

#include <QDir>
#include <QFileInfo>

#include "core/Module1.h"
#include "core/ProgramTitle.h"
#include "platform/Dialogs.h"

namespace {

// A folder for a shell command line, whatever characters its name holds.
QString shellQuoted(const QString& text)
{
    return u'\'' + QString(text).replace(QStringLiteral("'"), QStringLiteral("'\\''")) + u'\'';
}

} // namespace

namespace ProgramDownload {

void tellArrived(Module1& module, const QString& bareName, QWidget* parent)
{
    const QString folder = QDir::toNativeSeparators(QFileInfo(module.programFile(bareName)).absolutePath());
    module.services().dialogs.tell(
        QStringLiteral("Your new file '%1' has arrived.\n\n"
                       "It is saved in %2, and HUXO has not run it. To install it, run it yourself, for example "
                       "in a terminal:\n\n"
                       "cd %3\n"
                       "chmod u+x %1\n"
                       "./%1\n\n"
                       "You may wish to delete %1 after using it.")
            .arg(bareName, folder, shellQuoted(folder)),
        ProgramTitle(),
        Dialogs::Icon::None,
        parent);
}

void tellNotArrived(Module1& module, const QString& bareName, const QString& failure, QWidget* parent)
{
    module.services().dialogs.tell(
        QStringLiteral("Your file '%1' did not arrive. %2\n\nNothing was saved; try again later.")
            .arg(bareName, failure),
        ProgramTitle(),
        Dialogs::Icon::Exclamation,
        parent);
}

} // namespace ProgramDownload
