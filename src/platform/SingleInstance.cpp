#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/FileDescriptor.h"

namespace {

Q_LOGGING_CATEGORY(lcInstance, "huxo.instance")

constexpr int SendWaitMs = 2000;
constexpr int MessageWaitMs = 2000;
constexpr int MaxMessageBytes = 4096;
constexpr int TurnWaitMs = 5000;
constexpr int TurnPollMs = 10;
constexpr int PrivateMode = 0700;

// What a later start says: the request on the first line, then one "name=value" line for each thing the running
// copy may want to know with it. A copy passes over lines it does not know, so later versions can add some.
const QByteArray ComeForward = QByteArrayLiteral("forward");
const QByteArray TokenLine = QByteArrayLiteral("token=");

// The token with which a launcher lets the window of the program it starts come forward. A Wayland desktop gives
// it as XDG_ACTIVATION_TOKEN, an X11 one as the startup id; it is a word of printable characters.
QByteArray launchActivationToken()
{
    QByteArray token = qgetenv("XDG_ACTIVATION_TOKEN");
    if (token.isEmpty()) {
        token = qgetenv("DESKTOP_STARTUP_ID");
    }
    const bool word = std::all_of(token.begin(), token.end(), [](char c) { return c > ' ' && c < 0x7f; });
    return word && token.size() < MaxMessageBytes / 2 ? token : QByteArray();
}

// The activation token of a later start's message, empty when it gave none.
QByteArray tokenOf(const QList<QByteArray>& lines)
{
    for (const QByteArray& line : lines) {
        if (line.startsWith(TokenLine)) {
            return line.mid(TokenLine.size());
        }
    }
    return {};
}

// The same folder reached through a link, or written with a trailing separator, is the same folder.
QString folderKey(const QString& folder)
{
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    const QString key = canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
    return QString::fromLatin1(QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256).toHex().left(24));
}

bool isUsersAlone(const QString& folder)
{
    struct stat entry = {};
    return ::lstat(QFile::encodeName(folder).constData(), &entry) == 0 && S_ISDIR(entry.st_mode)
           && entry.st_uid == ::geteuid() && (entry.st_mode & 077) == 0;
}

// A folder that nobody but the user can enter, so that nobody else can put a socket or a lock where a start looks:
// the runtime folder when it is as it should be, else one of the program's own, made so, in the cache folder.
QString privateFolder()
{
    const QString runtime = QFile::decodeName(qgetenv("XDG_RUNTIME_DIR"));
    if (QDir::isAbsolutePath(runtime) && isUsersAlone(QFileInfo(runtime).canonicalFilePath())) {
        return runtime;
    }
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty() || !QDir().mkpath(cache)) {
        return {};
    }
    const QString own = cache + QStringLiteral("/huxo");
    const QByteArray ownName = QFile::encodeName(own);
    ::mkdir(ownName.constData(), PrivateMode);
    struct stat entry = {};
    // A folder of the user's own that others may enter is closed to them; one of anybody else's is never used.
    if (::lstat(ownName.constData(), &entry) == 0 && S_ISDIR(entry.st_mode) && entry.st_uid == ::geteuid()) {
        ::chmod(ownName.constData(), PrivateMode);
    }
    return isUsersAlone(own) ? own : QString();
}

std::optional<sockaddr_un> addressOf(const QString& socketPath)
{
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(socketPath);
    if (name.size() >= qsizetype(sizeof address.sun_path)) {
        return std::nullopt;
    }
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    return address;
}

bool isOfThisUser(int socket)
{
    ucred peer = {};
    socklen_t length = sizeof peer;
    return ::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 && peer.uid == ::geteuid();
}

