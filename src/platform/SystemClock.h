#pragma once

#include <QDBusConnection>

#include <optional>

#include "platform/Clock.h"

// The real clock. Setting it uses clock_settime when the process has the right, and otherwise asks
// systemd-timedated over D-Bus, which lets the desktop ask the user for permission.
class SystemClock final : public Clock
{
public:
    // The program asks timedated on the system bus, connected only when the clock is first set, so that start-up
    // does not wait for the bus; a test passes a bus of its own.
    SystemClock() = default;
    explicit SystemClock(QDBusConnection bus);

    QDateTime now() const override;
    [[nodiscard]] bool setSystemTime(const QTime& localTime, QString* errorMessage) override;
    [[nodiscard]] bool setSystemDate(const QDate& localDate, QString* errorMessage) override;

private:
    [[nodiscard]] bool setTo(const QDate& localDate, const QTime& localTime, QString* errorMessage);

    std::optional<QDBusConnection> m_bus;
};
