#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>
#include <tuple>
#include <variant>

#include "core/SettingsFile.h"
#include "core/SettingsRecords.h"
#include "support/FileSizeLimit.h"

using namespace Qt::StringLiterals;
using SettingsRecords::Range;
using SettingsRecords::Record;
using SettingsRecords::Records;

namespace {

constexpr int FileSize = SettingsFile::RecordCount * SettingsFile::RecordLength;

QByteArray recordOf(const QByteArray& file, int number)
{
    return file.mid((number - 1) * SettingsFile::RecordLength, SettingsFile::RecordLength);
}

QByteArray padded(QByteArray value)
{
    value.append(SettingsFile::RecordLength - value.size(), '\0');
    return value;
}

QByteArray word(quint16 value)
{
    QByteArray bytes(2, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray single(float value)
{
    QByteArray bytes(4, '\0');
    quint32 bits = 0;
    std::memcpy(&bits, &value, 4);
    qToLittleEndian(bits, bytes.data());
    return bytes;
}

QByteArray text(const QByteArray& bytes)
{
    return word(quint16(bytes.size())) + bytes;
}

qsizetype offsetOf(int record)
{
    return (record - 1) * SettingsFile::RecordLength;
}

// The number a 16-bit record's value is stored as; none for the other records.
std::optional<qint16> wordIn(const Settings& settings, const Record& record)
{
    std::optional<qint16> word;
    SettingsRecords::visitValue(settings, record, [&](const auto& value) {
        if constexpr (SettingsRecords::Word<std::remove_cvref_t<decltype(value)>>) {
            word = qint16(value);
        }
    });
    return word;
}

bool sameValue(const Settings& a, const Settings& b, const Record& record)
{
    return std::visit(
        [&](auto member) {
            if constexpr (std::is_same_v<decltype(member), SettingsRecords::Halves>) {
                return a.*member.member == b.*member.member;
            } else {
                return a.*member == b.*member;
            }
        },
        record.field);
}

// A value that a fresh file does not have and that reads back as it is, of each kind of record.
template <SettingsRecords::Word Value>
void setSample(Value& value, const Record& record)
{
    value = Value(record.range == Range::OneOf ? record.codes.allowed.at(size_t(record.codes.count - 1))
                                               : record.number * 100);
}

void setSample(float& value, const Record& record)
{
    value = record.range == Range::WindowPosition ? float(record.number) * 100.5f : -float(record.number % 12) - 0.25f;
}

void setSample(QString& value, const Record& record)
{
    value = (record.length() == 2 ? u"proxy%1.example.org:8080"_s : u"RECORD %1 Ü€"_s).arg(record.number);
}

void setSample(std::optional<QString>& value, const Record&)
{
    value = u"23:59"_s;
}

void setSample(QByteArray& value, const Record& record)
{
    value = QByteArray(SettingsFile::RecordLength, char(record.number));
}

Settings everyRecordSet()
{
    Settings s;
    for (const Record& record : Records) {
        SettingsRecords::visitValue(s, record, [&](auto& value) { setSample(value, record); });
    }
    // The values the tests below look for.
    s.WinHeight = 2335;
    s.Reserved3 = padded(QByteArray::fromHex("0800020041"));
    s.BOffset = -5.5f;
    s.CCaption = u"LONDON"_s;
    s.DCaption = u"ZÜRICH €"_s;
    s.BHourOn = -1;
    s.WinTop = 1200.5f;
    s.LocCaption = u"HOME"_s;
    s.GCaption = u"HONOLULU"_s;
    s.WinWidth = 7625;
    s.ACTime = u"05:45"_s;
    s.ProxyName = u"proxy.example.org:8080"_s;
    s.TimeServer = 3;
    s.SetupDone = Flag::On;
    s.TaskbarClock3 = Flag::On;
    return s;
}

} // namespace

class tst_SettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void freshFileBytes();
    void recordLayout();
    void roundTripOfEveryRecord();
    void olderAndShorterFiles();
    void proxyNameHalves_data();
    void proxyNameHalves();
    void captionLimits();
    void damagedRecordsAreContained();
    void extremeNumbersAreBroughtIntoRange();
    void whatFollowsTheRecordsIsKeptUpToACap();
    void missingFileIsCreatedByTheFirstRead();
    void failedWriteKeepsTheOldFile();
};

void tst_SettingsFile::freshFileBytes()
{
    const QByteArray file = SettingsFile::encode(Settings{});
    QCOMPARE(file.size(), FileSize);
    QCOMPARE(recordOf(file, 1), padded(text("HUXO 5.1")));
    // Everything else of a fresh file is zero, the empty variant of record 30 included.
    QCOMPARE(file.mid(SettingsFile::RecordLength), QByteArray(FileSize - SettingsFile::RecordLength, '\0'));
}

void tst_SettingsFile::recordLayout()
{
    const QByteArray file = SettingsFile::encode(everyRecordSet());
    QCOMPARE(recordOf(file, 2), padded(word(2335)));
    QCOMPARE(recordOf(file, 3), padded(QByteArray::fromHex("0800020041")));
    QCOMPARE(recordOf(file, 4), padded(single(-5.5f)));
    QCOMPARE(recordOf(file, 7), padded(text("Z\xdcRICH \x80")));
    QCOMPARE(recordOf(file, 15), padded(word(0xFFFF)));
    QCOMPARE(recordOf(file, 17), padded(single(1200.5f)));
    QCOMPARE(recordOf(file, 20), padded(text("HOME")));
    QCOMPARE(recordOf(file, 29), padded(word(7625)));
    QCOMPARE(recordOf(file, 30), padded(word(8) + text("05:45")));
    QCOMPARE(recordOf(file, 34), padded(text("proxy.example.o")));
    QCOMPARE(recordOf(file, 35), padded(text("rg:8080")));
    QCOMPARE(recordOf(file, 36), padded(word(3)));
    QCOMPARE(recordOf(file, 39), padded(word(0xFFFF)));
}

void tst_SettingsFile::roundTripOfEveryRecord()
{
    const Settings in = everyRecordSet();
    const Settings out = SettingsFile::decode(SettingsFile::encode(in));
    for (const Record& record : Records) {
        QVERIFY2(!sameValue(in, Settings{}, record), qPrintable(u"record %1 is not set"_s.arg(record.number)));
        QVERIFY2(sameValue(out, in, record), qPrintable(u"record %1 reads back changed"_s.arg(record.number)));
    }

    // An empty time string and no time at all are different values and stay so.
    Settings empty;
    empty.ACTime = QString();
    QCOMPARE(SettingsFile::decode(SettingsFile::encode(empty)).ACTime, std::optional<QString>(QString()));
    QCOMPARE(SettingsFile::decode(SettingsFile::encode(Settings{})).ACTime, std::nullopt);
}

void tst_SettingsFile::olderAndShorterFiles()
{
    const QByteArray full = SettingsFile::encode(everyRecordSet());

    // The earlier release wrote 38 records: the last one reads as off and is written on the next save.
    const Settings release50 = SettingsFile::decode(full.left(38 * SettingsFile::RecordLength));
    QCOMPARE(release50.TaskbarClock3, Flag::Off);
    QCOMPARE(release50.SetupDone, Flag::On);
    QCOMPARE(release50.GCaption, u"HONOLULU"_s);
    QCOMPARE(SettingsFile::encode(release50).size(), FileSize);

    // A file that ends inside record 5 keeps the records it holds whole and reads the rest as zero and empty.
    const Settings cut = SettingsFile::decode(full.left(4 * SettingsFile::RecordLength + 5));
    QCOMPARE(cut.BOffset, -5.5f);
    QCOMPARE(cut.CCaption, QString());
    QCOMPARE(cut.COffset, 0.0f);
    QCOMPARE(cut.WinWidth, qint16(0));
    QCOMPARE(cut.ACTime, std::nullopt);
    QVERIFY(cut.BeyondLastRecord.isEmpty());

    // What follows record 39 is kept for whoever wrote it.
    const QByteArray longer = full + QByteArrayLiteral("tail bytes");
    QCOMPARE(SettingsFile::encode(SettingsFile::decode(longer)), longer);
}

void tst_SettingsFile::proxyNameHalves_data()
{
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QString>("loaded");
    QTest::newRow("exactly 30") << u"abcdefghijklmno0123456789ABCDE"_s << u"abcdefghijklmno0123456789ABCDE"_s;
    QTest::newRow("15 and a blank") << u"abcdefghijklmno "_s << u"abcdefghijklmno"_s;
    QTest::newRow("leading blanks lost") << u"  www.proxy.net"_s << u"www.proxy.net"_s;
    QTest::newRow("trailing blanks of the second half lost") << u"abcdefghijklmnopq   "_s << u"abcdefghijklmnopq"_s;
    QTest::newRow("trailing blanks of the first half kept") << u"abc  "_s << u"abc  "_s;
    QTest::newRow("inner blanks kept") << u"a b"_s << u"a b"_s;
    QTest::newRow("longer than 30 is cut")
        << u"abcdefghijklmno0123456789ABCDEFGH"_s << u"abcdefghijklmno0123456789ABCDE"_s;
    QTest::newRow("empty") << QString() << QString();
}

void tst_SettingsFile::proxyNameHalves()
{
    QFETCH(QString, saved);
    QFETCH(QString, loaded);
    Settings s;
    s.ProxyName = saved;
    QCOMPARE(SettingsFile::decode(SettingsFile::encode(s)).ProxyName, loaded);
}

void tst_SettingsFile::captionLimits()
{
    Settings s;
    s.CCaption = u"FIFTEEN CHARS.."_s;
    s.GCaption = u"SIXTEEN CHARS..."_s;
    const QByteArray file = SettingsFile::encode(s);
    QCOMPARE(recordOf(file, 5), text("FIFTEEN CHARS.."));
    QCOMPARE(recordOf(file, 25), text("SIXTEEN CHARS.."));
    QCOMPARE(SettingsFile::decode(file).CCaption, u"FIFTEEN CHARS.."_s);
}

void tst_SettingsFile::damagedRecordsAreContained()
{
    QByteArray file = SettingsFile::encode(everyRecordSet());
    // Record 5 claims 65535 bytes of text; record 6 after it must still read as itself.
    file.replace(4 * SettingsFile::RecordLength, 2, word(0xFFFF));
    // Record 30 is a variant of a type we never write, with a length far past the record.
    file.replace(29 * SettingsFile::RecordLength, 4, QByteArray(word(7) + word(500)));
    // Record 10 is not a number.
    file.replace(9 * SettingsFile::RecordLength, 4, QByteArray::fromHex("0000c07f"));
    const Settings s = SettingsFile::decode(file);
    QCOMPARE(s.CCaption.size(), 15);
    QVERIFY(s.CCaption.startsWith(u"LONDON"_s));
    QCOMPARE(s.COffset, everyRecordSet().COffset);
    QCOMPARE(s.ACTime, std::nullopt);
    QCOMPARE(s.EOffset, 0.0f);

    file.replace(29 * SettingsFile::RecordLength, 6, QByteArray(word(8) + word(500) + "12"));
    QCOMPARE(SettingsFile::decode(file).ACTime->size(), 13);
}

void tst_SettingsFile::extremeNumbersAreBroughtIntoRange()
{
    // Each 16-bit record keeps the values the program takes it for and reads any other as its fallback.
    const QByteArray fresh = SettingsFile::encode(Settings{});
    for (const Record& record : Records) {
        if (!wordIn(Settings{}, record)) {
            continue;
        }
        for (const int value : {-32768, -2, -1, 0, 1, 2, 3, 4, 32767}) {
            QByteArray file = fresh;
            file.replace(offsetOf(record.number), 2, word(quint16(value)));
            const qint16 read = *wordIn(SettingsFile::decode(file), record);
            const bool kept = record.range != Range::OneOf || record.codes.contains(qint16(value));
            const qint16 expected = kept ? qint16(value) : record.codes.fallback;
            QVERIFY2(read == expected,
                     qPrintable(u"record %1 holding %2 reads as %3"_s.arg(record.number).arg(value).arg(read)));
        }
    }
    // The values each code of the earlier releases has always had.
    struct Rule
    {
        QList<int> records;
        QList<qint16> allowed;
        qint16 otherwise;
    };
    const QList<Rule> rules = {
        {{12, 13, 14, 24, 27}, {0, 1}, 0},  // a clock's seasonal hour
        {{15}, {0, -1}, 0},                 // the local seasonal hour, negated
        {{16}, {0, 1}, 0},                  // colours
        {{19, 28, 31, 32, 39}, {0, -1}, 0}, // flags taken as on only when they are -1
        {{37, 38}, {0, -1}, -1},            // flags taken as on whenever they are not 0
        {{21}, {0, 1, 2}, 1},               // the update server's base address
        {{33}, {0, 1, 2}, 0},               // the connection
        {{36}, {0, 1, 2, 3}, 0},            // the time server
    };
    for (const Rule& rule : rules) {
        for (const int number : rule.records) {
            const auto record =
                std::find_if(Records.begin(), Records.end(), [&](const Record& row) { return row.number == number; });
            QVERIFY(record != Records.end());
            const SettingsRecords::Codes& codes = record->codes;
            QCOMPARE(QList<qint16>(codes.allowed.begin(), codes.allowed.begin() + codes.count), rule.allowed);
            QCOMPARE(codes.fallback, rule.otherwise);
        }
    }

    // Offsets: every value a zone can have is kept to the bit (the real binary keeps -0 and quarter hours too);
    // beyond the zones, the nearest end; not a number, GMT. The GMT / UTC clock keeps the local zone negated.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    const QList<std::tuple<float, float, float>> offsets = {{12.75f, 12.75f, 12.0f},
                                                            {13.0f, 13.0f, 12.0f},
                                                            {14.0f, 14.0f, 12.0f},
                                                            {-12.0f, -12.0f, -12.0f},
                                                            {-14.0f, -12.0f, -14.0f},
                                                            {14.5f, 14.0f, 12.0f},
                                                            {1e30f, 14.0f, 12.0f},
                                                            {-1e30f, -12.0f, -14.0f},
                                                            {-infinity, -12.0f, -14.0f},
                                                            {nan, 0.0f, -0.0f},
                                                            {5.2f, 5.2f, 5.2f}};
    for (const Record& record : Records) {
        if (record.range != Range::ZoneOffset && record.range != Range::NegatedZoneOffset) {
            continue;
        }
        for (const auto& [stored, zoneClock, gmtClock] : offsets) {
            QByteArray file = fresh;
            const qsizetype at = offsetOf(record.number);
            file.replace(at, 4, single(stored));
            const float expected = record.number == 4 ? gmtClock : zoneClock;
            const QByteArray saved = SettingsFile::encode(SettingsFile::decode(file)).mid(at, 4);
            QVERIFY2(
                saved == single(expected),
                qPrintable(u"record %1 holding %2 is saved as %3"_s.arg(record.number).arg(stored).arg(saved.toHex())));
        }
    }

