#pragma once

#include <QDBusConnection>
#include <QObject>

#include <map>
#include <optional>

#include "platform/Notifier.h"

class QDBusPendingCallWatcher;

// Notifications through the session's notification service (org.freedesktop.Notifications on D-Bus). The calls
// never wait: the service answers while the program goes on, and a session without one is left in peace.
class DesktopNotifier final : public QObject, public Notifier
{
    Q_OBJECT

public:
    // The session bus, reached only when the first notification is posted.
    DesktopNotifier();
    explicit DesktopNotifier(const QDBusConnection& bus);

    Handle notify(const QString& title, const QString& text, std::function<void()> onActivated) override;
    void withdraw(Handle handle) override;

signals:
    // The service has the notification on show; from now on a click on it is answered.
    void shown(Notifier::Handle handle);

private slots:
    void onActionInvoked(uint id, const QString& action);
    void onNotificationClosed(uint id, uint reason);

private:
    struct Posted
    {
        std::function<void()> onActivated;
        uint serverId = 0; // 0 until the service has answered
    };

    QDBusConnection& bus();
    void post(Handle handle, const QString& title, const QString& text, bool markup);
    void closeOnServer(uint serverId);
    std::map<Handle, Posted>::iterator findByServerId(uint id);

    std::optional<QDBusConnection> m_bus;
    bool m_listening = false;
    Handle m_lastHandle = 0;
    std::map<Handle, Posted> m_posted;
};
