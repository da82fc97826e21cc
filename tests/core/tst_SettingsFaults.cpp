#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/ClockModel.h"
#include "core/Module1.h"
#include "core/RegularFile.h"
#include "core/SettingsFile.h"
#include "support/FakeServices.h"
#include "support/FileSizeLimit.h"
#include "support/RecordingClockView.h"

using namespace Qt::StringLiterals;

namespace {

constexpr uid_t Nobody = 65534;

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// What is at path itself, a link not followed.
mode_t typeAt(const QString& path)
{
    struct stat entry = {};
    return ::lstat(QFile::encodeName(path).constData(), &entry) == 0 ? entry.st_mode & S_IFMT : 0;
}

enum class InPlace
{
    NamedPipe,
    Folder,
    LinkToDevice,
    LinkToNamedPipe,
    LinkToNothing
};

// Puts something other than a settings file at path and gives the reason the program should name.
QString putInPlace(InPlace what, const QString& path, const QTemporaryDir& dir)
{
    const QString pipe = dir.filePath(u"pipe"_s);
    const QString nowhere = dir.filePath(u"unmounted/huxo.ini"_s);
    switch (what) {
    case InPlace::NamedPipe:
        ::mkfifo(QFile::encodeName(path).constData(), 0600);
        return u"It is a named pipe, not a file."_s;
    case InPlace::Folder:
        QDir().mkdir(path);
        return u"It is a folder, not a file."_s;
    case InPlace::LinkToDevice:
        QFile::link(u"/dev/zero"_s, path);
        return u"It is a link to /dev/zero, which is a device, not a file."_s;
    case InPlace::LinkToNamedPipe:
        ::mkfifo(QFile::encodeName(pipe).constData(), 0600);
        QFile::link(pipe, path);
        return u"It is a link to %1, which is a named pipe, not a file."_s.arg(pipe);
    case InPlace::LinkToNothing:
        QDir().mkdir(dir.filePath(u"unmounted"_s));
        QFile::link(nowhere, path);
        return u"It is a link to %1, which does not exist."_s.arg(nowhere);
    }
    return {};
}

enum class Limit
{
    FileSize,
    FullDisk
};

} // namespace

// What the program does when its settings file cannot be written, or holds rubbish.
class tst_SettingsFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readOnlyFileKeepsTheFileAndTellsTheUser();
    void fullDiskKeepsTheFileAndTellsTheUser_data();
    void fullDiskKeepsTheFileAndTellsTheUser();
    void garbageOfEveryLengthIsSurvived();
    void onlyARegularFileIsReadOrReplaced_data();
    void onlyARegularFileIsReadOrReplaced();
    void aLinkToASettingsFileIsFollowed();
    void aHugeFileIsReadFromItsStartOnly();
    void aFileLongerThanItsSizeIsReadUpToTheCap();

private:
    QString m_smallDisk;
};

void tst_SettingsFaults::initTestCase()
{
    // Root writes into read-only folders; the test takes an ordinary user's rights so that they bind. Before that,
    // it mounts a small disk of its own, seen by this process alone, over the temporary folder.
    if (geteuid() == 0 && ::unshare(CLONE_NEWNS) == 0
        && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0) {
        const QByteArray temporary = QFile::encodeName(QDir::tempPath());
        QVERIFY(::mount("tmpfs", temporary.constData(), "tmpfs", 0, "mode=1777") == 0);
        m_smallDisk = QDir::tempPath() + u"/small"_s;
        QVERIFY(QDir().mkdir(m_smallDisk));
        QVERIFY(::mount("tmpfs", QFile::encodeName(m_smallDisk).constData(), "tmpfs", 0, "size=16k,mode=0777") == 0);
    }
    if (geteuid() == 0) {
        QVERIFY(setresgid(Nobody, Nobody, Nobody) == 0);
        QVERIFY(setresuid(Nobody, Nobody, Nobody) == 0);
    }
}

