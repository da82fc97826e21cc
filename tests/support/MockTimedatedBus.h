#pragma once

#include <QDBusConnection>
#include <QString>
#include <QVariantList>

#include "support/DbusmockBus.h"

// A stand-in for systemd-timedated (python3-dbusmock) on a private bus of the test's own, so the clock's D-Bus path
// can be exercised without the system bus.
class MockTimedatedBus
{
public:
    MockTimedatedBus();

    // Empty when the stand-in runs; otherwise what is missing (the tests skip then).
    QString unavailableReason() const { return m_bus.unavailableReason(); }
    QDBusConnection connection() const { return m_bus.connection(); }

    // The arguments of every SetTime call the stand-in has received, oldest first.
    QList<QVariantList> setTimeCalls() const;
    // From now on SetTime answers with this D-Bus error.
    [[nodiscard]] bool refuseSetTime(const QString& errorName, const QString& message) const;
    // From now on SetTime succeeds only when it may ask the user for the right, as polkit does for a user who must
    // type a password.
    [[nodiscard]] bool requireAskingForSetTime() const;
    // Switches the automatic network time that the stand-in reports (on when it starts).
    [[nodiscard]] bool setAutomaticTime(bool on) const;
    // Ends the stand-in, leaving a bus without timedated.
    void stopTimedated() { m_bus.stopService(); }

private:
    [[nodiscard]] bool replaceSetTime(const QString& code) const;

    DbusmockBus m_bus;
};
