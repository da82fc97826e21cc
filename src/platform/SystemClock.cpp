#include "SystemClock.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include <cerrno>
#include <cstring>
#include <ctime>

namespace {

constexpr int PermissionPromptTimeoutMs = 120000;

bool setThroughTimedated(qint64 msecsSinceEpoch, QString* errorMessage)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.timedate1"),
                                                       QStringLiteral("/org/freedesktop/timedate1"),
                                                       QStringLiteral("org.freedesktop.timedate1"),
                                                       QStringLiteral("SetTime"));
    const bool relative = false;
    const bool interactive = true;
    call << qint64(msecsSinceEpoch * 1000) << relative << interactive;
    // BlockWithGui keeps the windows painting while the desktop asks for the password.
    const QDBusMessage reply = QDBusConnection::systemBus().call(call, QDBus::BlockWithGui, PermissionPromptTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        if (errorMessage) {
            *errorMessage = reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage();
        }
        return false;
    }
    return true;
}

} // namespace

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

bool SystemClock::setSystemTime(const QTime& localTime, QString* errorMessage)
{
    return setTo(QDateTime(QDate::currentDate(), localTime), errorMessage);
}

bool SystemClock::setSystemDate(const QDate& localDate, QString* errorMessage)
{
    return setTo(QDateTime(localDate, QTime::currentTime()), errorMessage);
}

bool SystemClock::setTo(const QDateTime& localDateTime, QString* errorMessage)
{
    if (!localDateTime.isValid()) {
        if (errorMessage) {
            *errorMessage = QStringLiteral("The new time is not valid.");
        }
        return false;
    }
    const qint64 msecs = localDateTime.toMSecsSinceEpoch();
    timespec target{};
    target.tv_sec = static_cast<time_t>(msecs / 1000);
    target.tv_nsec = static_cast<long>((msecs % 1000) * 1000000);
    if (clock_settime(CLOCK_REALTIME, &target) == 0) {
        return true;
    }
    if (errno != EPERM) {
        if (errorMessage) {
            *errorMessage = QString::fromLocal8Bit(std::strerror(errno));
        }
        return false;
    }
    return setThroughTimedated(msecs, errorMessage);
}
