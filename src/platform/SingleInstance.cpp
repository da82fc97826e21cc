#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

Q_LOGGING_CATEGORY(lcInstance, "huxo.instance")

constexpr int ConnectWaitMs = 2000;
constexpr int TurnWaitMs = 5000;
constexpr int TurnPollMs = 10;
constexpr qint64 MaxRequestBytes = 1024;
constexpr QByteArrayView Request = "forward";

// The token with which a launcher lets the window of the program it starts come forward. A Wayland desktop gives
// it as XDG_ACTIVATION_TOKEN, an X11 one as the startup id; it is a word of printable characters.
QByteArray launchActivationToken()
{
    QByteArray token = qgetenv("XDG_ACTIVATION_TOKEN");
    if (token.isEmpty()) {
        token = qgetenv("DESKTOP_STARTUP_ID");
    }
    const bool word = std::all_of(token.begin(), token.end(), [](char c) { return c > ' ' && c < 0x7f; });
    return word && token.size() < MaxRequestBytes - Request.size() - 2 ? token : QByteArray();
}

// The same folder reached through a link, or written with a trailing separator, is the same folder.
QString folderKey(const QString& folder)
{
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    const QString key = canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
    return QString::fromLatin1(QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256).toHex().left(24));
}

// Two starts at the same moment, as from a double-click too many on a launcher, take turns to look for a running
// copy and to listen. The kernel's lock ends with its holder, so a copy killed while it looked leaves none behind; the
// file itself stays, since a lock on a file removed and made anew would not keep the next two starts apart.
class Turn final
{
public:
    explicit Turn(const QString& lockPath)
        : m_fd(::open(QFile::encodeName(lockPath).constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600))
    {
        QElapsedTimer waited;
        waited.start();
        while (m_fd >= 0 && ::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
            if ((errno != EWOULDBLOCK && errno != EINTR) || waited.hasExpired(TurnWaitMs)) {
                qCWarning(lcInstance) << "no turn at" << lockPath << "; looking for a running copy all the same";
                return;
            }
            QThread::msleep(TurnPollMs);
        }
    }
    ~Turn()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Turn(const Turn&) = delete;
    Turn& operator=(const Turn&) = delete;

private:
    int m_fd = -1;
};

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
    const Turn turn(m_lockPath);
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
    socket.write(Request.toByteArray() + ' ' + launchActivationToken() + '\n');
    socket.waitForBytesWritten(ConnectWaitMs);
    socket.disconnectFromServer();
    return true;
}

void SingleInstance::answerLaterStarts()
{
    while (QLocalSocket* later = m_server->nextPendingConnection()) {
        // The connection itself is the request; the line it sends before it hangs up carries the later start's
        // activation token. One that does not hang up is not waited for.
        later->setReadBufferSize(MaxRequestBytes);
        connect(later, &QLocalSocket::disconnected, this, [this, later] {
            const QList<QByteArray> words = later->readLine(MaxRequestBytes).trimmed().split(' ');
            later->deleteLater();
            emit laterStartSeen(words.size() == 2 && words.first() == Request ? words.last() : QByteArray());
        });
        QTimer::singleShot(ConnectWaitMs, later, &QLocalSocket::abort);
    }
}
