#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <atomic>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
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

} // namespace

// One copy of the program per folder: a later start brings the running copy forward instead of running beside it.
class tst_SingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void aLaterStartOnTheSameFolderBringsTheFirstForward();
    void aLaterStartHandsOverItsActivationToken_data();
    void aLaterStartHandsOverItsActivationToken();
    void otherFoldersRunSideBySide();
    void aSocketLeftByAKilledCopyIsTakenOver();
    void theFolderIsFreeOnceTheFirstHasEnded();
    void startsAtTheSameMomentTakeTurns();

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

void tst_SingleInstance::aLaterStartHandsOverItsActivationToken_data()
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

void tst_SingleInstance::aLaterStartHandsOverItsActivationToken()
{
    QFETCH(QByteArray, waylandToken);
    QFETCH(QByteArray, startupId);
    QFETCH(QByteArray, handedOver);

    QTemporaryDir folder;
    SingleInstance first(folder.path());
    QVERIFY(first.claim());
    QSignalSpy seen(&first, &SingleInstance::laterStartSeen);
    // The desktop gives them to the program it starts; the first copy was started without.
    qputenv("XDG_ACTIVATION_TOKEN", waylandToken);
    qputenv("DESKTOP_STARTUP_ID", startupId);
    SingleInstance later(folder.path());
    const bool laterRuns = later.claim();
    qunsetenv("XDG_ACTIVATION_TOKEN");
    qunsetenv("DESKTOP_STARTUP_ID");
    QVERIFY(!laterRuns);
    QTRY_COMPARE(seen.count(), 1);
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

QTEST_MAIN(tst_SingleInstance)
#include "tst_SingleInstance.moc"
