// How late after each change of second the main window's tick runs, on the real clock, and whether any second is
// skipped or ticked twice. Usage: bench_TickDelay [seconds], 300 by default.
#include <QApplication>
#include <QDateTime>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/Module1.h"
#include "platform/SystemClock.h"
#include "support/FakeServices.h"
#include "ui/Forms.h"
#include "ui/main/huxofrm.h"

namespace {

// Notes the wall-clock time at which each timer event reaches the tick's timer, just before it runs the tick.
class TickWatcher final : public QObject
{
public:
    std::vector<qint64> tickTimes; // milliseconds since the epoch

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Timer) {
            tickTimes.push_back(QDateTime::currentMSecsSinceEpoch());
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 300;

    QTemporaryDir folder;
    FakeServices fakes;
    SystemClock clock;
    Services services = fakes.services();
    Services real{clock,
                  services.sound,
                  services.dialogs,
                  services.launcher,
                  services.printer,
                  services.windowOrder,
                  services.uptime,
                  services.notifier};
    Module1 module(real, folder.path());
    Forms forms(module);
    huxofrm window(module, forms);
    TickWatcher watcher;
    window.findChild<QTimer*>(QStringLiteral("Timer1"))->installEventFilter(&watcher);
    window.Form_Load();
    window.show();
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    QApplication::exec();

    std::vector<qint64> delays;
    int skipped = 0;
    int doubled = 0;
    for (size_t i = 0; i < watcher.tickTimes.size(); ++i) {
        delays.push_back(watcher.tickTimes[i] % 1000);
        if (i > 0) {
            const qint64 step = watcher.tickTimes[i] / 1000 - watcher.tickTimes[i - 1] / 1000;
            skipped += step > 1 ? int(step - 1) : 0;
            doubled += step == 0 ? 1 : 0;
        }
    }
    if (delays.empty()) {
        std::printf("no tick ran\n");
        return 1;
    }
    std::vector<qint64> sorted = delays;
    std::sort(sorted.begin(), sorted.end());
    std::printf("ticks: %zu in %d s\n", delays.size(), seconds);
    std::printf("delay after the second boundary: median %lld ms, 95th percentile %lld ms, worst %lld ms "
                "(targets: median < 5, worst < 30)\n",
                static_cast<long long>(sorted[sorted.size() / 2]),
                static_cast<long long>(sorted[sorted.size() * 95 / 100]),
                static_cast<long long>(sorted.back()));
    std::printf("seconds skipped: %d, seconds ticked twice: %d\n", skipped, doubled);
    return 0;
}
