#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QLoggingCategory>
#include <QStandardPaths>

namespace {

Q_LOGGING_CATEGORY(lcInstance, "huxo.instance")

constexpr int ConnectWaitMs = 2000;
// Two starts at the same moment, as from a double-click too many on a launcher, take turns to look.
constexpr int LockWaitMs = 5000;

// The same folder reached through a link, or written with a trailing separator, is the same folder.
QString folderKey(const QString& folder)
{
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    const QString key = canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
    return QString::fromLatin1(QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256).toHex().left(24));
}

} // namespace

SingleInstance::SingleInstance(const QString& folder, QObject* parent)
    : QObject(parent)
{
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty()) {
        runtime = QDir::tempPath();
    }
    const QString base = runtime + u"/huxo-" + folderKey(folder);
    m_socketPath = base + u".socket";
    m_lockPath = base + u".lock";
}

bool SingleInstance::claim()
{
    QLockFile turn(m_lockPath);
    if (!turn.tryLock(LockWaitMs)) {
        qCWarning(lcInstance) << "could not take" << m_lockPath << "in turn; looking for a running copy anyway";
    }
    if (askRunningCopy()) {
        return false;
    }
    // Nobody answers: what is left there is the socket of a copy that ended without removing it.
    QLocalServer::removeServer(m_socketPath);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_socketPath)) {
        // Running without the socket is better than not running: a later start would then run beside this one.
        qCWarning(lcInstance) << "cannot listen on" << m_socketPath << m_server->errorString();
        return true;
    }
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::answerLaterStarts);
    return true;
}

bool SingleInstance::askRunningCopy() const
{
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(ConnectWaitMs)) {
        return false;
    }
    socket.write("forward\n");
    socket.waitForBytesWritten(ConnectWaitMs);
    socket.disconnectFromServer();
    return true;
}

void SingleInstance::answerLaterStarts()
{
    while (QLocalSocket* later = m_server->nextPendingConnection()) {
        // The connection itself is the request; nothing it says is needed.
        later->abort();
        later->deleteLater();
        emit laterStartSeen();
    }
}
