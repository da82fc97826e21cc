#include "MockTimedatedBus.h"

#include <QDBusMessage>
#include <QDBusVariant>

namespace {
const QString TimedatedName = QStringLiteral("org.freedesktop.timedate1");
const QString TimedatedPath = QStringLiteral("/org/freedesktop/timedate1");
} // namespace

MockTimedatedBus::MockTimedatedBus()
    : m_bus(QStringLiteral("timedated"), TimedatedName)
{
}

QList<QVariantList> MockTimedatedBus::setTimeCalls() const
{
    return m_bus.methodCalls(TimedatedPath, QStringLiteral("SetTime"));
}

bool MockTimedatedBus::refuseSetTime(const QString& errorName, const QString& message) const
{
    return replaceSetTime(
        QStringLiteral("raise dbus.exceptions.DBusException('%1', name='%2')").arg(message, errorName));
}

bool MockTimedatedBus::requireAskingForSetTime() const
{
    // The third argument says whether the caller lets the system ask.
    return replaceSetTime(QStringLiteral("if not args[2]: raise dbus.exceptions.DBusException("
                                         "'Interactive authentication required.', "
                                         "name='org.freedesktop.DBus.Error.InteractiveAuthorizationRequired')"));
}

bool MockTimedatedBus::replaceSetTime(const QString& code) const
{
    QDBusMessage call = m_bus.mockCall(TimedatedPath, QStringLiteral("AddMethod"));
    call << TimedatedName << QStringLiteral("SetTime") << QStringLiteral("xbb") << QString() << code;
    return m_bus.connection().call(call).type() == QDBusMessage::ReplyMessage;
}

bool MockTimedatedBus::setAutomaticTime(bool on) const
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        TimedatedName, TimedatedPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
    call << TimedatedName << QStringLiteral("NTP") << QVariant::fromValue(QDBusVariant(on));
    return m_bus.connection().call(call).type() == QDBusMessage::ReplyMessage;
}
