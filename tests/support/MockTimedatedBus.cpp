#include "MockTimedatedBus.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

namespace {

const QString TimedatedName = QStringLiteral("org.freedesktop.timedate1");
const QString TimedatedPath = QStringLiteral("/org/freedesktop/timedate1");
const QString MockInterface = QStringLiteral("org.freedesktop.DBus.Mock");
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

QDBusMessage mockCall(const QString& method)
{
    return QDBusMessage::createMethodCall(TimedatedName, TimedatedPath, MockInterface, method);
}

} // namespace

MockTimedatedBus::MockTimedatedBus()
{
    if (!start()) {
        stopTimedated();
    }
}

MockTimedatedBus::~MockTimedatedBus()
{
    stopTimedated();
    const QString name = m_connection.name();
    if (!name.isEmpty()) {
        QDBusConnection::disconnectFromBus(name);
    }
    m_daemon.kill();
    m_daemon.waitForFinished();
}

bool MockTimedatedBus::start()
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
    m_timedated.setProcessEnvironment(environment);
    m_timedated.start(python,
                      {QStringLiteral("-m"),
                       QStringLiteral("dbusmock"),
                       QStringLiteral("--session"),
                       QStringLiteral("--template"),
                       QStringLiteral("timedated")});

    m_connection = QDBusConnection::connectToBus(address, QStringLiteral("huxo-test-bus-%1").arg(address));
    const bool registered =
        m_connection.isConnected()
        && QTest::qWaitFor([this] { return m_connection.interface()->isServiceRegistered(TimedatedName).value(); },
                           StartWaitMs);
    if (!registered) {
        m_unavailableReason = QStringLiteral("the timedated stand-in did not appear on the private bus");
    }
    return registered;
}

QList<QVariantList> MockTimedatedBus::setTimeCalls() const
{
    QDBusMessage call = mockCall(QStringLiteral("GetMethodCalls"));
    call << QStringLiteral("SetTime");
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
    QDBusMessage call = mockCall(QStringLiteral("AddMethod"));
    call << TimedatedName << QStringLiteral("SetTime") << QStringLiteral("xbb") << QString() << code;
    return m_connection.call(call).type() == QDBusMessage::ReplyMessage;
}

bool MockTimedatedBus::setAutomaticTime(bool on) const
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        TimedatedName, TimedatedPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
    call << TimedatedName << QStringLiteral("NTP") << QVariant::fromValue(QDBusVariant(on));
    return m_connection.call(call).type() == QDBusMessage::ReplyMessage;
}

void MockTimedatedBus::stopTimedated()
{
    if (m_timedated.state() == QProcess::NotRunning) {
        return;
    }
    m_timedated.terminate();
    if (!m_timedated.waitForFinished()) {
        m_timedated.kill();
        m_timedated.waitForFinished();
    }
    if (m_connection.isConnected()) {
        const bool gone = QTest::qWaitFor(
            [this] { return !m_connection.interface()->isServiceRegistered(TimedatedName).value(); }, StartWaitMs);
        Q_UNUSED(gone) // a stand-in that lingers only makes the next call succeed, which the tests notice
    }
}
