#include "SystemClock.h"

#include <cerrno>
#include <cstring>
#include <ctime>

#include "platform/Timedated.h"

SystemClock::SystemClock(QDBusConnection bus, std::function<bool()> kernelSynchronised)
    : m_bus(std::move(bus))
    , m_kernelSynchronised(std::move(kernelSynchronised))
{
}

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

bool SystemClock::keptInStepBySystem() const
{
    // The kernel's word costs nothing; timedated is asked only where the kernel's clock runs on its own.
    return m_kernelSynchronised() || timedatedKeepsTimeInStep(bus());
}

QDBusConnection SystemClock::bus() const
{
    return m_bus ? *m_bus : QDBusConnection::systemBus();
}

Clock::Setting SystemClock::setSystemDateTime(const QDateTime& moment, Asking asking, QString* errorMessage)
{
    const qint64 msecs = moment.isValid() ? moment.toMSecsSinceEpoch() : -1;
    if (msecs < 0) {
        if (errorMessage) {
            *errorMessage = QStringLiteral("The new time is not valid.");
        }
        return Setting::Refused;
    }
    timespec target{};
    target.tv_sec = static_cast<time_t>(msecs / 1000);
    target.tv_nsec = static_cast<long>((msecs % 1000) * 1000000);
    if (clock_settime(CLOCK_REALTIME, &target) == 0) {
        return Setting::Done;
    }
    if (errno != EPERM) {
        if (errorMessage) {
            *errorMessage = QStringLiteral("The system refused to set the clock: %1")
                                .arg(QString::fromLocal8Bit(std::strerror(errno)));
        }
        return Setting::Refused;
    }
    return setTimeThroughTimedated(bus(), msecs * 1000, asking, errorMessage);
}
