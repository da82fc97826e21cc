#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <QVariantList>

// A private D-Bus daemon of the test's own with a stand-in for systemd-timedated (python3-dbusmock) on it, so the
// clock's D-Bus path can be exercised without the system bus. Both processes end with this object.
class MockTimedatedBus
{
public:
    MockTimedatedBus();
    ~MockTimedatedBus();
    MockTimedatedBus(const MockTimedatedBus&) = delete;
    MockTimedatedBus& operator=(const MockTimedatedBus&) = delete;

    // Empty when the stand-in runs; otherwise what is missing (the tests skip then).
    QString unavailableReason() const { return m_unavailableReason; }
    QDBusConnection connection() const { return m_connection; }

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
    void stopTimedated();

private:
    bool start();
    [[nodiscard]] bool replaceSetTime(const QString& code) const;

    QProcess m_daemon;
    QProcess m_timedated;
    QDBusConnection m_connection{QString()};
    QString m_unavailableReason;
};
