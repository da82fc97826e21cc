#include "DbusmockBus.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusVariant>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

namespace {

constexpr int StartWaitMs = 15000;

// The distribution's interpreter, which is where python3-dbusmock installs itself.
QString pythonWithDbusmock()
{
    const QString system = QStringLiteral("/usr/bin/python3");
    const QString python = QFile::exists(system) ? system : QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty()) {
        return {};
    }
    QProcess probe;
    probe.start(python, {QStringLiteral("-c"), QStringLiteral("import dbusmock")});
    return probe.waitForFinished() && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0 ? python
                                                                                                          : QString();
}

} // namespace

DbusmockBus::DbusmockBus(const QString& templateName, const QString& serviceName)
    : m_serviceName(serviceName)
{
    if (!start(templateName)) {
        stopService();
    }
}

DbusmockBus::~DbusmockBus()
{
    stopService();
    const QString name = m_connection.name();
    if (!name.isEmpty()) {
        QDBusConnection::disconnectFromBus(name);
    }
    m_daemon.kill();
    m_daemon.waitForFinished();
}

bool DbusmockBus::start(const QString& templateName)
{
    const QString python = pythonWithDbusmock();
    if (python.isEmpty()) {
        m_unavailableReason = QStringLiteral("python3-dbusmock is not installed");
        return false;
    }
    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
    if (!m_daemon.waitForStarted() || !m_daemon.waitForReadyRead(StartWaitMs)) {
        m_unavailableReason = QStringLiteral("dbus-daemon could not start a private bus");
        return false;
    }
    const QString address = QString::fromLocal8Bit(m_daemon.readLine()).trimmed();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
    m_service.setProcessEnvironment(environment);
    m_service.start(python,
                    {QStringLiteral("-m"),
                     QStringLiteral("dbusmock"),
                     QStringLiteral("--session"),
                     QStringLiteral("--template"),
                     templateName});

    m_connection = QDBusConnection::connectToBus(address, QStringLiteral("huxo-test-bus-%1").arg(address));
    const bool registered =
        m_connection.isConnected()
        && QTest::qWaitFor([this] { return m_connection.interface()->isServiceRegistered(m_serviceName).value(); },
                           StartWaitMs);
    if (!registered) {
        m_unavailableReason = QStringLiteral("the %1 stand-in did not appear on the private bus").arg(templateName);
    }
    return registered;
}

QDBusMessage DbusmockBus::mockCall(const QString& path, const QString& method) const
{
    return QDBusMessage::createMethodCall(m_serviceName, path, QStringLiteral("org.freedesktop.DBus.Mock"), method);
}

QList<QVariantList> DbusmockBus::methodCalls(const QString& path, const QString& method) const
{
    QDBusMessage call = mockCall(path, QStringLiteral("GetMethodCalls"));
    call << method;
    const QDBusMessage reply = m_connection.call(call);
    QList<QVariantList> calls;
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return calls;
    }
    // a(tav): a timestamp and the arguments of each call
    const auto records = reply.arguments().constFirst().value<QDBusArgument>();
    records.beginArray();
    while (!records.atEnd()) {
        quint64 timestamp = 0;
        QVariantList arguments;
        records.beginStructure();
        records >> timestamp;
        records.beginArray();
        while (!records.atEnd()) {
            QDBusVariant argument;
            records >> argument;
            arguments.append(argument.variant());
        }
        records.endArray();
        records.endStructure();
        calls.append(arguments);
    }
    records.endArray();
    return calls;
}

void DbusmockBus::stopService()
{
    if (m_service.state() == QProcess::NotRunning) {
        return;
    }
    m_service.terminate();
    if (!m_service.waitForFinished()) {
        m_service.kill();
        m_service.waitForFinished();
    }
    if (m_connection.isConnected()) {
        const bool gone = QTest::qWaitFor(
            [this] { return !m_connection.interface()->isServiceRegistered(m_serviceName).value(); }, StartWaitMs);
        Q_UNUSED(gone) // a stand-in that lingers only makes the next call succeed, which the tests notice
    }
}
