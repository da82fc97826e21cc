#include "SystemClock.h"

#include <cerrno>
#include <cstring>
#include <ctime>

#include "platform/Timedated.h"

SystemClock::SystemClock(QDBusConnection bus)
    : m_bus(std::move(bus))
{
}

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

bool SystemClock::keptInStepBySystem() const
{
    return timedatedKeepsTimeInStep(bus());
}

Clock::Setting SystemClock::setSystemTime(const QTime& localTime, Asking asking, QString* errorMessage)
{
    return setTo(QDate::currentDate(), localTime, asking, errorMessage);
}

Clock::Setting SystemClock::setSystemDate(const QDate& localDate, Asking asking, QString* errorMessage)
{
    return setTo(localDate, QTime::currentTime(), asking, errorMessage);
}

QDBusConnection SystemClock::bus() const
{
    return m_bus ? *m_bus : QDBusConnection::systemBus();
}

Clock::Setting
SystemClock::setTo(const QDate& localDate, const QTime& localTime, Asking asking, QString* errorMessage) const
{
    // QDateTime takes a null time as midnight, so each part is checked on its own.
    const QDateTime localDateTime(localDate, localTime);
    const bool valid = localDate.isValid() && localTime.isValid() && localDateTime.isValid();
    const qint64 msecs = valid ? localDateTime.toMSecsSinceEpoch() : -1;
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
