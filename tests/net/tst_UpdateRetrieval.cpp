#include <QFile>
#include <QFileInfo>
#include <QTest>

#include "NetRig.h"
#include "net/SetMserver.h"
#include "net/UpdateRetrieval.h"
#include "support/UpdateServerFiles.h"
#include "zones/DstText.h"

using namespace Qt::StringLiterals;

namespace {

const QByteArray OldPicture = "GIF89a the old picture";
const QString OldDst = u"The daylight-saving text as it was."_s;

// A retrieval against the primary address, the stored files of an earlier one already in the program folder.
struct RetrievalRig : NetRig
{
    RetrievalRig()
    {
        module.MServer = ServerBase::Primary;
        QVERIFY(DstText::writeFile(file(u"dst.txt"_s), OldDst));
        QFile picture(file(u"pic.gif"_s));
        QVERIFY(picture.open(QIODevice::WriteOnly));
        picture.write(OldPicture);
    }

    UpdateRetrieval::Result run() { return UpdateRetrieval(module, *link, progress()).run(); }
};

bool mayBeRun(const QString& path)
{
    return QFile::permissions(path) & (QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
}

} // namespace

class tst_UpdateRetrieval : public QObject
{
    Q_OBJECT

private slots:
    void storesTheFilesAndHandsOverTheNewsletter();
    void aMissingNewsFileIsShownAsText();
    void errorPagesAndCutBodiesKeepTheStoredFiles_data();
    void errorPagesAndCutBodiesKeepTheStoredFiles();
    void storedFilesReplaceALinkNeverItsTarget();
    void programFilesAreSavedWholeOrNotAtAll_data();
    void programFilesAreSavedWholeOrNotAtAll();
};

void tst_UpdateRetrieval::storesTheFilesAndHandsOverTheNewsletter()
{
    RetrievalRig rig;
    serveUpdates(rig.server, "/main/", "There is free disk space for everyone.");
    rig.module.NetStatus = NetOutcome::Completed; // an earlier operation's
    const UpdateRetrieval::Result result = rig.run();

    QVERIFY(result.completed);
    QVERIFY(result.newsletter);
    QCOMPARE(result.newsletter->headline, u"Big news"_s);
    QCOMPARE(result.newsletter->text, u"There is free disk space for everyone."_s);
    QVERIFY(result.newsletter->offersDownload);
    QCOMPARE(DstText::readFile(rig.file(u"dst.txt"_s)), DstBody);
    QCOMPARE(fileBytes(rig.file(u"pic.gif"_s)), pictureBytes());
    QCOMPARE(rig.lines,
             (QStringList{u"Establishing connection..."_s,
                          u"HUXO server  1"_s,
                          u"Retrieving Updates..."_s,
                          u"PLEASE WAIT"_s,
                          u"Retrieved dst.txt at 12:59:40 (local)"_s,
                          u"RETRIEVAL COMPLETE"_s}));
    // Completed only at the end: while the files were on their way nothing said so.
    QCOMPARE(rig.netStatusAtStart, std::make_optional(NetOutcome::Pending));
    QCOMPARE(rig.module.NetStatus, NetOutcome::Completed);
}

void tst_UpdateRetrieval::aMissingNewsFileIsShownAsText()
{
    RetrievalRig rig;
    serveUpdates(rig.server, "/main/", {});
    rig.server.addBody("/main/x__c51/news.txt", LoopbackHttpServer::NotFoundPage, 404);
    const UpdateRetrieval::Result result = rig.run();

    QVERIFY(result.completed);
    QVERIFY(result.newsletter);
    QCOMPARE(result.newsletter->text, QString::fromLatin1(LoopbackHttpServer::NotFoundPage));
}

void tst_UpdateRetrieval::errorPagesAndCutBodiesKeepTheStoredFiles_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("raw"); // sent as it stands, then reset, when not empty

    const QByteArray cutOff = "HTTP/1.1 200 OK\r\nContent-Length: 5000\r\n\r\nGIF89a";
    QTest::newRow("dst.txt missing") << QByteArray("dst.txt") << 404 << QByteArray();
    QTest::newRow("dst.txt server error") << QByteArray("dst.txt") << 500 << QByteArray();
    QTest::newRow("dst.txt reset mid-body") << QByteArray("dst.txt") << 200 << cutOff;
    QTest::newRow("picc.gif missing") << QByteArray("picc.gif") << 404 << QByteArray();
    QTest::newRow("picc.gif reset mid-body") << QByteArray("picc.gif") << 200 << cutOff;
}

