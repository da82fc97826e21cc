#include "DbusmockBus.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusVariant>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
constexpr int StartWaitMs = 15000;
// The distribution's interpreter, which is where python3-dbusmock installs itself.
const QString Python = u"/usr/bin/python3"_s;
} // namespace

DbusmockBus::DbusmockBus(const QString& templateName, const QString& serviceName)
    : m_serviceName(serviceName)
{
    m_unavailableReason = start(templateName);
    if (!m_unavailableReason.isEmpty()) {
        stopService();
    }
}

DbusmockBus::~DbusmockBus()
{
    stopService();
    QDBusConnection::disconnectFromBus(m_connection.name());
    m_daemon.kill();
    m_daemon.waitForFinished();
}

QString DbusmockBus::start(const QString& templateName)
{
    if (QProcess::execute(Python, {QStringLiteral("-c"), QStringLiteral("import dbusmock")}) != 0) {
        return QStringLiteral("python3-dbusmock is not installed");
    }
    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
    if (!m_daemon.waitForReadyRead(StartWaitMs)) {
        return QStringLiteral("dbus-daemon could not start a private bus");
    }
    const QString address = QString::fromLocal8Bit(m_daemon.readLine()).trimmed();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
    m_service.setProcessEnvironment(environment);
    m_service.start(Python, {u"-m"_s, u"dbusmock"_s, u"--session"_s, u"--template"_s, templateName});
    m_connection = QDBusConnection::connectToBus(address, u"huxo-test-"_s + templateName);
    const auto registered = [this] { return m_connection.interface()->isServiceRegistered(m_serviceName).value(); };
    if (!m_connection.isConnected() || !QTest::qWaitFor(registered, StartWaitMs)) {
        return QStringLiteral("the %1 stand-in did not appear on the private bus").arg(templateName);
    }
    return {};
}

QDBusMessage DbusmockBus::mockCall(const QString& path, const QString& method) const
{
    return QDBusMessage::createMethodCall(m_serviceName, path, QStringLiteral("org.freedesktop.DBus.Mock"), method);
}

QList<QVariantList> DbusmockBus::methodCalls(const QString& path, const QString& method) const
{
    QDBusMessage call = mockCall(path, QStringLiteral("GetMethodCalls"));
    call << method;
    // a(tav): a timestamp and the arguments of each call
    QList<std::pair<quint64, QList<QDBusVariant>>> records;
    m_connection.call(call).arguments().value(0).value<QDBusArgument>() >> records;
    QList<QVariantList> calls;
    for (const auto& [timestamp, arguments] : records) {
        QVariantList& values = calls.emplace_back();
        for (const QDBusVariant& argument : arguments) {
            values.append(argument.variant());
        }
    }
    return calls;
}

void DbusmockBus::stopService()
{
    if (m_service.state() == QProcess::NotRunning) {
        return;
    }
    m_service.kill();
    m_service.waitForFinished();
    // A stand-in that lingered would only make the next call succeed, which the tests notice.
    (void)QTest::qWaitFor(
        [this] {
            return !m_connection.isConnected() || !m_connection.interface()->isServiceRegistered(m_serviceName).value();
        },
        StartWaitMs);
}
