#pragma once

#include <QString>
#include <QtGlobal>

class QDBusConnection;

// Asks systemd-timedated on bus to set the clock to microsecondsSinceEpoch (UTC), letting the desktop ask the user
// for permission. Every refusal (no right, automatic time synchronisation on, no timedated, no bus) is a failure
// with a sentence for the user in errorMessage.
[[nodiscard]] bool
setTimeThroughTimedated(const QDBusConnection& bus, qint64 microsecondsSinceEpoch, QString* errorMessage);