void tst_UpdateRetrieval::errorPagesAndCutBodiesKeepTheStoredFiles()
{
    QFETCH(QByteArray, file);
    QFETCH(int, status);
    QFETCH(QByteArray, raw);
    RetrievalRig rig;
    serveUpdates(rig.server, "/main/", "There is free disk space for everyone.");
    const QByteArray path = "/main/x__c51/" + file;
    if (raw.isEmpty()) {
        rig.server.addBody(path, LoopbackHttpServer::NotFoundPage, status);
    } else {
        rig.server.addRaw(path, raw, LoopbackHttpServer::Ending::Reset);
    }
    const UpdateRetrieval::Result result = rig.run();

    QVERIFY(!result.completed);
    QVERIFY(!result.newsletter);
    QCOMPARE(rig.lines.last(), u"bad link"_s);
    QCOMPARE(rig.module.NetStatus, NetOutcome::Failed);
    QCOMPARE(rig.module.MServer, ServerBase::Primary);
    QCOMPARE(fileBytes(rig.file(u"pic.gif"_s)), OldPicture);
    // A failure after dst.txt keeps the new one, as a failure before it keeps the old one.
    QCOMPARE(DstText::readFile(rig.file(u"dst.txt"_s)), file == "dst.txt" ? OldDst : DstBody);
}

void tst_UpdateRetrieval::storedFilesReplaceALinkNeverItsTarget()
{
    RetrievalRig rig;
    serveUpdates(rig.server, "/main/", "tiny");
    QTemporaryDir elsewhere;
    for (const QString& name : {u"dst.txt"_s, u"pic.gif"_s}) {
        const QString target = elsewhere.filePath(name);
        QFile precious(target);
        QVERIFY(precious.open(QIODevice::WriteOnly));
        precious.write("precious");
        precious.close();
        QFile::remove(rig.file(name));
        QVERIFY(QFile::link(target, rig.file(name)));
    }
    QVERIFY(rig.run().completed);

    for (const QString& name : {u"dst.txt"_s, u"pic.gif"_s}) {
        QCOMPARE(fileBytes(elsewhere.filePath(name)), QByteArray("precious"));
        QVERIFY2(!QFileInfo(rig.file(name)).isSymLink(), qPrintable(name));
    }
    QCOMPARE(DstText::readFile(rig.file(u"dst.txt"_s)), DstBody);
    QCOMPARE(fileBytes(rig.file(u"pic.gif"_s)), pictureBytes());
}

void tst_UpdateRetrieval::programFilesAreSavedWholeOrNotAtAll_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("raw"); // sent as it stands, then closed, when not empty
    QTest::addColumn<bool>("saved");

    QTest::newRow("whole") << 200 << QByteArray() << true;
    QTest::newRow("missing") << 404 << QByteArray() << false;
    QTest::newRow("cut short") << 200 << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 9000\r\n\r\nMZ half a program")
                               << false;
}

void tst_UpdateRetrieval::programFilesAreSavedWholeOrNotAtAll()
{
    QFETCH(int, status);
    QFETCH(QByteArray, raw);
    QFETCH(bool, saved);
    NetRig rig;
    SetMserver(rig.module);
    if (raw.isEmpty()) {
        rig.server.addBody("/main/x__c51/new.ex", "MZ the new program", status);
    } else {
        rig.server.addRaw("/main/x__c51/new.ex", raw);
    }
    // What was there before is a link to a file of the user's, which must never be written through.
    QTemporaryDir elsewhere;
    const QString usersFile = elsewhere.filePath(u"notes.txt"_s);
    QFile notes(usersFile);
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.write("the user's notes");
    notes.close();
    QVERIFY(QFile::link(usersFile, rig.file(u"new.exe"_s)));

    QString failure;
    QCOMPARE(fetchProgramFile(rig.module, *rig.link, u"new.ex"_s, u"new.exe"_s, &failure), saved);
    QCOMPARE(failure.isEmpty(), saved);
    QCOMPARE(fileBytes(usersFile), QByteArray("the user's notes"));
    QCOMPARE(QFileInfo(rig.file(u"new.exe"_s)).isSymLink(), !saved);
    if (saved) {
        QCOMPARE(fileBytes(rig.file(u"new.exe"_s)), QByteArray("MZ the new program"));
        QVERIFY(!mayBeRun(rig.file(u"new.exe"_s)));
    }
}

QTEST_GUILESS_MAIN(tst_UpdateRetrieval)
#include "tst_UpdateRetrieval.moc"
