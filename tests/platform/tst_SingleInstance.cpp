#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <atomic>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

#include "platform/SingleInstance.h"
#include "ui/BringUp.h"

using namespace Qt::StringLiterals;

namespace {

// What a copy that was killed leaves behind: a socket file that nobody listens on.
bool leaveDeadSocket(const QString& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    std::strncpy(address.sun_path, name.constData(), sizeof address.sun_path - 1);
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

enum class Runtime
{
    Unset,
    OpenToAll,
    AnotherUsers,
    UsersOwn
};

} // namespace

// One copy of the program per folder: a later start brings the running copy forward instead of running beside it.
class tst_SingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void aLaterStartOnTheSameFolderBringsTheFirstForward_data();
    void aLaterStartOnTheSameFolderBringsTheFirstForward();
    void otherFoldersRunSideBySide();
    void aSocketLeftByAKilledCopyIsTakenOver();
    void theFolderIsFreeOnceTheFirstHasEnded();
    void startsAtTheSameMomentTakeTurns();
    void aSocketAndLockPlantedByAnotherUserAreNoObstacle_data();
    void aSocketAndLockPlantedByAnotherUserAreNoObstacle();

private:
    QTemporaryDir m_runtime;
};

void tst_SingleInstance::initTestCase()
{
    QVERIFY(m_runtime.isValid());
}

void tst_SingleInstance::init()
{
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    qunsetenv("TMPDIR");
    qunsetenv("XDG_ACTIVATION_TOKEN");
    qunsetenv("DESKTOP_STARTUP_ID");
}

void tst_SingleInstance::aLaterStartOnTheSameFolderBringsTheFirstForward_data()
{
    QTest::addColumn<QByteArray>("waylandToken");
    QTest::addColumn<QByteArray>("startupId");
    QTest::addColumn<QByteArray>("handedOver");

    QTest::newRow("Wayland") << "9f2c-launcher-token"_ba
                             << "launcher-startup-id"_ba
                             << "9f2c-launcher-token"_ba;
    QTest::newRow("X11") << QByteArray() << "panel/huxo/4711-0-host_TIME123456"_ba
                         << "panel/huxo/4711-0-host_TIME123456"_ba;
    QTest::newRow("none") << QByteArray() << QByteArray() << QByteArray();
    QTest::newRow("not one word") << "two words\nforward"_ba << QByteArray() << QByteArray();
}

void tst_SingleInstance::aLaterStartOnTheSameFolderBringsTheFirstForward()
{
    QFETCH(QByteArray, waylandToken);
    QFETCH(QByteArray, startupId);
    QFETCH(QByteArray, handedOver);
    QTemporaryDir folder;
    SingleInstance first(folder.path());
    QVERIFY(first.claim());
    QVERIFY(first.socketPath().startsWith(m_runtime.path()));
    QWidget window;
    window.show();
    window.setWindowState(Qt::WindowMinimized);
    connect(&first, &SingleInstance::laterStartSeen, &window, [&window] { bringForward(window); });
    QSignalSpy seen(&first, &SingleInstance::laterStartSeen);

    // The same folder, reached through a link and written with a trailing separator, by a start that the desktop
    // gave its activation token (the first copy was started without).
    QTemporaryDir elsewhere;
    const QString link = elsewhere.filePath(u"program"_s);
    QVERIFY(QFile::link(folder.path(), link));
    qputenv("XDG_ACTIVATION_TOKEN", waylandToken);
    qputenv("DESKTOP_STARTUP_ID", startupId);
    SingleInstance later(link + u'/');
    QVERIFY(!later.claim());
    QTRY_VERIFY(!window.isMinimized());
    QVERIFY(window.isVisible());
    QCOMPARE(seen.first().first().toByteArray(), handedOver);
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

void tst_SingleInstance::aSocketAndLockPlantedByAnotherUserAreNoObstacle_data()
{
    QTest::addColumn<Runtime>("runtime");
    QTest::newRow("no runtime folder: the shared temporary folder") << Runtime::Unset;
    QTest::newRow("a runtime folder open to all") << Runtime::OpenToAll;
    QTest::newRow("another user's runtime folder") << Runtime::AnotherUsers;
    QTest::newRow("the user's own runtime folder, somehow") << Runtime::UsersOwn;
}

void tst_SingleInstance::aSocketAndLockPlantedByAnotherUserAreNoObstacle()
{
    QFETCH(Runtime, runtime);
    if (geteuid() != 0) {
        QSKIP("only root can act as another user");
    }
    QTemporaryDir folder;
    QTemporaryDir planted;
    QTemporaryDir cache;
    const QString ownSocket = SingleInstance(folder.path()).socketPath();
    const QByteArray plantedIn = QFile::encodeName(planted.path());
    QVERIFY(runtime == Runtime::AnotherUsers ? ::chown(plantedIn.constData(), 4242, 4242) == 0
                                             : ::chmod(plantedIn.constData(), 01777) == 0);
    const QString plantedAt = planted.filePath(QFileInfo(ownSocket).fileName());
    // Another user (one without an account: a number is all the kernel needs) listens on a socket planted there and
    // holds the lock beside it. The system's Python: one of root's own may be out of reach.
    QProcess other;
    other.start(u"setpriv"_s,
                {u"--reuid=4242"_s,
                 u"--regid=4242"_s,
                 u"--clear-groups"_s,
                 u"/usr/bin/python3"_s,
                 u"-c"_s,
                 uR"(import fcntl, socket, sys, time
lock = open(sys.argv[1].replace(".socket", ".lock"), "w")
fcntl.flock(lock, fcntl.LOCK_EX)
planted = socket.socket(socket.AF_UNIX)
planted.bind(sys.argv[1])
planted.listen()
time.sleep(60))"_s,
                 plantedAt});
    QTRY_VERIFY(QFileInfo::exists(plantedAt));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    if (runtime == Runtime::UsersOwn) {
        QVERIFY(QFile::rename(plantedAt, ownSocket));
    } else if (runtime == Runtime::Unset) {
        // Where a program without a runtime folder would put it: the temporary folder that all users share.
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", plantedIn);
    } else {
        qputenv("XDG_RUNTIME_DIR", plantedIn);
    }

    // The start runs, in a folder that only the user can enter, and answers the user's later starts.
    SingleInstance start(folder.path());
    QVERIFY(start.claim());
    const QString privateFolder = runtime == Runtime::UsersOwn ? m_runtime.path() : cache.filePath(u"huxo"_s);
    QCOMPARE(QFileInfo(start.socketPath()).path(), privateFolder);
    struct stat entry = {};
    QCOMPARE(::stat(QFile::encodeName(privateFolder).constData(), &entry), 0);
    QCOMPARE(entry.st_uid, geteuid());
    QCOMPARE(entry.st_mode & 07777, mode_t(0700));
    QSignalSpy seen(&start, &SingleInstance::laterStartSeen);
    SingleInstance later(folder.path());
    QVERIFY(!later.claim());
    QTRY_COMPARE(seen.count(), 1);
    other.kill();
    other.waitForFinished();
}

QTEST_MAIN(tst_SingleInstance)
#include "tst_SingleInstance.moc"
