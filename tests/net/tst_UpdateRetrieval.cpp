#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <functional>

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

    ~RetrievalRig()
    {
        http2.kill();
        http2.waitForFinished();
    }

    UpdateRetrieval::Result run() { return UpdateRetrieval(module, *link, progress()).run(); }

    QProcess http2; // serves every file, when it runs
};

// How the server answers the request for one file of a retrieval.
using Answer = std::function<void(RetrievalRig& rig, const QByteArray& path)>;

Answer page(int status)
{
    return [status](RetrievalRig& rig, const QByteArray& path) {
        rig.server.addBody(path, LoopbackHttpServer::NotFoundPage, status);
    };
}

Answer raw(const QByteArray& bytes, LoopbackHttpServer::Ending ending = LoopbackHttpServer::Ending::Close)
{
    return [bytes, ending](RetrievalRig& rig, const QByteArray& path) { rig.server.addRaw(path, bytes, ending); };
}

Answer endlessHead(LoopbackHttpServer::HeadLines lines)
{
    return [lines](RetrievalRig& rig, const QByteArray& path) { rig.server.addEndlessHead(path, lines); };
}

// Every file from an HTTP/2 server (support/loopback_http2_server.py) that resets its answers with this error
// code, trusted through the authority in tlsFolder.
Answer http2(const QString& tlsFolder, int resetError)
{
    return [tlsFolder, resetError](RetrievalRig& rig, const QByteArray&) {
        rig.http2.start(u"/usr/bin/python3"_s,
                        {QStringLiteral(HUXO_SOURCE_DIR "/tests/support/loopback_http2_server.py"),
                         tlsFolder,
                         QString::number(resetError)});
        QTRY_VERIFY_WITH_TIMEOUT(rig.http2.canReadLine(), 10000);
        QFile authority(tlsFolder + u"/ca.pem"_s);
        QVERIFY(authority.open(QIODevice::ReadOnly));
        rig.link->setAuthorities(authority.readAll());
        rig.module.NetEndpoints.primaryBase = u"127.0.0.1:"_s + rig.http2.readLine().trimmed() + u"/main/"_s;
    };
}

QByteArray packed(const QByteArray& coding, const QByteArray& body)
{
    return "HTTP/1.1 200 OK\r\nContent-Encoding: " + coding + "\r\nContent-Length: " + QByteArray::number(body.size())
           + "\r\n\r\n" + body;
}

// 64 MiB of zeros packed into some 64 KiB, beyond every body's limit once unpacked.
QByteArray zlibBomb()
{
    return qCompress(QByteArray(64 << 20, '\0'), 9).mid(4); // without qCompress's own length
}

// The same as gzip. Its trailer's checksum is left out: a client that stops at the limit never gets there.
QByteArray gzipBomb()
{
    const QByteArray zlib = zlibBomb();
    return QByteArray("\x1f\x8b\x08\0\0\0\0\0\0\x03", 10) + zlib.mid(2, zlib.size() - 6) + QByteArray(8, '\0');
}

bool mayBeRun(const QString& path)
{
    return QFile::permissions(path) & (QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
}

} // namespace

class tst_UpdateRetrieval : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void storesTheFilesAndHandsOverTheNewsletter();
    void aMissingNewsFileIsShownAsText();
    void brokenAnswersKeepTheStoredFiles_data();
    void brokenAnswersKeepTheStoredFiles();
    void storedFilesReplaceALinkNeverItsTarget();
    void programFilesAreSavedWholeOrNotAtAll_data();
    void programFilesAreSavedWholeOrNotAtAll();

private:
    QTemporaryDir m_tls; // a throw-away authority and a certificate for 127.0.0.1 signed by it
};

Q_DECLARE_METATYPE(Answer)

void tst_UpdateRetrieval::initTestCase()
{
    QProcess certificates;
    certificates.setProcessChannelMode(QProcess::MergedChannels);
    certificates.start(QStringLiteral(HUXO_SOURCE_DIR "/server/make-test-certificate.sh"), {m_tls.path()});
    QVERIFY(certificates.waitForFinished(60000));
    QVERIFY2(certificates.exitCode() == 0, certificates.readAll().constData());
}

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

