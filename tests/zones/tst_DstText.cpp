#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include "zones/DstText.h"

using namespace Qt::StringLiterals;

namespace {

QByteArray record(quint16 claimed, const QByteArray& text)
{
    QByteArray bytes;
    bytes.append(char(claimed & 0xFF));
    bytes.append(char(claimed >> 8));
    return bytes + text;
}

} // namespace

class tst_DstText : public QObject
{
    Q_OBJECT

private slots:
    void recordGivesItsText();
    void lengthsThatLieGiveWhatIsThere();
    void fileIsReadAndCreatedWhenMissing();
    void onlyARegularFileIsRead();
    void noticeIsThirtySixLines();
};

void tst_DstText::recordGivesItsText()
{
    QCOMPARE(DstText::decodeRecord(record(5, "Hanoi, and more")), u"Hanoi"_s);
    QCOMPARE(DstText::decodeRecord(record(6, "Z\xFCrich")), u"Z\u00FCrich"_s);
    QCOMPARE(DstText::decodeRecord(record(0, "ignored")), QString());
    // A plain text file: its first two characters are taken as the length, 0x6548 here, more than it holds.
    QCOMPARE(DstText::decodeRecord("Hello"), u"llo"_s);
}

void tst_DstText::lengthsThatLieGiveWhatIsThere()
{
    QCOMPARE(DstText::decodeRecord(record(1000, "short")), u"short"_s);
    QCOMPARE(DstText::decodeRecord(QByteArray()), QString());
    QCOMPARE(DstText::decodeRecord(QByteArray(1, '\x05')), QString());
    // A length beyond the record stops at the record's end, whatever follows it.
    const QByteArray big = record(0xFFFF, QByteArray(40000, 'x'));
    QCOMPARE(DstText::decodeRecord(big).size(), qsizetype(DstText::MaxTextLength));
}

void tst_DstText::fileIsReadAndCreatedWhenMissing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"dst.txt"_s);
    QCOMPARE(DstText::readFile(path), QString());
    QVERIFY(QFile::exists(path));
    QCOMPARE(QFileInfo(path).size(), 0);

    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(record(4, "GMT+7 and the rest of the record"));
    file.close();
    QCOMPARE(DstText::readFile(path), u"GMT+"_s);
    QCOMPARE(DstText::readFile(dir.filePath(u"no folder/dst.txt"_s)), QString());
}

void tst_DstText::onlyARegularFileIsRead()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"dst.txt"_s);

    // Opening a pipe for reading and writing never blocks, but reading it would wait for ever.
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    QCOMPARE(DstText::readFile(path), QString());
    QVERIFY(QFile::remove(path));

    QVERIFY(QFile::link(u"/dev/zero"_s, path));
    QCOMPARE(DstText::readFile(path), QString());
    QVERIFY(QFile::remove(path));

    // A link to nothing is not followed to make its target, wherever that may be.
    const QString nowhere = dir.filePath(u"unmounted/dst.txt"_s);
    QVERIFY(QDir().mkdir(dir.filePath(u"unmounted"_s)));
    QVERIFY(QFile::link(nowhere, path));
    QCOMPARE(DstText::readFile(path), QString());
    QVERIFY(!QFileInfo::exists(nowhere));
    QVERIFY(QFileInfo(path).isSymLink());

    // A link to a real file is read through.
    QFile kept(nowhere);
    QVERIFY(kept.open(QIODevice::WriteOnly));
    kept.write(record(5, "Hanoi, Vietnam"));
    kept.close();
    QCOMPARE(DstText::readFile(path), u"Hanoi"_s);
}

void tst_DstText::noticeIsThirtySixLines()
{
    const QString notice = DstText::builtInNotice();
    QVERIFY(notice.endsWith(u"\r\n"_s));
    const QStringList lines = notice.chopped(2).split(u"\r\n"_s);
    QCOMPARE(lines.size(), qsizetype(36));
    QCOMPARE(lines.first(), u"The proper text file DST.TXT is not in your HUXO "_s);
    QCOMPARE(lines.at(4), QString());
    QCOMPARE(lines.at(22), u"No changes."_s);
    QCOMPARE(lines.at(28), u"Hobart, Tasmania, Australia  =  GMT+10 "_s);
    QCOMPARE(lines.last(), QString(38, u'.'));
    QVERIFY(notice.size() < DstText::MinimumLength);
}

QTEST_APPLESS_MAIN(tst_DstText)
#include "tst_DstText.moc"
