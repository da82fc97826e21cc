#pragma once

#include "platform/Services.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeLauncher.h"
#include "support/FakePrinter.h"
#include "support/FakeSound.h"
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

    Services services() { return Services{clock, sound, dialogs, launcher, printer, windowOrder}; }
};