// Every answer that is not the whole file ends the retrieval with a line that says what was wrong, and leaves the
// files stored before it as they were. The test runs under an address-space limit that an endless header or a bomb
// kept whole would break.
void tst_UpdateRetrieval::brokenAnswersKeepTheStoredFiles_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("said");

    using Ending = LoopbackHttpServer::Ending;
    const QString missing = u"The server does not have the file (it answered with status 404)."_s;
    const QString cutOff = u"The connection ended before the server's whole answer had arrived."_s;
    const QString notHttp = u"The server's answer was not valid HTTP."_s;
    const QString tooLarge = u"The server's answer was too large."_s;
    const QString headTooLarge = u"The header of the server's answer was too large."_s;
    const QByteArray resetMidBody = "HTTP/1.1 200 OK\r\nContent-Length: 5000\r\n\r\nGIF89a";

    QTest::newRow("dst.txt missing") << QByteArray("dst.txt") << page(404) << missing;
    QTest::newRow("dst.txt server error")
        << QByteArray("dst.txt") << page(500) << u"The server does not have the file (it answered with status 500)."_s;
    QTest::newRow("dst.txt reset mid-body") << QByteArray("dst.txt") << raw(resetMidBody, Ending::Reset) << cutOff;
    QTest::newRow("picc.gif missing") << QByteArray("picc.gif") << page(404) << missing;
    QTest::newRow("picc.gif reset mid-body") << QByteArray("picc.gif") << raw(resetMidBody, Ending::Reset) << cutOff;
    QTest::newRow("header lines without end")
        << QByteArray("dst.txt") << endlessHead(LoopbackHttpServer::HeadLines::Many) << headTooLarge;
    QTest::newRow("a header line without end")
        << QByteArray("dst.txt") << endlessHead(LoopbackHttpServer::HeadLines::OneEndless) << headTooLarge;
    QTest::newRow("gzip bomb as text") << QByteArray("dst.txt") << raw(packed("gzip", gzipBomb())) << tooLarge;
    QTest::newRow("deflate bomb as bytes") << QByteArray("picc.gif") << raw(packed("deflate", zlibBomb())) << tooLarge;
    QTest::newRow("gzip that does not unpack")
        << QByteArray("picc.gif") << raw(packed("gzip", "GIF89a, not packed at all"))
        << u"The server's packed answer could not be unpacked."_s;
    QTest::newRow("closed without a length")
        << QByteArray("dst.txt") << raw("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\nSun Mar 29") << cutOff;
    QTest::newRow("two different lengths")
        << QByteArray("dst.txt") << raw("HTTP/1.1 200 OK\r\nContent-Length: 3\r\nContent-Length: 10\r\n\r\nSun Mar 29")
        << notHttp;
    QTest::newRow("chunk of 2^64-1 bytes")
        << QByteArray("dst.txt")
        << raw("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nffffffffffffffff\r\nSun Mar 29") << notHttp;
    QTest::newRow("HTTP/2 stream reset") << QByteArray("dst.txt") << http2(m_tls.path(), 2) << cutOff;
    QTest::newRow("HTTP/2 stream reset without an error") << QByteArray("dst.txt") << http2(m_tls.path(), 0) << cutOff;
}

void tst_UpdateRetrieval::brokenAnswersKeepTheStoredFiles()
{
    QFETCH(QByteArray, file);
    QFETCH(Answer, answer);
    QFETCH(QString, said);
    RetrievalRig rig;
    serveUpdates(rig.server, "/main/", "There is free disk space for everyone.");
    const QByteArray path = "/main/x__c51/" + file;
    answer(rig, path);
    const UpdateRetrieval::Result result = rig.run();

    QVERIFY(rig.http2.state() == QProcess::Running ? rig.http2.readAll().count("answered") == 1
                                                   : rig.server.requestedTargets().contains(path));
    QVERIFY(!result.completed);
    QVERIFY(!result.newsletter);
    QCOMPARE(rig.lines.mid(rig.lines.size() - 2), (QStringList{said, u"bad link"_s}));
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
    // A caller that needs no reason gets the same answer.
    QCOMPARE(fetchProgramFile(rig.module, *rig.link, u"new.ex"_s, u"new.exe"_s), saved);
}

QTEST_GUILESS_MAIN(tst_UpdateRetrieval)
#include "tst_UpdateRetrieval.moc"