void tst_SettingsFaults::readOnlyFileKeepsTheFileAndTellsTheUser()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"huxo.ini"_s);
    Settings stored;
    stored.CCaption = u"LONDON"_s;
    QVERIFY(SettingsFile::write(path, stored, nullptr));
    const QByteArray before = contents(path);
    // A read-only folder sends the settings to the per-user folder; a read-only file in a writable one stays.
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));

    FakeServices fakes;
    Module1 module(fakes.services(), dir.path());
    module.LoadSettings();
    QCOMPARE(module.CCaption, u"LONDON"_s);
    module.CCaption = u"TOKYO"_s;
    QVERIFY(!module.SaveSettings());
    QCOMPARE(fakes.dialogs.shown().size(), 1);
    QVERIFY(fakes.dialogs.shown().first().text.contains(u"could not save"_s));
    QCOMPARE(module.CCaption, u"TOKYO"_s);
    QCOMPARE(contents(path), before);
}

void tst_SettingsFaults::fullDiskKeepsTheFileAndTellsTheUser_data()
{
    QTest::addColumn<Limit>("limit");
    QTest::addColumn<QString>("words");
    QTest::newRow("file-size limit") << Limit::FileSize << u"largest size this system lets HUXO write"_s;
    QTest::newRow("full disk") << Limit::FullDisk << u"The disk is full."_s;
}

void tst_SettingsFaults::fullDiskKeepsTheFileAndTellsTheUser()
{
    QFETCH(Limit, limit);
    QFETCH(QString, words);
    if (limit == Limit::FullDisk && m_smallDisk.isEmpty()) {
        QSKIP("a small disk of the test's own needs root and a mount namespace");
    }
    QTemporaryDir dir;
    const QString folder = limit == Limit::FullDisk ? m_smallDisk : dir.path();
    const QString path = folder + u"/huxo.ini"_s;
    FakeServices fakes;
    Module1 module(fakes.services(), folder);
    module.LoadSettings();
    module.GCaption = u"HONOLULU"_s;
    QVERIFY(module.SaveSettings());
    const QByteArray before = contents(path);

    module.GCaption = u"AUCKLAND"_s;
    bool saved = true;
    if (limit == Limit::FullDisk) {
        QFile filler(folder + u"/filler"_s);
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(4096, 'x')) > 0) {
        }
        saved = module.SaveSettings();
    } else {
        const FileSizeLimit fullDisk(200);
        QVERIFY(fullDisk.isActive());
        saved = module.SaveSettings();
    }
    QVERIFY(!saved);
    QCOMPARE(fakes.dialogs.shown().size(), 1);
    QVERIFY2(fakes.dialogs.shown().first().text.contains(words), qPrintable(fakes.dialogs.shown().first().text));
    QCOMPARE(contents(path), before);
    QCOMPARE(QDir(folder).entryList(QDir::Files).size(), limit == Limit::FullDisk ? 2 : 1);
    QCOMPARE(module.GCaption, u"AUCKLAND"_s);
}

void tst_SettingsFaults::garbageOfEveryLengthIsSurvived()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"huxo.ini"_s);
    QRandomGenerator random(20261208);
    FakeServices fakes;
    for (int length = 0; length <= 2000; ++length) {
        QByteArray garbage(length, '\0');
        random.fillRange(reinterpret_cast<quint32*>(garbage.data()), length / 4);
        writeFile(path, garbage);

        Module1 module(fakes.services(), dir.path());
        module.LoadSettings();
        RecordingClockView view(fakes.clock);
        ClockModel model(module, view);
        model.LastMin = -1;
        model.DoTick();
        for (int slot = 2; slot <= ClockModel::SlotCount; ++slot) {
            QVERIFY2(QTime::fromString(view.times[slot], u"hh:mm"_s).isValid(), qPrintable(view.times[slot]));
        }
        QVERIFY(module.SaveSettings());
        QCOMPARE(contents(path).size(),
                 qMax<qsizetype>(length, SettingsFile::RecordCount * SettingsFile::RecordLength));
    }
    QVERIFY(fakes.dialogs.shown().isEmpty());
}

void tst_SettingsFaults::onlyARegularFileIsReadOrReplaced_data()
{
    QTest::addColumn<InPlace>("what");
    QTest::newRow("named pipe") << InPlace::NamedPipe;
    QTest::newRow("folder") << InPlace::Folder;
    QTest::newRow("link to a device") << InPlace::LinkToDevice;
    QTest::newRow("link to a named pipe") << InPlace::LinkToNamedPipe;
    QTest::newRow("link to nothing") << InPlace::LinkToNothing;
}

