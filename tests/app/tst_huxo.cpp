#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <sys/resource.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int StartMs = 30000;

// A program folder of its own: the real binary, which keeps its settings beside itself.
struct ProgramFolder
{
    ProgramFolder()
    {
        const QString program = dir.filePath(u"huxo"_s);
        // A hard link costs nothing where the build and the temporary folder share a file system.
        if (::link(HUXO_BINARY, QFile::encodeName(program).constData()) != 0) {
            QVERIFY(QFile::copy(QStringLiteral(HUXO_BINARY), program));
        }
    }

    QString ini() const { return dir.filePath(u"huxo.ini"_s); }

    QTemporaryDir dir;
};

// Starts the program as a user would, without the right to set the clock.
void start(QProcess& process, const ProgramFolder& folder)
{
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(u"setpriv"_s, {u"--bounding-set=-sys_time"_s, folder.dir.filePath(u"huxo"_s)});
    QVERIFY2(process.waitForStarted(), qPrintable(process.errorString()));
}

// Start-up has written the settings file whole once its window is built.
void waitUntilUp(const QProcess& process, const ProgramFolder& folder)
{
    QTRY_VERIFY2_WITH_TIMEOUT(
        process.state() != QProcess::Running || QFileInfo(folder.ini()).size() > 0, "no settings written", StartMs);
    QVERIFY2(process.state() == QProcess::Running, "the program ended during its start-up");
}

void stop(QProcess& process)
{
    process.kill();
    process.waitForFinished();
}

QString endOf(const QProcess& process)
{
    return process.exitStatus() == QProcess::CrashExit ? u"ended by a signal"_s
                                                       : u"exited with %1"_s.arg(process.exitCode());
}

} // namespace

// The real program, started from program folders of the test's own.
class tst_huxo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void aSecondStartOnOneFolderEndsAndLeavesTheFirst();
    void aFileSizeLimitDoesNotEndTheProgram();
    void commandLineIsAnsweredWithoutADisplay_data();
    void commandLineIsAnsweredWithoutADisplay();
    void anEndSignalSavesWhatACloseWouldAndKeepsEveryOffset();

private:
    QTemporaryDir m_runtime;
};

void tst_huxo::initTestCase()
{
    QVERIFY(QFileInfo(QStringLiteral(HUXO_BINARY)).isExecutable());
    // The copies find each other in the user's runtime folder; this run has one of its own.
    QVERIFY(m_runtime.isValid());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
}

void tst_huxo::aSecondStartOnOneFolderEndsAndLeavesTheFirst()
{
    ProgramFolder folder;
    QProcess first;
    start(first, folder);
    waitUntilUp(first, folder);
    const QFileInfo before(folder.ini());

    QProcess second;
    start(second, folder);
    QVERIFY2(second.waitForFinished(StartMs), "the second copy runs beside the first");
    QVERIFY2(second.exitStatus() == QProcess::NormalExit && second.exitCode() == 0, qPrintable(endOf(second)));
    QCOMPARE(first.state(), QProcess::Running);
    // The second copy never wrote the settings: the first one's changes are not lost to it.
    const QFileInfo after(folder.ini());
    QCOMPARE(after.lastModified(), before.lastModified());
    QCOMPARE(after.fileTime(QFileDevice::FileMetadataChangeTime), before.fileTime(QFileDevice::FileMetadataChangeTime));
    stop(first);
}

void tst_huxo::aFileSizeLimitDoesNotEndTheProgram()
{
    ProgramFolder folder;
    QProcess limited;
    // No file may grow at all: the start-up's first save fails as on a full disk.
    limited.setChildProcessModifier([] {
        rlimit none = {0, 0};
        ::setrlimit(RLIMIT_FSIZE, &none);
    });
    start(limited, folder);
    // The empty settings file is made just before that save, which the signal would end the program in. There is
    // nothing to wait for after it: the program is watched for a while to see that it lives on.
    QTRY_VERIFY_WITH_TIMEOUT(limited.state() != QProcess::Running || QFileInfo::exists(folder.ini()), StartMs);
    QTest::qWait(3000);
    QVERIFY2(limited.state() == QProcess::Running, qPrintable(endOf(limited)));
    QCOMPARE(QFileInfo(folder.ini()).size(), 0);
    stop(limited);
}

