#pragma once

#include <QString>
#include <QtGlobal>

#include "platform/Clock.h"

class QDBusConnection;

// Whether systemd-timedated on bus keeps the clock in step with network time (its NTP property); false when there
// is no timedated to ask.
bool timedatedKeepsTimeInStep(const QDBusConnection& bus);

// Asks systemd-timedated on bus to set the clock to microsecondsSinceEpoch (UTC); with MayAsk the desktop may ask
// the user for the right first. Every refusal (no right, automatic time synchronisation on, no timedated, no bus)
// comes with a sentence for the user in errorMessage.
[[nodiscard]] Clock::Setting setTimeThroughTimedated(const QDBusConnection& bus,
                                                     qint64 microsecondsSinceEpoch,
                                                     Clock::Asking asking,
                                                     QString* errorMessage);
