#include <QDir>
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
    void shippedFilesComeFromTheProgramFolderUntilTheUserHasOwnCopies();
    void aWritableProgramFolderKeepsEverything();
    void aUserFolderThatCannotBeMadeIsReportedOnSaving();

private:
    void makeReadOnly(const QString& folder);
    static bool writable(const QString& folder) { return QFileInfo(folder).isWritable(); }

    std::unique_ptr<QTemporaryDir> m_program;
    std::unique_ptr<QTemporaryDir> m_home;
    QStringList m_lockedFolders;
};

void tst_ReadOnlyInstall::init()
{
    m_program = std::make_unique<QTemporaryDir>();
    m_home = std::make_unique<QTemporaryDir>();
    qputenv("XDG_DATA_HOME", m_home->filePath(u"data"_s).toLocal8Bit());
    for (const QString& sound : {u"a.wav"_s, u"b.wav"_s}) {
        QFile file(m_program->filePath(sound));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("RIFF");
    }
}

void tst_ReadOnlyInstall::cleanup()
{
    // QTemporaryDir cannot remove what it may not write.
    for (const QString& folder : std::as_const(m_lockedFolders)) {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    m_lockedFolders.clear();
    m_program.reset();
    m_home.reset();
}

void tst_ReadOnlyInstall::makeReadOnly(const QString& folder)
{
    QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
    m_lockedFolders.append(folder);
    if (writable(folder)) {
        QSKIP("This user may write into read-only folders (root without the capability dropped)");
    }
}

void tst_ReadOnlyInstall::settingsAreSavedAndReadBackFromTheUserFolder()
{
    makeReadOnly(m_program->path());
    const QString userFolder = m_home->filePath(u"data/huxo/"_s);
    FakeServices fakes;
    Module1 first(fakes.services(), m_program->path());
    QCOMPARE(first.AppPath, userFolder);
    QVERIFY(QFileInfo(userFolder).isDir());

    first.LoadSettings();
    first.CCaption = u"NAIROBI"_s;
    first.COffset = 3;
    QVERIFY(first.SaveSettings());
    QVERIFY(fakes.dialogs.shown().isEmpty());
    QVERIFY(QFile::exists(userFolder + u"huxo.ini"_s));
    QVERIFY(!QFile::exists(m_program->filePath(u"huxo.ini"_s)));

    Module1 second(fakes.services(), m_program->path());
    second.LoadSettings();
    QCOMPARE(second.CCaption, u"NAIROBI"_s);
    QCOMPARE(second.COffset, 3.0f);
    QCOMPARE(second.programFile(u"dst.txt"_s), userFolder + u"dst.txt"_s);
}

void tst_ReadOnlyInstall::shippedFilesComeFromTheProgramFolderUntilTheUserHasOwnCopies()
{
    makeReadOnly(m_program->path());
    FakeServices fakes;
    Module1 module(fakes.services(), m_program->path());
    module.PlayWav(module.programFile(u"b.wav"_s));
    QCOMPARE(module.assetFile(u"a.wav"_s), m_program->filePath(u"a.wav"_s));

    QFile own(module.programFile(u"b.wav"_s));
    QVERIFY(own.open(QIODevice::WriteOnly));
    own.close();
    module.PlayWav(module.programFile(u"b.wav"_s));
    module.PlayWav(u"/elsewhere/b.wav"_s);
    QCOMPARE(fakes.sound.played(),
             (QStringList{m_program->filePath(u"b.wav"_s), module.programFile(u"b.wav"_s), u"/elsewhere/b.wav"_s}));
}

void tst_ReadOnlyInstall::aWritableProgramFolderKeepsEverything()
{
    FakeServices fakes;
    Module1 module(fakes.services(), m_program->path());
    QCOMPARE(module.AppPath, m_program->path() + u'/');
    QCOMPARE(module.assetFile(u"a1.exe"_s), m_program->filePath(u"a1.exe"_s));
    module.LoadSettings();
    QVERIFY(module.SaveSettings());
    QVERIFY(QFile::exists(m_program->filePath(u"huxo.ini"_s)));
    QVERIFY(!QFile::exists(m_home->filePath(u"data"_s)));
}

void tst_ReadOnlyInstall::aUserFolderThatCannotBeMadeIsReportedOnSaving()
{
    makeReadOnly(m_program->path());
    makeReadOnly(m_home->path());
    FakeServices fakes;
    Module1 module(fakes.services(), m_program->path());
    module.LoadSettings();
    module.CCaption = u"LIMA"_s;
    QVERIFY(!module.SaveSettings());
    QVERIFY(!fakes.dialogs.shown().isEmpty());
    QVERIFY(fakes.dialogs.shown().last().text.contains(u"could not save"_s));
    QCOMPARE(module.CCaption, u"LIMA"_s);
}

QTEST_MAIN(tst_ReadOnlyInstall)
#include "tst_ReadOnlyInstall.moc"
