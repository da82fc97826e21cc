#include <QApplication>
#include <QIcon>

#include <csignal>
#include <unistd.h>

#include "app/CommandLine.h"
#include "app/EndRequest.h"
#include "core/Module1.h"
#include "core/PictureFile.h"
#include "platform/DesktopNotifier.h"
#include "platform/MessageBoxDialogs.h"
#include "platform/ModulePrinter.h"
#include "platform/ModuleSound.h"
#include "platform/ProcessLauncher.h"
#include "platform/QtWindowOrder.h"
#include "platform/SingleInstance.h"
#include "platform/SystemClock.h"
#include "platform/SystemUptime.h"
#include "ui/AccessibleNames.h"
#include "ui/AfterFirstDrawing.h"
#include "ui/BringUp.h"
#include "ui/Forms.h"
#include "ui/main/huxofrm.h"

namespace {

void onFileSizeLimit(int)
{
}

// Past a file-size limit a write then fails, and the save says so, instead of the signal ending the program. A
// handler rather than ignoring the signal, so that the programs HUXO starts get the default back.
void surviveFileSizeLimit()
{
    struct sigaction action = {};
    action.sa_handler = onFileSizeLimit;
    sigemptyset(&action.sa_mask);
    sigaction(SIGXFSZ, &action, nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    // Help and the version need no display, and a mistyped option starts nothing.
    CommandLine commandLine(argc, argv);
    if (const std::optional<int> exitStatus = commandLine.answer()) {
        return *exitStatus;
    }
    surviveFileSizeLimit();
    QApplication app(commandLine.toolkitArgc(), commandLine.toolkitArgv());
    QApplication::setApplicationName(QStringLiteral("HUXO"));
    // The desktop matches the window to its launcher entry and shows the installed icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.huxo.Huxo"));

    AccessibleNames accessibleNames;
    app.installEventFilter(&accessibleNames);

    SystemClock clock;
    ModuleSound sound;
    MessageBoxDialogs dialogs;
    ProcessLauncher launcher;
    ModulePrinter printer;
    QtWindowOrder windowOrder;
    SystemUptime uptime;
    DesktopNotifier notifier;
    Module1 module(Services{clock, sound, dialogs, launcher, printer, windowOrder, uptime, notifier},
                   QCoreApplication::applicationDirPath());
    SingleInstance instance(module.AppPath);
    if (!instance.claim()) {
        return 0;
    }
    Forms forms(module);
    huxofrm mainWindow(module, forms);
    QObject::connect(&mainWindow, &huxofrm::unloaded, &app, &QApplication::quit);
    // Ended from outside, the program keeps what a close would, and ends at once: no window or transfer it was in
    // the middle of goes on.
    EndRequest endRequest;
    QObject::connect(&endRequest, &EndRequest::received, &mainWindow, [&mainWindow] {
        mainWindow.endWithoutQuestions();
        ::_exit(0);
    });
    mainWindow.Form_Load();
    mainWindow.show();
    // The icon beside the program, once the clocks are on the screen: looking it up in the desktop's icon theme
    // would cost more than drawing them.
    afterFirstDrawing(mainWindow, [&module] {
        QApplication::setWindowIcon(
            QIcon(QPixmap::fromImage(readPictureFile(module.assetFile(QStringLiteral("huxo.png"))))));
    });
    // Not before: a later start during a message of the start-up finds that message in front already, and the
    // window is not complete yet.
    QObject::connect(&instance,
                     &SingleInstance::laterStartSeen,
                     &mainWindow,
                     [&mainWindow](const QByteArray& activationToken) { bringForward(mainWindow, activationToken); });
    return QApplication::exec();
}
