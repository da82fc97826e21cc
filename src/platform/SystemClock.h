#pragma once

#include <QDBusConnection>

#include "platform/Clock.h"

// The real clock. Setting it uses clock_settime when the process has the right, and otherwise asks
// systemd-timedated over D-Bus, which lets the desktop ask the user for permission.
class SystemClock final : public Clock
{
public:
    // bus is where timedated is asked; the program uses the system bus.
    explicit SystemClock(QDBusConnection bus = QDBusConnection::systemBus());

    QDateTime now() const override;
    [[nodiscard]] bool setSystemTime(const QTime& localTime, QString* errorMessage) override;
    [[nodiscard]] bool setSystemDate(const QDate& localDate, QString* errorMessage) override;

private:
    [[nodiscard]] bool setTo(const QDate& localDate, const QTime& localTime, QString* errorMessage);

    QDBusConnection m_bus;
};
