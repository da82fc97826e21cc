#include "DesktopNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

#include <algorithm>

namespace {
const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = QStringLiteral("org.freedesktop.Notifications");
const QString DefaultAction = QStringLiteral("default");
// Matches the launcher entry, so the desktop shows the program's name and icon and groups its notifications.
const QString DesktopEntry = QStringLiteral("org.huxo.Huxo");
constexpr uchar Critical = 2; // an alarm stays until the user has seen it

QDBusMessage call(const QString& method)
{
    return QDBusMessage::createMethodCall(Service, Path, Interface, method);
}
} // namespace

DesktopNotifier::DesktopNotifier() = default;

DesktopNotifier::DesktopNotifier(const QDBusConnection& bus)
    : m_bus(bus)
{
}

QDBusConnection& DesktopNotifier::bus()
{
    if (!m_bus) {
        m_bus = QDBusConnection::sessionBus();
    }
    if (!m_listening && m_bus->isConnected()) {
        m_listening = true;
        m_bus->connect(
            Service, Path, Interface, QStringLiteral("ActionInvoked"), this, SLOT(onActionInvoked(uint, QString)));
        m_bus->connect(Service,
                       Path,
                       Interface,
                       QStringLiteral("NotificationClosed"),
                       this,
                       SLOT(onNotificationClosed(uint, uint)));
    }
    return *m_bus;
}

Notifier::Handle DesktopNotifier::notify(const QString& title, const QString& text, std::function<void()> onActivated)
{
    const Handle handle = ++m_lastHandle;
    if (!bus().isConnected()) {
        return handle;
    }
    m_posted[handle] = Posted{std::move(onActivated)};
    // A service that reads markup in the text is sent the text escaped, so that it shows as the user typed it.
    auto* watcher = new QDBusPendingCallWatcher(bus().asyncCall(call(QStringLiteral("GetCapabilities"))), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, handle, title, text](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<QStringList> capabilities = *w;
        if (capabilities.isError()) {
            m_posted.erase(handle); // no notification service in this session
            return;
        }
        if (m_posted.count(handle) > 0) {
            post(handle, title, text, capabilities.value().contains(QStringLiteral("body-markup")));
        }
    });
    return handle;
}

void DesktopNotifier::post(Handle handle, const QString& title, const QString& text, bool markup)
{
    QDBusMessage notify = call(QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("desktop-entry"), DesktopEntry},
                            {QStringLiteral("urgency"), QVariant::fromValue(Critical)}};
    notify << QStringLiteral("HUXO") << uint(0) << DesktopEntry << title << (markup ? text.toHtmlEscaped() : text)
           << QStringList{DefaultAction, title} << hints << -1;
    auto* watcher = new QDBusPendingCallWatcher(bus().asyncCall(notify), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, handle](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<uint> id = *w;
        const auto posted = m_posted.find(handle);
        if (id.isError()) {
            if (posted != m_posted.end()) {
                m_posted.erase(posted);
            }
        } else if (posted == m_posted.end()) {
            closeOnServer(id.value()); // withdrawn while the service was still answering
        } else {
            posted->second.serverId = id.value();
            emit shown(handle);
        }
    });
}

void DesktopNotifier::withdraw(Handle handle)
{
    const auto posted = m_posted.find(handle);
    if (posted == m_posted.end()) {
        return;
    }
    if (posted->second.serverId != 0) {
        closeOnServer(posted->second.serverId);
    }
    m_posted.erase(posted);
}

void DesktopNotifier::closeOnServer(uint serverId)
{
    QDBusMessage close = call(QStringLiteral("CloseNotification"));
    close << serverId;
    bus().asyncCall(close);
}

std::map<Notifier::Handle, DesktopNotifier::Posted>::iterator DesktopNotifier::findByServerId(uint id)
{
    return std::find_if(
        m_posted.begin(), m_posted.end(), [id](const auto& posted) { return posted.second.serverId == id; });
}

void DesktopNotifier::onActionInvoked(uint id, const QString& action)
{
    const auto posted = findByServerId(id);
    if (id != 0 && posted != m_posted.end() && action == DefaultAction) {
        // A copy: the handler may withdraw the notification.
        const std::function<void()> onActivated = posted->second.onActivated;
        if (onActivated) {
            onActivated();
        }
    }
}

void DesktopNotifier::onNotificationClosed(uint id, uint)
{
    const auto posted = findByServerId(id);
    if (id != 0 && posted != m_posted.end()) {
        m_posted.erase(posted);
    }
}