// True when a copy of this user answers at the socket and has been asked to come forward.
bool askRunningCopy(const QString& socketPath)
{
    const std::optional<sockaddr_un> address = addressOf(socketPath);
    const FileDescriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!address || socket.fd() < 0
        || ::connect(socket.fd(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0) {
        return false;
    }
    if (!isOfThisUser(socket.fd())) {
        qCWarning(lcInstance) << "a socket of another user is at" << socketPath << "; running all the same";
        return false;
    }
    const timeval wait = {SendWaitMs / 1000, 0};
    ::setsockopt(socket.fd(), SOL_SOCKET, SO_SNDTIMEO, &wait, sizeof wait);
    const QByteArray message = ComeForward + '\n' + TokenLine + launchActivationToken() + '\n';
    return ::send(socket.fd(), message.constData(), size_t(message.size()), MSG_NOSIGNAL) == message.size();
}

// One later start's message, read as it comes so that the window never waits for it; a start that says nothing
// whole within the wait is forgotten.
class LaterStart final : public QObject
{
public:
    LaterStart(int socket, std::function<void(const QByteArray&)> onComeForward, QObject* parent)
        : QObject(parent)
        , m_socket(socket)
        , m_onComeForward(std::move(onComeForward))
        , m_readable(new QSocketNotifier(socket, QSocketNotifier::Read, this))
    {
        connect(m_readable, &QSocketNotifier::activated, this, &LaterStart::readMore);
        QTimer::singleShot(MessageWaitMs, this, &QObject::deleteLater);
    }
    // The notifier goes before the socket closes.
    ~LaterStart() override { delete m_readable; }

private:
    void readMore()
    {
        char chunk[512];
        const ssize_t count = ::read(m_socket.fd(), chunk, sizeof chunk);
        if (count < 0 && (errno == EAGAIN || errno == EINTR)) {
            return;
        }
        if (count > 0 && m_message.size() + count <= MaxMessageBytes) {
            m_message.append(chunk, count);
            return;
        }
        m_readable->setEnabled(false);
        const QList<QByteArray> lines = m_message.split('\n');
        if (count == 0 && lines.constFirst() == ComeForward) {
            m_onComeForward(tokenOf(lines));
        }
        deleteLater();
    }

    const FileDescriptor m_socket;
    std::function<void(const QByteArray&)> m_onComeForward;
    QSocketNotifier* m_readable = nullptr;
    QByteArray m_message;
};

// Two starts at the same moment, as from a double-click too many on a launcher, take turns to look for a running
// copy and to listen. The kernel's lock ends with its holder, so a copy killed while it looked leaves none behind; the
// file itself stays, since a lock on a file removed and made anew would not keep the next two starts apart.
class Turn final
{
public:
    explicit Turn(const QString& lockPath)
        : m_lock(::open(QFile::encodeName(lockPath).constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600))
    {
        QElapsedTimer waited;
        waited.start();
        while (m_lock.fd() >= 0 && ::flock(m_lock.fd(), LOCK_EX | LOCK_NB) != 0) {
            if ((errno != EWOULDBLOCK && errno != EINTR) || waited.hasExpired(TurnWaitMs)) {
                qCWarning(lcInstance) << "no turn at" << lockPath << "; looking for a running copy all the same";
                return;
            }
            QThread::msleep(TurnPollMs);
        }
    }

private:
    const FileDescriptor m_lock;
};

} // namespace

SingleInstance::SingleInstance(const QString& folder, QObject* parent)
    : QObject(parent)
{
    const QString privateBase = privateFolder();
    if (privateBase.isEmpty()) {
        qCWarning(lcInstance) << "no folder of the user's alone for the socket; every start runs";
        return;
    }
    const QString base = privateBase + u"/huxo-" + folderKey(folder);
    m_socketPath = base + u".socket";
    m_lockPath = base + u".lock";
}

SingleInstance::~SingleInstance()
{
    if (m_listener >= 0) {
        delete m_acceptable;
        ::close(m_listener);
        ::unlink(QFile::encodeName(m_socketPath).constData());
    }
}

bool SingleInstance::claim()
{
    if (m_socketPath.isEmpty()) {
        return true;
    }
    const Turn turn(m_lockPath);
    if (askRunningCopy(m_socketPath)) {
        return false;
    }
    listen();
    return true;
}

void SingleInstance::listen()
{
    // Nobody of this user answers: what is left there is the socket of a copy that ended without removing it.
    const QByteArray name = QFile::encodeName(m_socketPath);
    ::unlink(name.constData());
    const std::optional<sockaddr_un> address = addressOf(m_socketPath);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (!address || listener < 0 || ::bind(listener, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0
        || ::listen(listener, SOMAXCONN) != 0) {
        // Running without the socket is better than not running: a later start would then run beside this one.
        qCWarning(lcInstance) << "cannot listen on" << m_socketPath << std::strerror(errno);
        if (listener >= 0) {
            ::close(listener);
        }
        return;
    }
    m_listener = listener;
    m_acceptable = new QSocketNotifier(m_listener, QSocketNotifier::Read, this);
    connect(m_acceptable, &QSocketNotifier::activated, this, &SingleInstance::acceptLaterStarts);
}

void SingleInstance::acceptLaterStarts()
{
    int later = -1;
    while ((later = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0) {
        if (!isOfThisUser(later)) {
            qCWarning(lcInstance) << "a start of another user was not heeded";
            ::close(later);
            continue;
        }
        new LaterStart(
            later, [this](const QByteArray& token) { emit laterStartSeen(token); }, this);
    }
}
