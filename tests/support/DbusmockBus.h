#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QString>
#include <QVariantList>

// A private D-Bus daemon of the test's own with a python3-dbusmock stand-in on it, made from one of dbusmock's
// templates, so that a service of the session or the system can be exercised without the real bus. The connection to
// it is named huxo-test-TEMPLATE, by which code made later finds it. Both processes end with this object.
class DbusmockBus
{
public:
    DbusmockBus(const QString& templateName, const QString& serviceName);
    ~DbusmockBus();
    DbusmockBus(const DbusmockBus&) = delete;
    DbusmockBus& operator=(const DbusmockBus&) = delete;

    // Empty when the stand-in runs; otherwise what is missing (the tests skip then).
    QString unavailableReason() const { return m_unavailableReason; }
    QDBusConnection connection() const { return m_connection; }

    // A call to the stand-in's own controls (org.freedesktop.DBus.Mock) on one of its objects.
    QDBusMessage mockCall(const QString& path, const QString& method) const;
    // The arguments of every call of the method the stand-in has received, oldest first.
    QList<QVariantList> methodCalls(const QString& path, const QString& method) const;
    // Ends the stand-in, leaving a bus without the service.
    void stopService();

private:
    QString start(const QString& templateName);

    QString m_serviceName;
    QProcess m_daemon;
    QProcess m_service;
    QDBusConnection m_connection{QString()};
    QString m_unavailableReason;
};