void tst_SettingsFaults::onlyARegularFileIsReadOrReplaced()
{
    QFETCH(InPlace, what);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"huxo.ini"_s);
    const QString reason = putInPlace(what, path, dir);
    const mode_t before = typeAt(path);
    QVERIFY(before != 0);

    // A pipe would keep the start-up waiting for a writer for ever; the device would be read until memory ran out.
    FakeServices fakes;
    Module1 module(fakes.services(), dir.path());
    module.LoadSettings();
    QCOMPARE(fakes.dialogs.shown().size(), 1);
    const QString readMessage = fakes.dialogs.shown().first().text;
    QVERIFY2(readMessage.contains(u"could not read"_s) && readMessage.contains(reason)
                 && readMessage.contains(u"first-run settings"_s),
             qPrintable(readMessage));
    QCOMPARE(module.SetupDone, Flag::Off);

    module.CCaption = u"TOKYO"_s;
    QVERIFY(!module.SaveSettings());
    QCOMPARE(fakes.dialogs.shown().size(), 2);
    const QString saveMessage = fakes.dialogs.shown().last().text;
    QVERIFY2(saveMessage.contains(u"could not save"_s) && saveMessage.contains(reason), qPrintable(saveMessage));
    QCOMPARE(typeAt(path), before);
    QVERIFY(!QFileInfo::exists(dir.filePath(u"unmounted/huxo.ini"_s)));
}

void tst_SettingsFaults::aLinkToASettingsFileIsFollowed()
{
    QTemporaryDir program;
    QTemporaryDir kept;
    const QString target = kept.filePath(u"huxo.ini"_s);
    const QString link = program.filePath(u"huxo.ini"_s);
    Settings stored;
    stored.CCaption = u"LONDON"_s;
    stored.SetupDone = Flag::On;
    QVERIFY(SettingsFile::write(target, stored, nullptr));
    QVERIFY(QFile::link(target, link));

    FakeServices fakes;
    Module1 module(fakes.services(), program.path());
    module.LoadSettings();
    QCOMPARE(module.CCaption, u"LONDON"_s);
    module.CCaption = u"TOKYO"_s;
    QVERIFY(module.SaveSettings());
    QVERIFY(fakes.dialogs.shown().isEmpty());
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(SettingsFile::decode(contents(target)).CCaption, u"TOKYO"_s);
}

// A file that grows after it was looked at, as the kernel's own files do (they say they are empty): reading gives
// all that is there, and never more than the cap.
void tst_SettingsFaults::aFileLongerThanItsSizeIsReadUpToTheCap()
{
    const QString status = u"/proc/self/status"_s;
    QCOMPARE(QFileInfo(status).size(), 0);
    const RegularFile::Reading whole = RegularFile::read(status, 1 << 20);
    QVERIFY(whole.bytes.startsWith("Name:"));
    QVERIFY(whole.bytes.contains("\nVmRSS:"));
    QVERIFY(whole.bytes.endsWith('\n'));
    QCOMPARE(RegularFile::read(status, 10).bytes, whole.bytes.left(10));
}

void tst_SettingsFaults::aHugeFileIsReadFromItsStartOnly()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"huxo.ini"_s);
    Settings stored;
    stored.GCaption = u"HONOLULU"_s;
    stored.SetupDone = Flag::On;
    writeFile(path, SettingsFile::encode(stored));
    constexpr qint64 Huge = 300LL * 1024 * 1024;
    QVERIFY(QFile::resize(path, Huge));

    FakeServices fakes;
    Module1 module(fakes.services(), dir.path());
    module.LoadSettings();
    QCOMPARE(module.GCaption, u"HONOLULU"_s);
    QCOMPARE(fakes.dialogs.shown().size(), 1);
    QVERIFY2(fakes.dialogs.shown().first().text.contains(QString::number(Huge)),
             qPrintable(fakes.dialogs.shown().first().text));

    // Each save writes what was kept, not the whole file again.
    QVERIFY(module.SaveSettings());
    QCOMPARE(QFileInfo(path).size(),
             SettingsFile::RecordCount * SettingsFile::RecordLength + SettingsFile::MaxBeyondLastRecord);
    Module1 again(fakes.services(), dir.path());
    again.LoadSettings();
    QCOMPARE(again.GCaption, u"HONOLULU"_s);
    QCOMPARE(fakes.dialogs.shown().size(), 1);
}

QTEST_APPLESS_MAIN(tst_SettingsFaults)
#include "tst_SettingsFaults.moc"
