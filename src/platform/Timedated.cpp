#include "Timedated.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>

namespace {

// Long enough for the user to read the permission prompt and type a password.
constexpr int PermissionPromptTimeoutMs = 120000;

QString refusalText(const QString& errorName, const QString& detail)
{
    if (errorName == QLatin1String("org.freedesktop.timedate1.AutomaticTimeSyncEnabled")) {
        return QStringLiteral("The system sets its clock automatically from the network, so HUXO may not set it. "
                              "Turn off automatic time in the system's date and time settings first.");
    }
    if (errorName == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown")
        || errorName == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner")
        || errorName == QLatin1String("org.freedesktop.DBus.Error.Disconnected")
        || errorName == QLatin1String("org.freedesktop.DBus.Error.NoServer")
        || errorName.startsWith(QLatin1String("org.freedesktop.DBus.Error.Spawn"))) {
        return QStringLiteral("The system's time service (systemd-timedated) cannot be reached, so HUXO cannot set "
                              "the clock.");
    }
    if (errorName == QLatin1String("org.freedesktop.DBus.Error.AccessDenied")
        || errorName == QLatin1String("org.freedesktop.DBus.Error.InteractiveAuthorizationRequired")
        || errorName.startsWith(QLatin1String("org.freedesktop.PolicyKit1.Error"))) {
        return QStringLiteral("You are not allowed to set the system clock.");
    }
    if (errorName == QLatin1String("org.freedesktop.DBus.Error.NoReply")
        || errorName == QLatin1String("org.freedesktop.DBus.Error.Timeout")) {
        return QStringLiteral("The system did not answer the request to set the clock in time.");
    }
    return QStringLiteral("The system refused to set the clock: %1").arg(detail.isEmpty() ? errorName : detail);
}

} // namespace

bool setTimeThroughTimedated(const QDBusConnection& bus, qint64 microsecondsSinceEpoch, QString* errorMessage)
{
    if (!bus.isConnected()) {
        if (errorMessage) {
            *errorMessage = refusalText(QStringLiteral("org.freedesktop.DBus.Error.NoServer"), {});
        }
        return false;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.timedate1"),
                                                       QStringLiteral("/org/freedesktop/timedate1"),
                                                       QStringLiteral("org.freedesktop.timedate1"),
                                                       QStringLiteral("SetTime"));
    const bool relative = false;
    const bool interactive = true;
    call << microsecondsSinceEpoch << relative << interactive;
    call.setInteractiveAuthorizationAllowed(true);
    // BlockWithGui keeps the windows painting while the desktop asks for the password.
    const QDBusMessage reply = bus.call(call, QDBus::BlockWithGui, PermissionPromptTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage) {
        return true;
    }
    if (errorMessage) {
        *errorMessage = refusalText(reply.errorName(), reply.errorMessage());
    }
    return false;
}
