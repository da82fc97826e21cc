#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <atomic>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "platform/SingleInstance.h"
#include "ui/BringUp.h"

using namespace Qt::StringLiterals;

namespace {

// A user without an account: a number is all the kernel needs.
constexpr uid_t Mallory = 4242;

sockaddr_un addressOf(const QString& path)
{
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    std::strncpy(address.sun_path, name.constData(), sizeof address.sun_path - 1);
    return address;
}

// What a copy that was killed leaves behind: a socket file that nobody listens on.
bool leaveDeadSocket(const QString& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const sockaddr_un address = addressOf(path);
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

// Another user at work: one who planted a socket (and holds a lock beside it) until the test ends, or one who asks
// a running copy to come forward once.
class OtherUser final
{
public:
    enum class Does
    {
        Listen,
        AskToComeForward
    };

    OtherUser(Does what, const QString& socketPath)
    {
        const sockaddr_un address = addressOf(socketPath);
        const QByteArray lock = QFile::encodeName(socketPath).replace(".socket", ".lock");
        int ready[2] = {-1, -1};
        if (::pipe(ready) != 0) {
            return;
        }
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(ready[0]);
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            const auto* at = reinterpret_cast<const sockaddr*>(&address);
            bool done = ::setresgid(Mallory, Mallory, Mallory) == 0 && ::setresuid(Mallory, Mallory, Mallory) == 0;
            if (what == Does::Listen) {
                const int held = ::open(lock.constData(), O_RDWR | O_CREAT, 0600);
                done = done && ::bind(fd, at, sizeof address) == 0 && ::listen(fd, 8) == 0 && held >= 0
                       && ::flock(held, LOCK_EX) == 0;
            } else {
                done = done && ::connect(fd, at, sizeof address) == 0 && ::write(fd, "forward\n", 8) == 8;
            }
            const bool written = ::write(ready[1], done ? "y" : "n", 1) == 1;
            while (written && done && what == Does::Listen) {
                ::pause();
            }
            ::_exit(0);
        }
        ::close(ready[1]);
        char answer = 'n';
        m_done = m_pid > 0 && ::read(ready[0], &answer, 1) == 1 && answer == 'y';
        ::close(ready[0]);
        m_unlink = what == Does::Listen ? QFile::encodeName(socketPath) : QByteArray();
    }
    ~OtherUser()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        if (!m_unlink.isEmpty()) {
            ::unlink(m_unlink.constData());
            ::unlink(m_unlink.replace(".socket", ".lock").constData());
        }
    }
    OtherUser(const OtherUser&) = delete;
    OtherUser& operator=(const OtherUser&) = delete;

    bool done() const { return m_done; }

private:
    pid_t m_pid = -1;
    bool m_done = false;
    QByteArray m_unlink;
};

enum class Runtime
{
    Unset,
    OpenToAll,
    AnotherUsers
};

} // namespace

// One copy of the program per folder: a later start brings the running copy forward instead of running beside it.
class tst_SingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void aLaterStartOnTheSameFolderBringsTheFirstForward();
    void otherFoldersRunSideBySide();
    void aSocketLeftByAKilledCopyIsTakenOver();
    void theFolderIsFreeOnceTheFirstHasEnded();
    void startsAtTheSameMomentTakeTurns();
    void aPlantedSocketAndLockAreNoObstacle_data();
    void aPlantedSocketAndLockAreNoObstacle();
    void aSocketOfAnotherUserIsNotObeyed();
    void aLaterStartOfAnotherUserIsNotHeeded();

private:
    QTemporaryDir m_runtime;
};

void tst_SingleInstance::initTestCase()
{
    QVERIFY(m_runtime.isValid());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
}

void tst_SingleInstance::aLaterStartOnTheSameFolderBringsTheFirstForward()
{
    QTemporaryDir folder;
    SingleInstance first(folder.path());
    QVERIFY(first.claim());
    QVERIFY(first.socketPath().startsWith(m_runtime.path()));
    QWidget window;
    window.show();
    window.setWindowState(Qt::WindowMinimized);
    connect(&first, &SingleInstance::laterStartSeen, &window, [&window] { bringForward(window); });

    // The same folder, reached through a link and written with a trailing separator.
    QTemporaryDir elsewhere;
    const QString link = elsewhere.filePath(u"program"_s);
    QVERIFY(QFile::link(folder.path(), link));
    SingleInstance later(link + u'/');
    QVERIFY(!later.claim());
    QTRY_VERIFY(!window.isMinimized());
    QVERIFY(window.isVisible());
}

void tst_SingleInstance::otherFoldersRunSideBySide()
{
    QTemporaryDir one;
    QTemporaryDir two;
    SingleInstance first(one.path());
    SingleInstance second(two.path());
    QVERIFY(first.claim());
    QVERIFY(second.claim());
    QVERIFY(first.socketPath() != second.socketPath());
}

void tst_SingleInstance::aSocketLeftByAKilledCopyIsTakenOver()
{
    QTemporaryDir folder;
    SingleInstance next(folder.path());
    QVERIFY(leaveDeadSocket(next.socketPath()));
    QVERIFY(QFileInfo::exists(next.socketPath()));

    QVERIFY(next.claim());
    SingleInstance later(folder.path());
    QSignalSpy seen(&next, &SingleInstance::laterStartSeen);
    QVERIFY(!later.claim());
    QTRY_COMPARE(seen.count(), 1);
}

