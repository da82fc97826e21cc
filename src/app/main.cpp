#include <QApplication>

#include "core/Module1.h"
#include "platform/MessageBoxDialogs.h"
#include "platform/ProcessLauncher.h"
#include "platform/QtSound.h"
#include "platform/QtWindowOrder.h"
#include "platform/SystemClock.h"
#include "platform/SystemPrinter.h"
#include "ui/Forms.h"
#include "ui/main/huxofrm.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("HUXO"));

    SystemClock clock;
    QtSound sound;
    MessageBoxDialogs dialogs;
    ProcessLauncher launcher;
    SystemPrinter printer;
    QtWindowOrder windowOrder;
    Module1 module(Services{clock, sound, dialogs, launcher, printer, windowOrder},
                   QCoreApplication::applicationDirPath());

    Forms forms(module);
    huxofrm mainWindow(module, forms);
    QObject::connect(&mainWindow, &huxofrm::unloaded, &app, &QApplication::quit);
    mainWindow.Form_Load();
    mainWindow.show();
    return QApplication::exec();
}
