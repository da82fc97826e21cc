#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cstring>
#include <limits>
#include <tuple>

#include "core/SettingsFile.h"
#include "support/FileSizeLimit.h"

using namespace Qt::StringLiterals;

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

// A 16-bit setting as the number its record holds.
template <auto Member>
qint16 wordOf(const Settings& settings)
{
    return qint16(settings.*Member);
}

Settings everyRecordSet()
{
    Settings s;
    s.WinHeight = 2335;
    s.Reserved3 = padded(QByteArray::fromHex("0800020041"));
    s.BOffset = -5.5f;
    s.CCaption = u"LONDON"_s;
    s.COffset = 0;
    s.DCaption = u"ZÜRICH €"_s;
    s.DOffset = 1;
    s.ECaption = u"NEW DELHI"_s;
    s.EOffset = 5.5f;
    s.Reserved11 = padded(QByteArray::fromHex("01020304"));
    s.CHourOn = 1;
    s.DHourOn = 0;
    s.EHourOn = 1;
    s.BHourOn = -1;
    s.ColourScheme = Colours::Black;
    s.WinTop = 1200.5f;
    s.WinLeft = -30;
    s.AnaloguesHidden = Flag::On;
    s.LocCaption = u"HOME"_s;
    s.MServer = ServerBase::Fallback;
    s.FCaption = u"TOKYO"_s;
    s.FOffset = 9;
    s.FHourOn = 0;
    s.GCaption = u"HONOLULU"_s;
    s.GOffset = -10;
    s.GHourOn = 1;
    s.StartMin = Flag::On;
    s.WinWidth = 7625;
    s.ACTime = u"05:45"_s;
    s.ACTOn = Flag::On;
    s.ACTUpdates = Flag::On;
    s.NetAccess = Connection::Proxy;
    s.ProxyName = u"proxy.example.org:8080"_s;
    s.TimeServer = 3;
    s.CalShown = Flag::On;
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
    QCOMPARE(out.WinHeight, in.WinHeight);
    QCOMPARE(out.Reserved3, in.Reserved3);
    QCOMPARE(out.BOffset, in.BOffset);
    QCOMPARE(out.CCaption, in.CCaption);
    QCOMPARE(out.COffset, in.COffset);
    QCOMPARE(out.DCaption, in.DCaption);
    QCOMPARE(out.DOffset, in.DOffset);
    QCOMPARE(out.ECaption, in.ECaption);
    QCOMPARE(out.EOffset, in.EOffset);
    QCOMPARE(out.Reserved11, in.Reserved11);
    QCOMPARE(out.CHourOn, in.CHourOn);
    QCOMPARE(out.DHourOn, in.DHourOn);
    QCOMPARE(out.EHourOn, in.EHourOn);
    QCOMPARE(out.BHourOn, in.BHourOn);
    QCOMPARE(out.ColourScheme, in.ColourScheme);
    QCOMPARE(out.WinTop, in.WinTop);
    QCOMPARE(out.WinLeft, in.WinLeft);
    QCOMPARE(out.AnaloguesHidden, in.AnaloguesHidden);
    QCOMPARE(out.LocCaption, in.LocCaption);
    QCOMPARE(out.MServer, in.MServer);
    QCOMPARE(out.FCaption, in.FCaption);
    QCOMPARE(out.FOffset, in.FOffset);
    QCOMPARE(out.FHourOn, in.FHourOn);
    QCOMPARE(out.GCaption, in.GCaption);
    QCOMPARE(out.GOffset, in.GOffset);
    QCOMPARE(out.GHourOn, in.GHourOn);
    QCOMPARE(out.StartMin, in.StartMin);
    QCOMPARE(out.WinWidth, in.WinWidth);
    QCOMPARE(out.ACTime, in.ACTime);
    QCOMPARE(out.ACTOn, in.ACTOn);
    QCOMPARE(out.ACTUpdates, in.ACTUpdates);
    QCOMPARE(out.NetAccess, in.NetAccess);
    QCOMPARE(out.ProxyName, in.ProxyName);
    QCOMPARE(out.TimeServer, in.TimeServer);
    QCOMPARE(out.CalShown, in.CalShown);
    QCOMPARE(out.SetupDone, in.SetupDone);
    QCOMPARE(out.TaskbarClock3, in.TaskbarClock3);

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
    QCOMPARE(s.COffset, 0.0f);
    QCOMPARE(s.ACTime, std::nullopt);
    QCOMPARE(s.EOffset, 0.0f);

    file.replace(29 * SettingsFile::RecordLength, 6, QByteArray(word(8) + word(500) + "12"));
    QCOMPARE(SettingsFile::decode(file).ACTime->size(), 13);
}

