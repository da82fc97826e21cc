#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

#include "core/ClockModel.h"
#include "core/Module1.h"
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

} // namespace

// What the program does when its settings file cannot be written, or holds rubbish.
class tst_SettingsFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readOnlyFileKeepsTheFileAndTellsTheUser();
    void fullDiskKeepsTheFileAndTellsTheUser();
    void garbageOfEveryLengthIsSurvived();
};

void tst_SettingsFaults::initTestCase()
{
    // Root writes into read-only folders; the test takes an ordinary user's rights so that they bind.
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

void tst_SettingsFaults::fullDiskKeepsTheFileAndTellsTheUser()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"huxo.ini"_s);
    FakeServices fakes;
    Module1 module(fakes.services(), dir.path());
    module.LoadSettings();
    module.GCaption = u"HONOLULU"_s;
    QVERIFY(module.SaveSettings());
    const QByteArray before = contents(path);

    module.GCaption = u"AUCKLAND"_s;
    bool saved200 = true;
    {
        const FileSizeLimit fullDisk(200);
        QVERIFY(fullDisk.isActive());
        saved200 = module.SaveSettings();
    }
    QVERIFY(!saved200);
    QCOMPARE(fakes.dialogs.shown().size(), 1);
    QCOMPARE(contents(path), before);
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

QTEST_APPLESS_MAIN(tst_SettingsFaults)
#include "tst_SettingsFaults.moc"
