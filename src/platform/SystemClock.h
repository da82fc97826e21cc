#pragma once

#include <QDBusConnection>

#include <functional>
#include <optional>

#include "platform/Clock.h"
#include "platform/KernelClock.h"

// The real clock. Setting it uses clock_settime when the process has the right, and otherwise asks
// systemd-timedated over D-Bus, which lets the desktop ask the user for permission. The system keeps the clock in
// step itself where the kernel says its clock is synchronised, or where timedated has automatic time on.
class SystemClock final : public Clock
{
public:
    // The program asks timedated on the system bus, connected only when it is first needed, so that start-up
    // does not wait for the bus; a test passes a bus of its own, and what the kernel is to say.
    SystemClock() = default;
    explicit SystemClock(QDBusConnection bus, std::function<bool()> kernelSynchronised = kernelClockSynchronised);

    QDateTime now() const override;
    bool keptInStepBySystem() const override;
    [[nodiscard]] Setting setSystemDateTime(const QDateTime& moment, Asking asking, QString* errorMessage) override;

private:
    QDBusConnection bus() const;

    std::optional<QDBusConnection> m_bus;
    std::function<bool()> m_kernelSynchronised = kernelClockSynchronised;
};