    // A window position stays within the coordinates a screen can have.
    QByteArray file = fresh;
    file.replace(16 * SettingsFile::RecordLength, 4, single(3e38f));
    file.replace(17 * SettingsFile::RecordLength, 4, single(-3e38f));
    const Settings s = SettingsFile::decode(file);
    QCOMPARE(s.WinTop, 32767.0f * 15);
    QCOMPARE(s.WinLeft, -32767.0f * 15);
    file.replace(offsetOf(17), 4, single(nan));
    QCOMPARE(SettingsFile::decode(file).WinTop, 0.0f);
}

void tst_SettingsFile::whatFollowsTheRecordsIsKeptUpToACap()
{
    const QByteArray records = SettingsFile::encode(everyRecordSet());
    QByteArray tail(SettingsFile::MaxBeyondLastRecord, 'k');
    const Settings atTheCap = SettingsFile::decode(records + tail);
    QCOMPARE(SettingsFile::encode(atTheCap), records + tail);

    const Settings past = SettingsFile::decode(records + tail + QByteArray(1000000, 'x'));
    QCOMPARE(SettingsFile::encode(past), records + tail);
    QCOMPARE(past.GCaption, u"HONOLULU"_s);
}

void tst_SettingsFile::missingFileIsCreatedByTheFirstRead()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"huxo.ini"_s);
    Settings s = everyRecordSet();
    QCOMPARE(SettingsFile::read(path, s, nullptr), SettingsFile::ReadResult::Read);
    QVERIFY(QFile::exists(path));
    QCOMPARE(QFile(path).size(), 0);
    QCOMPARE(s.WinWidth, qint16(0));
    QCOMPARE(s.CCaption, QString());

    QVERIFY(SettingsFile::write(path, everyRecordSet(), nullptr));
    QCOMPARE(SettingsFile::read(path, s, nullptr), SettingsFile::ReadResult::Read);
    QCOMPARE(s.ProxyName, everyRecordSet().ProxyName);
}

void tst_SettingsFile::failedWriteKeepsTheOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"huxo.ini"_s);
    QVERIFY(SettingsFile::write(path, everyRecordSet(), nullptr));
    QFile before(path);
    QVERIFY(before.open(QIODevice::ReadOnly));
    const QByteArray oldBytes = before.readAll();
    before.close();

    QString error;
    bool written = true;
    {
        const FileSizeLimit fullDisk(100);
        QVERIFY(fullDisk.isActive());
        written = SettingsFile::write(path, Settings{}, &error);
    }
    QVERIFY(!written);
    QVERIFY(!error.isEmpty());
    QFile after(path);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), oldBytes);

    QVERIFY(!SettingsFile::write(dir.filePath(u"no such folder/huxo.ini"_s), Settings{}, &error));
}

QTEST_APPLESS_MAIN(tst_SettingsFile)
#include "tst_SettingsFile.moc"