void tst_SingleInstance::theFolderIsFreeOnceTheFirstHasEnded()
{
    QTemporaryDir folder;
    QString socket;
    {
        SingleInstance first(folder.path());
        QVERIFY(first.claim());
        socket = first.socketPath();
    }
    QVERIFY(!QFileInfo::exists(socket));
    SingleInstance next(folder.path());
    QVERIFY(next.claim());
}

void tst_SingleInstance::startsAtTheSameMomentTakeTurns()
{
    // Between a look that finds nobody and listening, a second start must not look too: both would then run.
    QTemporaryDir folder;
    const QString turn = SingleInstance(folder.path()).socketPath().replace(u".socket"_s, u".lock"_s);
    const int looking = ::open(QFile::encodeName(turn).constData(), O_RDWR | O_CREAT, 0600);
    QCOMPARE(::flock(looking, LOCK_EX), 0);

    std::atomic<bool> claimed = false;
    std::thread other([&] {
        SingleInstance later(folder.path());
        claimed = later.claim();
    });
    QTest::qWait(300);
    QVERIFY(!claimed);
    ::close(looking);
    other.join();
    QVERIFY(claimed);
}

void tst_SingleInstance::aPlantedSocketAndLockAreNoObstacle_data()
{
    QTest::addColumn<Runtime>("runtime");
    QTest::newRow("no runtime folder: the shared temporary folder") << Runtime::Unset;
    QTest::newRow("a runtime folder open to all") << Runtime::OpenToAll;
    QTest::newRow("another user's runtime folder") << Runtime::AnotherUsers;
}

void tst_SingleInstance::aPlantedSocketAndLockAreNoObstacle()
{
    QFETCH(Runtime, runtime);
    if (geteuid() != 0) {
        QSKIP("only root can act as another user");
    }
    QTemporaryDir folder;
    QTemporaryDir planted;
    QTemporaryDir cache;
    const QString name = QFileInfo(SingleInstance(folder.path()).socketPath()).fileName();
    const QByteArray plantedIn = QFile::encodeName(planted.path());
    QVERIFY(runtime == Runtime::AnotherUsers ? ::chown(plantedIn.constData(), Mallory, Mallory) == 0
                                             : ::chmod(plantedIn.constData(), 01777) == 0);
    const QString plantedAt = (runtime == Runtime::Unset ? QDir::tempPath() : planted.path()) + u'/' + name;
    const OtherUser other(OtherUser::Does::Listen, plantedAt);
    QVERIFY(other.done());

    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    if (runtime == Runtime::Unset) {
        qunsetenv("XDG_RUNTIME_DIR");
    } else {
        qputenv("XDG_RUNTIME_DIR", plantedIn);
    }
    SingleInstance start(folder.path());
    const bool claimed = start.claim();
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    QVERIFY(claimed);
    QCOMPARE(QFileInfo(start.socketPath()).path(), cache.filePath(u"huxo"_s));
    struct stat own = {};
    QCOMPARE(::stat(QFile::encodeName(cache.filePath(u"huxo"_s)).constData(), &own), 0);
    QCOMPARE(own.st_uid, geteuid());
    QCOMPARE(own.st_mode & 07777, mode_t(0700));
}

void tst_SingleInstance::aSocketOfAnotherUserIsNotObeyed()
{
    // One that found its way into the user's own folder: the later start runs, and takes the place over.
    if (geteuid() != 0) {
        QSKIP("only root can act as another user");
    }
    QTemporaryDir folder;
    QTemporaryDir open;
    QCOMPARE(::chmod(QFile::encodeName(open.path()).constData(), 0777), 0);
    const QString socket = SingleInstance(folder.path()).socketPath();
    const OtherUser other(OtherUser::Does::Listen, open.filePath(u"huxo.socket"_s));
    QVERIFY(other.done());
    QCOMPARE(
        ::rename(QFile::encodeName(open.filePath(u"huxo.socket"_s)).constData(), QFile::encodeName(socket).constData()),
        0);

    SingleInstance start(folder.path());
    QVERIFY(start.claim());
    QSignalSpy seen(&start, &SingleInstance::laterStartSeen);
    SingleInstance later(folder.path());
    QVERIFY(!later.claim());
    QTRY_COMPARE(seen.count(), 1);
}

void tst_SingleInstance::aLaterStartOfAnotherUserIsNotHeeded()
{
    if (geteuid() != 0) {
        QSKIP("only root can act as another user");
    }
    QTemporaryDir folder;
    SingleInstance first(folder.path());
    QVERIFY(first.claim());
    QSignalSpy seen(&first, &SingleInstance::laterStartSeen);
    // As if the folder had been opened to others by mistake.
    const QByteArray runtime = QFile::encodeName(m_runtime.path());
    QCOMPARE(::chmod(runtime.constData(), 0711), 0);
    QCOMPARE(::chmod(QFile::encodeName(first.socketPath()).constData(), 0777), 0);
    const bool asked = OtherUser(OtherUser::Does::AskToComeForward, first.socketPath()).done();
    QCOMPARE(::chmod(runtime.constData(), 0700), 0);
    QVERIFY(asked);

    // Later starts are answered in turn: by the time this one is seen, the other user's has been passed over.
    SingleInstance later(folder.path());
    QVERIFY(!later.claim());
    QTRY_COMPARE(seen.count(), 1);
    QCoreApplication::processEvents();
    QCOMPARE(seen.count(), 1);
}

QTEST_MAIN(tst_SingleInstance)
#include "tst_SingleInstance.moc"
