// Time of one tick of the main window on its seven faces: an ordinary second (the second hand moves) and a
// change of minute (every face cleared and all hands drawn again); and of the time-zone hints that a change of
// minute also refreshes.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

#include "core/Module1.h"
#include "support/FakeServices.h"
#include "ui/Forms.h"
#include "ui/main/huxofrm.h"

namespace {

template <typename PrepareTick>
double microsecondsPerTick(huxofrm& window, int ticks, PrepareTick prepare)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < ticks; ++i) {
        prepare(i);
        window.clockModel().DoTick();
    }
    return double(timer.nsecsElapsed()) / 1000.0 / ticks;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QTemporaryDir folder;
    FakeServices fakes;
    const QDateTime start(QDate(2026, 12, 8), QTime(10, 0, 1));
    fakes.clock.setNow(start);
    Module1 module(fakes.services(), folder.path());
    Forms forms(module);
    huxofrm window(module, forms);
    window.Form_Load();
    window.show();
    QCoreApplication::processEvents();

    // The seconds 1 to 58 of one minute, over and over: the minute never changes.
    const double ordinary =
        microsecondsPerTick(window, 50000, [&](int i) { fakes.clock.setNow(start.addSecs(i % 58)); });
    const double fullRedraw = microsecondsPerTick(window, 5000, [&](int i) {
        fakes.clock.setNow(start.addSecs(i % 58));
        window.clockModel().LastMin = -1;
    });

    module.CCaption = QStringLiteral("LONDON");
    module.DCaption = QStringLiteral("TOKYO");
    module.ECaption = QStringLiteral("ARIZONA");
    module.FCaption = QStringLiteral("NEW YORK");
    module.GCaption = QStringLiteral("SYDNEY");
    constexpr int Refreshes = 1000;
    QElapsedTimer hints;
    hints.start();
    for (int i = 0; i < Refreshes; ++i) {
        window.refreshZoneHints();
    }
    const double hintRefresh = double(hints.nsecsElapsed()) / 1000.0 / Refreshes;

    std::printf("ordinary tick (second hand only): %.1f us/tick (target 50)\n", ordinary);
    std::printf("minute-change tick (full redraw): %.1f us/tick (target 500)\n", fullRedraw);
    std::printf("zone hints of five places (once a minute): %.1f us/refresh\n", hintRefresh);
    return 0;
}
