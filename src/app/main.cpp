#include <QApplication>
#include <QIcon>

#include "core/Module1.h"
#include "platform/MessageBoxDialogs.h"
#include "platform/ProcessLauncher.h"
#include "platform/QtSound.h"
#include "platform/QtWindowOrder.h"
#include "platform/SystemClock.h"
#include "platform/SystemPrinter.h"
#include "ui/AccessibleNames.h"
#include "ui/Forms.h"
#include "ui/main/huxofrm.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("HUXO"));
    // The desktop matches the window to its launcher entry and shows the installed icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.huxo.Huxo"));

    AccessibleNames accessibleNames;
    app.installEventFilter(&accessibleNames);

    SystemClock clock;
    QtSound sound;
    MessageBoxDialogs dialogs;
    ProcessLauncher launcher;
    SystemPrinter printer;
    QtWindowOrder windowOrder;
    Module1 module(Services{clock, sound, dialogs, launcher, printer, windowOrder},
                   QCoreApplication::applicationDirPath());
    // The icon beside the program; looking it up in the desktop's icon theme would cost more than drawing the
    // clocks at start-up.
    QApplication::setWindowIcon(QIcon(module.assetFile(QStringLiteral("huxo.png"))));

    Forms forms(module);
    huxofrm mainWindow(module, forms);
    QObject::connect(&mainWindow, &huxofrm::unloaded, &app, &QApplication::quit);
    mainWindow.Form_Load();
    mainWindow.show();
    return QApplication::exec();
}