void tst_SettingsFile::extremeNumbersAreBroughtIntoRange()
{
    // Each 16-bit record with the values the program takes it for, and what any other value reads as.
    struct Range
    {
        int record;
        qint16 (*read)(const Settings&);
        QList<qint16> allowed;
        qint16 otherwise;
    };
    const QList<Range> ranges = {
        {12, wordOf<&Settings::CHourOn>, {0, 1}, 0},
        {13, wordOf<&Settings::DHourOn>, {0, 1}, 0},
        {14, wordOf<&Settings::EHourOn>, {0, 1}, 0},
        {24, wordOf<&Settings::FHourOn>, {0, 1}, 0},
        {27, wordOf<&Settings::GHourOn>, {0, 1}, 0},
        {15, wordOf<&Settings::BHourOn>, {0, -1}, 0},
        {16, wordOf<&Settings::ColourScheme>, {0, 1}, 0},
        {19, wordOf<&Settings::AnaloguesHidden>, {0, -1}, 0},
        {21, wordOf<&Settings::MServer>, {0, 1, 2}, 1},
        {28, wordOf<&Settings::StartMin>, {0, -1}, 0},
        {31, wordOf<&Settings::ACTOn>, {0, -1}, 0},
        {32, wordOf<&Settings::ACTUpdates>, {0, -1}, 0},
        {33, wordOf<&Settings::NetAccess>, {0, 1, 2}, 0},
        {36, wordOf<&Settings::TimeServer>, {0, 1, 2, 3}, 0},
        {37, wordOf<&Settings::CalShown>, {0, -1}, -1},
        {38, wordOf<&Settings::SetupDone>, {0, -1}, -1},
        {39, wordOf<&Settings::TaskbarClock3>, {0, -1}, 0},
    };
    const QByteArray fresh = SettingsFile::encode(Settings{});
    for (const Range& range : ranges) {
        for (const int value : {-32768, -2, -1, 0, 1, 2, 3, 4, 32767}) {
            QByteArray file = fresh;
            file.replace((range.record - 1) * SettingsFile::RecordLength, 2, word(quint16(value)));
            const qint16 read = range.read(SettingsFile::decode(file));
            const qint16 expected = range.allowed.contains(qint16(value)) ? qint16(value) : range.otherwise;
            QVERIFY2(read == expected,
                     qPrintable(u"record %1 holding %2 reads as %3"_s.arg(range.record).arg(value).arg(read)));
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
    const QList<std::pair<int, float Settings::*>> offsetRecords = {{4, &Settings::BOffset},
                                                                    {6, &Settings::COffset},
                                                                    {8, &Settings::DOffset},
                                                                    {10, &Settings::EOffset},
                                                                    {23, &Settings::FOffset},
                                                                    {26, &Settings::GOffset}};
    for (const auto& [record, member] : offsetRecords) {
        for (const auto& [stored, zoneClock, gmtClock] : offsets) {
            QByteArray file = fresh;
            const qsizetype at = (record - 1) * SettingsFile::RecordLength;
            file.replace(at, 4, single(stored));
            const float expected = record == 4 ? gmtClock : zoneClock;
            const QByteArray saved = SettingsFile::encode(SettingsFile::decode(file)).mid(at, 4);
            QVERIFY2(saved == single(expected),
                     qPrintable(u"record %1 holding %2 is saved as %3"_s.arg(record).arg(stored).arg(saved.toHex())));
        }
    }

    // A window position stays within the coordinates a screen can have.
    QByteArray file = fresh;
    file.replace(16 * SettingsFile::RecordLength, 4, single(3e38f));
    file.replace(17 * SettingsFile::RecordLength, 4, single(-3e38f));
    const Settings s = SettingsFile::decode(file);
    QCOMPARE(s.WinTop, 32767.0f * 15);
    QCOMPARE(s.WinLeft, -32767.0f * 15);
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
