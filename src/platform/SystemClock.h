#pragma once

#include <QDBusConnection>

#include <optional>

#include "platform/Clock.h"

// The real clock. Setting it uses clock_settime when the process has the right, and otherwise asks
// systemd-timedated over D-Bus, which lets the desktop ask the user for permission. Whether the system keeps the
// clock in step itself is timedated's to say.
class SystemClock final : public Clock
{
public:
    // The program asks timedated on the system bus, connected only when it is first needed, so that start-up
    // does not wait for the bus; a test passes a bus of its own.
    SystemClock() = default;
    explicit SystemClock(QDBusConnection bus);

    QDateTime now() const override;
    bool keptInStepBySystem() const override;
    [[nodiscard]] Setting setSystemTime(const QTime& localTime, Asking asking, QString* errorMessage) override;
    [[nodiscard]] Setting setSystemDate(const QDate& localDate, Asking asking, QString* errorMessage) override;

private:
    [[nodiscard]] Setting
    setTo(const QDate& localDate, const QTime& localTime, Asking asking, QString* errorMessage) const;
    QDBusConnection bus() const;

    std::optional<QDBusConnection> m_bus;
};
