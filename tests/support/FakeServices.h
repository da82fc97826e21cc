#pragma once

#include "platform/DesktopNotifier.h"
#include "platform/Services.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeLauncher.h"
#include "support/FakePrinter.h"
#include "support/FakeSound.h"
#include "support/FakeUptime.h"
#include "support/FakeWindowOrder.h"

// One of each fake, and the Services that hand them out.
struct FakeServices
{
    FakeClock clock;
    FakeSound sound;
    FakeDialogs dialogs;
    FakeLauncher launcher;
    FakePrinter printer;
    FakeWindowOrder windowOrder;
    FakeUptime uptime;
    // The desktop's notifications reach the stand-in of a test that started one first (support/DbusmockBus), and
    // nothing otherwise.
    DesktopNotifier notifier{QDBusConnection(QStringLiteral("huxo-test-notification_daemon"))};

    Services services() { return Services{clock, sound, dialogs, launcher, printer, windowOrder, uptime, notifier}; }
    // Time passing for the program: minutes on the clock and on the uptime alike. A suspend passes the same way;
    // a step of the clock moves the clock alone.
    void advanceSeconds(int seconds)
    {
        clock.advanceSeconds(seconds);
        uptime.advanceSeconds(seconds);
    }
};
