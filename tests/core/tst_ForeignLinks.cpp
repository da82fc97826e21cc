#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include "core/Module1.h"
#include "core/SettingsFile.h"
#include "support/FakeServices.h"
#include "zones/DstText.h"

using namespace Qt::StringLiterals;

namespace {

// Users without an account: a number is all the kernel needs.
constexpr uid_t Mallory = 4242;
constexpr uid_t Victim = 4343;

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool chownTo(const QString& path, uid_t owner, mode_t mode = 0)
{
    const QByteArray name = QFile::encodeName(path);
    return ::lchown(name.constData(), owner, owner) == 0 && (mode == 0 || ::chmod(name.constData(), mode) == 0);
}

enum class Trap
{
    InAFolderOthersWrite,
    InAStickyFolderForAll,
    BehindALinkOfTheUsersOwn,
    TheFolderOwnersOwn,
};

} // namespace

// Root runs HUXO from a folder that other users can write. A link one of them put there must not lead it to read
// or overwrite a file of theirs or of a third user; links of the user's own and of the folder's owner still work.
class tst_ForeignLinks : public QObject
{
    Q_OBJECT

private slots:
    void onlyTrustedLinksAreFollowed_data();
    void onlyTrustedLinksAreFollowed();
};

void tst_ForeignLinks::onlyTrustedLinksAreFollowed_data()
{
    QTest::addColumn<Trap>("trap");
    QTest::addColumn<bool>("followed");
    QTest::newRow("another user's link in a folder others may write") << Trap::InAFolderOthersWrite << false;
    QTest::newRow("another user's link in a sticky folder for all") << Trap::InAStickyFolderForAll << false;
    QTest::newRow("the user's own link to another user's link") << Trap::BehindALinkOfTheUsersOwn << false;
    QTest::newRow("the folder owner's link to a file of theirs") << Trap::TheFolderOwnersOwn << true;
}

void tst_ForeignLinks::onlyTrustedLinksAreFollowed()
{
    QFETCH(Trap, trap);
    QFETCH(bool, followed);
    if (geteuid() != 0) {
        QSKIP("links of other users can be made only by root");
    }
    QTemporaryDir program;
    QTemporaryDir elsewhere;
    QTemporaryDir shared;
    const uid_t folderOwner = trap == Trap::TheFolderOwnersOwn ? Mallory : 0;
    const mode_t folderMode = trap == Trap::InAFolderOthersWrite ? 0777
                              : trap == Trap::TheFolderOwnersOwn ? 0755
                                                                 : 01777;
    QVERIFY(chownTo(program.path(), folderOwner, folderMode));
    QVERIFY(chownTo(shared.path(), 0, 01777));
    Settings stored;
    stored.CCaption = u"LONDON"_s;
    const QByteArray before = SettingsFile::encode(stored);
    // The settings and the daylight-saving text both lead to files of another user.
    for (const QString& name : {u"huxo.ini"_s, u"dst.txt"_s}) {
        const QString target = elsewhere.filePath(name);
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(before) == before.size());
        QVERIFY(chownTo(target, trap == Trap::TheFolderOwnersOwn ? Mallory : Victim));
        const QString link = program.filePath(name);
        if (trap == Trap::BehindALinkOfTheUsersOwn) {
            QVERIFY(QFile::link(target, shared.filePath(name)) && chownTo(shared.filePath(name), Mallory));
            QVERIFY(QFile::link(shared.filePath(name), link));
        } else {
            QVERIFY(QFile::link(target, link) && chownTo(link, Mallory));
        }
    }

    FakeServices fakes;
    Module1 module(fakes.services(), program.path());
    module.LoadSettings();
    module.CCaption = u"TOKYO"_s;
    const bool saved = module.SaveSettings();
    QString reason;
    const bool downloaded = DstText::writeFile(program.filePath(u"dst.txt"_s), QString(1000, u'x'), &reason);

    QVERIFY(QFileInfo(program.filePath(u"huxo.ini"_s)).isSymLink());
    QCOMPARE(saved, followed);
    QCOMPARE(downloaded, followed);
    if (followed) {
        QVERIFY(fakes.dialogs.shown().isEmpty());
        QCOMPARE(SettingsFile::decode(contents(elsewhere.filePath(u"huxo.ini"_s))).CCaption, u"TOKYO"_s);
        return;
    }
    QVERIFY(QFileInfo(program.filePath(u"dst.txt"_s)).isSymLink());
    QCOMPARE(contents(elsewhere.filePath(u"huxo.ini"_s)), before);
    QCOMPARE(contents(elsewhere.filePath(u"dst.txt"_s)), before);
    const QString why = u"a link that another user (user ID 4242) made"_s;
    QVERIFY2(reason.contains(why), qPrintable(reason));
    // Reading and saving the settings each tell the user why.
    QCOMPARE(fakes.dialogs.shown().size(), 2);
    for (const auto& shown : fakes.dialogs.shown()) {
        QVERIFY2(shown.text.contains(why), qPrintable(shown.text));
    }
}

QTEST_APPLESS_MAIN(tst_ForeignLinks)
#include "tst_ForeignLinks.moc"
