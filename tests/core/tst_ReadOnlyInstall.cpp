#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "core/Module1.h"
#include "support/FakeServices.h"

using namespace Qt::StringLiterals;

// A program folder installed system-wide cannot be written: settings go to the per-user folder, shipped
// sounds are still found in the program folder.
class tst_ReadOnlyInstall : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void settingsAreSavedAndReadBackFromTheUserFolder();
    void shippedSoundsComeFromTheProgramFolderUntilTheUserHasOwnCopies();

private:
    std::unique_ptr<QTemporaryDir> m_program;
    std::unique_ptr<QTemporaryDir> m_home;
    QString m_userFolder;
};

void tst_ReadOnlyInstall::init()
{
    m_program = std::make_unique<QTemporaryDir>();
    m_home = std::make_unique<QTemporaryDir>();
    qputenv("XDG_DATA_HOME", m_home->path().toLocal8Bit());
    m_userFolder = m_home->filePath(u"huxo/"_s);
    QFile sound(m_program->filePath(u"b.wav"_s));
    QVERIFY(sound.open(QIODevice::WriteOnly));
    sound.close();
    QVERIFY(QFile::setPermissions(m_program->path(), QFile::ReadOwner | QFile::ExeOwner));
    if (QFileInfo(m_program->path()).isWritable()) {
        QSKIP("This user may write into read-only folders (root without the capability dropped)");
    }
}

void tst_ReadOnlyInstall::cleanup()
{
    // QTemporaryDir cannot remove what it may not write.
    QFile::setPermissions(m_program->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_program.reset();
    m_home.reset();
}

void tst_ReadOnlyInstall::settingsAreSavedAndReadBackFromTheUserFolder()
{
    FakeServices fakes;
    Module1 first(fakes.services(), m_program->path());
    QCOMPARE(first.AppPath, m_userFolder);
    QVERIFY(QFileInfo(m_userFolder).isDir());
    first.LoadSettings();
    first.CCaption = u"NAIROBI"_s;
    QVERIFY(first.SaveSettings());
    QVERIFY(fakes.dialogs.shown().isEmpty());
    QVERIFY(QFile::exists(m_userFolder + u"huxo.ini"_s));

    Module1 second(fakes.services(), m_program->path());
    second.LoadSettings();
    QCOMPARE(second.CCaption, u"NAIROBI"_s);
    QCOMPARE(second.programFile(u"dst.txt"_s), m_userFolder + u"dst.txt"_s);
}

void tst_ReadOnlyInstall::shippedSoundsComeFromTheProgramFolderUntilTheUserHasOwnCopies()
{
    FakeServices fakes;
    Module1 module(fakes.services(), m_program->path());
    const QString userSound = module.programFile(u"b.wav"_s);
    module.PlayWav(userSound);
    QFile own(userSound);
    QVERIFY(own.open(QIODevice::WriteOnly));
    own.close();
    module.PlayWav(userSound);
    module.PlayWav(u"/elsewhere/b.wav"_s);
    QCOMPARE(fakes.sound.played(), (QStringList{m_program->filePath(u"b.wav"_s), userSound, u"/elsewhere/b.wav"_s}));
    QCOMPARE(module.assetFile(u"a1.exe"_s), m_program->filePath(u"a1.exe"_s));
}

QTEST_MAIN(tst_ReadOnlyInstall)
#include "tst_ReadOnlyInstall.moc"
