#include <QDir>
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

// A settings file that belongs to owner.
QString settingsOf(const QString& folder, uid_t owner)
{
    Settings stored;
    stored.CCaption = u"LONDON"_s;
    stored.SetupDone = Flag::On;
    const QString path = folder + u"/huxo.ini"_s;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(SettingsFile::encode(stored)) < 0) {
        return {};
    }
    file.close();
    return ::chown(QFile::encodeName(path).constData(), owner, owner) == 0 ? path : QString();
}

bool linkAs(uid_t owner, const QString& target, const QString& link)
{
    return QFile::link(target, link) && ::lchown(QFile::encodeName(link).constData(), owner, owner) == 0;
}

bool setFolder(const QString& folder, uid_t owner, mode_t mode)
{
    const QByteArray name = QFile::encodeName(folder);
    return ::chown(name.constData(), owner, owner) == 0 && ::chmod(name.constData(), mode) == 0;
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
    void initTestCase();
    void settingsGoThroughTrustedLinksOnly_data();
    void settingsGoThroughTrustedLinksOnly();
    void aDownloadLeavesALinkOfAnotherUserAlone();
};

void tst_ForeignLinks::initTestCase()
{
    if (geteuid() != 0) {
        QSKIP("links of other users can be made only by root");
    }
}

void tst_ForeignLinks::settingsGoThroughTrustedLinksOnly_data()
{
    QTest::addColumn<Trap>("trap");
    QTest::addColumn<bool>("followed");
    QTest::newRow("another user's link in a folder others may write") << Trap::InAFolderOthersWrite << false;
    QTest::newRow("another user's link in a sticky folder for all") << Trap::InAStickyFolderForAll << false;
    QTest::newRow("the user's own link to another user's link") << Trap::BehindALinkOfTheUsersOwn << false;
    QTest::newRow("the folder owner's link to a file of theirs") << Trap::TheFolderOwnersOwn << true;
}

void tst_ForeignLinks::settingsGoThroughTrustedLinksOnly()
{
    QFETCH(Trap, trap);
    QFETCH(bool, followed);
    QTemporaryDir program;
    QTemporaryDir elsewhere;
    QTemporaryDir shared;
    const QString link = program.filePath(u"huxo.ini"_s);
    const QString target = settingsOf(elsewhere.path(), trap == Trap::TheFolderOwnersOwn ? Mallory : Victim);
    QVERIFY(!target.isEmpty());
    switch (trap) {
    case Trap::InAFolderOthersWrite:
        QVERIFY(setFolder(program.path(), 0, 0777));
        QVERIFY(linkAs(Mallory, target, link));
        break;
    case Trap::InAStickyFolderForAll:
        QVERIFY(setFolder(program.path(), 0, 01777));
        QVERIFY(linkAs(Mallory, target, link));
        break;
    case Trap::BehindALinkOfTheUsersOwn:
        QVERIFY(setFolder(shared.path(), 0, 01777));
        QVERIFY(linkAs(Mallory, target, shared.filePath(u"huxo.ini"_s)));
        QVERIFY(linkAs(0, shared.filePath(u"huxo.ini"_s), link));
        break;
    case Trap::TheFolderOwnersOwn:
        QVERIFY(setFolder(program.path(), Mallory, 0755));
        QVERIFY(linkAs(Mallory, target, link));
        break;
    }
    const QByteArray before = contents(target);

    FakeServices fakes;
    Module1 module(fakes.services(), program.path());
    module.LoadSettings();
    module.CCaption = u"TOKYO"_s;
    const bool saved = module.SaveSettings();

    QVERIFY(QFileInfo(link).isSymLink());
    if (followed) {
        QVERIFY(saved);
        QVERIFY(fakes.dialogs.shown().isEmpty());
        QCOMPARE(SettingsFile::decode(contents(target)).CCaption, u"TOKYO"_s);
        return;
    }
    QCOMPARE(contents(target), before);
    QVERIFY(!saved);
    QCOMPARE(fakes.dialogs.shown().size(), 2);
    for (const auto& shown : fakes.dialogs.shown()) {
        QVERIFY2(shown.text.contains(u"a link that another user (user ID 4242) made"_s), qPrintable(shown.text));
    }
    QVERIFY(fakes.dialogs.shown().first().text.contains(u"first-run settings"_s));
    QVERIFY(fakes.dialogs.shown().last().text.contains(u"could not save"_s));
}

void tst_ForeignLinks::aDownloadLeavesALinkOfAnotherUserAlone()
{
    QTemporaryDir program;
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath(u"notes.txt"_s);
    QFile victims(target);
    QVERIFY(victims.open(QIODevice::WriteOnly) && victims.write("a file of another user") > 0);
    victims.close();
    QVERIFY(setFolder(program.path(), 0, 01777));
    const QString link = program.filePath(u"dst.txt"_s);
    QVERIFY(linkAs(Mallory, target, link));

    QString reason;
    QVERIFY(!DstText::writeFile(link, QString(1000, u'x'), &reason));
    QVERIFY2(reason.contains(u"another user"_s), qPrintable(reason));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(contents(target), QByteArray("a file of another user"));
    // Nor is it read: the window shows its own notice instead of that user's file.
    QVERIFY(DstText::readFile(link).isEmpty());
}

QTEST_APPLESS_MAIN(tst_ForeignLinks)
#include "tst_ForeignLinks.moc"