void tst_huxo::commandLineIsAnsweredWithoutADisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("error");

    QTest::newRow("version") << QStringList{u"--version"_s} << 0 << u"HUXO 5.1\n"_s << QString();
    QTest::newRow("help") << QStringList{u"--help"_s} << 0 << u"Usage: huxo [OPTION]...\n"_s << QString();
    QTest::newRow("after the toolkit's options")
        << QStringList{u"-style"_s, u"fusion"_s, u"--reverse"_s, u"--version"_s} << 0 << u"HUXO 5.1\n"_s << QString();
    QTest::newRow("unknown option") << QStringList{u"--versoin"_s} << 2 << QString()
                                    << u"huxo: unknown option '--versoin'\nTry 'huxo --help' for more information.\n"_s;
    QTest::newRow("argument") << QStringList{u"clocks.ini"_s} << 2 << QString()
                              << u"huxo: unexpected argument 'clocks.ini'\n"_s;
    QTest::newRow("value missing") << QStringList{u"-platform"_s} << 2 << QString()
                                   << u"huxo: a value is missing after '-platform'\n"_s;
}

void tst_huxo::commandLineIsAnsweredWithoutADisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, error);

    ProgramFolder folder;
    QProcess huxo;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& display : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s}) {
        environment.remove(display);
    }
    huxo.setProcessEnvironment(environment);
    huxo.start(u"setpriv"_s, QStringList{u"--bounding-set=-sys_time"_s, folder.dir.filePath(u"huxo"_s)} + arguments);
    QVERIFY2(huxo.waitForFinished(StartMs), "the program did not end");
    QVERIFY2(huxo.exitStatus() == QProcess::NormalExit && huxo.exitCode() == exitCode, qPrintable(endOf(huxo)));
    const QString printed = QString::fromUtf8(huxo.readAllStandardOutput());
    const QString complained = QString::fromUtf8(huxo.readAllStandardError());
    QVERIFY2(output.isEmpty() ? printed.isEmpty() : printed.startsWith(output), qPrintable(printed));
    QVERIFY2(error.isEmpty() ? complained.isEmpty() : complained.startsWith(error), qPrintable(complained));
    QVERIFY2(!QFileInfo::exists(folder.ini()), "the window was started");
}

void tst_huxo::anEndSignalSavesWhatACloseWouldAndKeepsEveryOffset()
{
    // A first run whose clocks are at the offsets of today's farthest and quarter-hour zones, as the single-precision
    // bytes of their records: -0 on the GMT / UTC clock, +5:45, +12:45, +13, +14 with its summer hour (record 24)
    // and -9:30. The file ends there, as an earlier version's may.
    const std::map<int, QByteArray> records = {{4, "\0\0\0\x80"_ba},
                                               {6, "\0\0\xb8\x40"_ba},
                                               {8, "\0\0\x4c\x41"_ba},
                                               {10, "\0\0\x50\x41"_ba},
                                               {23, "\0\0\x60\x41"_ba},
                                               {24, "\x01\0"_ba},
                                               {26, "\0\0\x18\xc1"_ba}};
    ProgramFolder folder;
    QByteArray stored(26 * 17, '\0');
    for (const auto& [record, bytes] : records) {
        stored.replace((record - 1) * 17, bytes.size(), bytes);
    }
    QFile ini(folder.ini());
    QVERIFY(ini.open(QIODevice::WriteOnly) && ini.write(stored) == stored.size());
    ini.close();

    QProcess huxo;
    start(huxo, folder);
    // Start-up saves the whole file once its window is built.
    QTRY_VERIFY_WITH_TIMEOUT(huxo.state() != QProcess::Running || QFileInfo(folder.ini()).size() == 39 * 17, StartMs);
    huxo.terminate();
    QVERIFY2(huxo.waitForFinished(StartMs), "the program did not end");
    QVERIFY2(huxo.exitStatus() == QProcess::NormalExit && huxo.exitCode() == 0, qPrintable(endOf(huxo)));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray saved = ini.readAll();
    for (const auto& [record, bytes] : records) {
        QCOMPARE(saved.mid((record - 1) * 17, bytes.size()).toHex(), bytes.toHex());
    }
    // The setup is done (record 38) once the first run is closed, and only then.
    QCOMPARE(saved.mid((38 - 1) * 17, 2), QByteArray(2, '\xff'));
}

QTEST_GUILESS_MAIN(tst_huxo)
#include "tst_huxo.moc"
