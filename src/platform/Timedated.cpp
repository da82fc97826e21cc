#include "Timedated.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusVariant>

namespace {

const QString TimedatedName = QStringLiteral("org.freedesktop.timedate1");
const QString TimedatedPath = QStringLiteral("/org/freedesktop/timedate1");

// Long enough for the user to read the permission prompt and type a password.
constexpr int PermissionPromptTimeoutMs = 120000;
// timedated is started on demand, which takes a moment on a busy machine.
constexpr int QuestionTimeoutMs = 10000;

struct Refusal
{
    Clock::Setting setting;
    QString text;
};

bool isUnreachable(const QString& errorName)
{
    return errorName == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown")
           || errorName == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner")
           || errorName == QLatin1String("org.freedesktop.DBus.Error.Disconnected")
           || errorName == QLatin1String("org.freedesktop.DBus.Error.NoServer")
           || errorName.startsWith(QLatin1String("org.freedesktop.DBus.Error.Spawn"));
}

bool isMissingRight(const QString& errorName)
{
    return errorName == QLatin1String("org.freedesktop.DBus.Error.AccessDenied")
           || errorName == QLatin1String("org.freedesktop.DBus.Error.InteractiveAuthorizationRequired")
           || errorName.startsWith(QLatin1String("org.freedesktop.PolicyKit1.Error"));
}

// What the system said, in its own words where they help the user; where they would only name D-Bus parts, in ours.
Refusal refusalOf(const QString& errorName, const QString& detail)
{
    const QString words = detail.isEmpty() ? errorName : detail;
    if (errorName == QLatin1String("org.freedesktop.timedate1.AutomaticTimeSyncEnabled")) {
        return {Clock::Setting::Refused,
                QStringLiteral("The system sets its clock automatically from the network, so HUXO may not set it. "
                               "Turn off automatic time in the system's date and time settings first.")};
    }
    if (isUnreachable(errorName)) {
        return {Clock::Setting::Refused,
                QStringLiteral("The system's time service (systemd-timedated) cannot be reached, so HUXO cannot set "
                               "the clock.")};
    }
    if (isMissingRight(errorName)) {
        return {Clock::Setting::RightsMissing,
                QStringLiteral("You are not allowed to set the system clock: %1").arg(words)};
    }
    if (errorName == QLatin1String("org.freedesktop.DBus.Error.NoReply")
        || errorName == QLatin1String("org.freedesktop.DBus.Error.Timeout")) {
        return {Clock::Setting::Refused,
                QStringLiteral("The system did not answer the request to set the clock in time.")};
    }
    return {Clock::Setting::Refused, QStringLiteral("The system refused to set the clock: %1").arg(words)};
}

} // namespace

bool timedatedKeepsTimeInStep(const QDBusConnection& bus)
{
    if (!bus.isConnected()) {
        return false;
    }
    QDBusMessage get = QDBusMessage::createMethodCall(
        TimedatedName, TimedatedPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << TimedatedName << QStringLiteral("NTP");
    const QDBusMessage reply = bus.call(get, QDBus::BlockWithGui, QuestionTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return false;
    }
    return reply.arguments().constFirst().value<QDBusVariant>().variant().toBool();
}

Clock::Setting setTimeThroughTimedated(const QDBusConnection& bus,
                                       qint64 microsecondsSinceEpoch,
                                       Clock::Asking asking,
                                       QString* errorMessage)
{
    if (!bus.isConnected()) {
        const Refusal refusal = refusalOf(QStringLiteral("org.freedesktop.DBus.Error.NoServer"), {});
        if (errorMessage) {
            *errorMessage = refusal.text;
        }
        return refusal.setting;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(TimedatedName, TimedatedPath, TimedatedName, QStringLiteral("SetTime"));
    const bool relative = false;
    const bool interactive = asking == Clock::Asking::MayAsk;
    call << microsecondsSinceEpoch << relative << interactive;
    call.setInteractiveAuthorizationAllowed(interactive);
    // BlockWithGui keeps the windows painting while the desktop asks for the password.
    const QDBusMessage reply = bus.call(call, QDBus::BlockWithGui, PermissionPromptTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage) {
        return Clock::Setting::Done;
    }
    const Refusal refusal = refusalOf(reply.errorName(), reply.errorMessage());
    if (errorMessage) {
        *errorMessage = refusal.text;
    }
    return refusal.setting;
}
