#include <QTest>
#include <QTimeZone>

#include <cstdlib>
#include <ctime>
#include <limits>
#include <map>

#include "core/Cp1252.h"
#include "zones/PlaceZones.h"
#include "zones/ZoneHint.h"
#include "zones/ZoneTable.h"

using namespace Qt::StringLiterals;

namespace {

QDateTime utc(int year, int month, int day, int hour = 12)
{
    return QDateTime(QDate(year, month, day), QTime(hour, 0), Qt::UTC);
}

// Places whose zone keeps another standard offset than the table's row today, in minutes east of GMT: the table
// holds the offsets of its day, and the hint tells the time the place keeps now.
const std::map<QByteArray, int> MovedSince = {
    {"N.HEBRIDES", 11 * 60},
    {"EASTER Is", -6 * 60},
    {"MARQUESAS Is", -9 * 60 - 30},
    {"TAHITI", -10 * 60},
    {"AKLAVIK", -7 * 60},
    {"SAN JOS\xC9", -6 * 60},
    {"ASUNCI\xD3N", -3 * 60},
    {"GODTH\xC5"
     "B",
     -2 * 60},
    {"ALGIERS", 60},
    {"ACCRA", 0},
    {"WINDHOEK", 2 * 60},
    {"ISTANBUL", 3 * 60},
    {"ANKARA", 3 * 60},
    {"VOLGOGRAD", 3 * 60},
    {"ALMA-ATA", 5 * 60},
    {"RANGOON", 6 * 60 + 30},
    {"URUMQI", 6 * 60},
};

} // namespace

class tst_ZoneHint : public QObject
{
    Q_OBJECT

private slots:
    void everyPlaceZoneExistsWithTheTablesOffset();
    void summerAndStandardTimeAtFixedInstants_data();
    void summerAndStandardTimeAtFixedInstants();
    void theSwitchAgainstTheDatabase_data();
    void theSwitchAgainstTheDatabase();
    void theStatedLocalZoneAgainstTheComputers();
    void offsetNamesAndDamagedOffsets();
};

void tst_ZoneHint::everyPlaceZoneExistsWithTheTablesOffset()
{
    std::map<QByteArray, float> rowOffset;
    for (const ZoneRow& row : zoneRows()) {
        for (const QString& place : row.places) {
            rowOffset[toCp1252(place)] = row.offset;
        }
    }
    for (const PlaceZone& entry : placeZones()) {
        const QByteArray place(entry.place);
        QVERIFY2(rowOffset.count(place), entry.place);
        QVERIFY2(QTimeZone::isTimeZoneIdAvailable(entry.zoneId), entry.zoneId);
        const QTimeZone zone(entry.zoneId);
        const int standard = std::min(zone.offsetFromUtc(utc(2026, 1, 15)), zone.offsetFromUtc(utc(2026, 7, 15))) / 60;
        const auto moved = MovedSince.find(place);
        const int expected = moved != MovedSince.end() ? moved->second : int(rowOffset[place] * 60);
        QVERIFY2(standard == expected,
                 qPrintable(u"%1 (%2): %3 minutes, not %4"_s.arg(fromCp1252(place), QLatin1String(entry.zoneId))
                                .arg(standard)
                                .arg(expected)));
        // A zone that keeps one offset says so, whatever end-of-table instant the time-zone library gives.
        bool changes = false;
        for (int day = 1; day <= 400 && !changes; ++day) {
            changes = zone.offsetFromUtc(utc(2026, 12, 8).addDays(day)) != zone.offsetFromUtc(utc(2026, 12, 8));
        }
        const QString hint = placeHint(fromCp1252(place), 0, 0, utc(2026, 12, 8))->text;
        QVERIFY2(hint.contains(u": no summer time (GMT"_s) != changes && !hint.contains(u"2038"_s), qPrintable(hint));
    }
    // A few entries, spelled as the map lists them.
    QCOMPARE(placeZoneId(u"LONDON"_s), "Europe/London");
    QCOMPARE(placeZoneId(u"PST / PDT"_s), "America/Los_Angeles");
    QCOMPARE(placeZoneId(u"CET / CEST"_s), "Europe/Paris");
    QCOMPARE(placeZoneId(u"ARIZONA"_s), "America/Phoenix");
    QCOMPARE(placeZoneId(fromCp1252("BOGOT\xC1")), "America/Bogota");
    QVERIFY(placeZoneId(u"EET"_s).isEmpty());
    QVERIFY(placeZoneId(u"HOME"_s).isEmpty());
}

void tst_ZoneHint::summerAndStandardTimeAtFixedInstants_data()
{
    QTest::addColumn<QString>("place");
    QTest::addColumn<float>("offset");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("text");
    QTest::newRow("London in December")
        << u"LONDON"_s << 0.0f << utc(2026, 12, 8)
        << u"LONDON: standard time now (GMT+0); summer time from Sun 28 Mar 2027 01:00 GMT"_s;
    QTest::newRow("London in July")
        << u"LONDON"_s << 0.0f << utc(2027, 7, 1)
        << u"LONDON: summer time now (GMT+1); standard time from Sun 31 Oct 2027 01:00 GMT"_s;
    QTest::newRow("Sydney in December")
        << u"SYDNEY"_s << 10.0f << utc(2026, 12, 8)
        << u"SYDNEY: summer time now (GMT+11); standard time from Sat 03 Apr 2027 16:00 GMT"_s;
    QTest::newRow("Sydney in July")
        << u"SYDNEY"_s << 10.0f << utc(2027, 7, 1)
        << u"SYDNEY: standard time now (GMT+10); summer time from Sat 02 Oct 2027 16:00 GMT"_s;
    QTest::newRow("Phoenix in July") << u"ARIZONA"_s << -7.0f << utc(2027, 7, 1)
                                     << u"ARIZONA: no summer time (GMT-7)"_s;
    QTest::newRow("Phoenix in December") << u"ARIZONA"_s << -7.0f << utc(2026, 12, 8)
                                         << u"ARIZONA: no summer time (GMT-7)"_s;
    QTest::newRow("half hours") << u"BOMBAY"_s << 5.5f << utc(2026, 12, 8) << u"BOMBAY: no summer time (GMT+5:30)"_s;
    QTest::newRow("London four days ahead")
        << u"LONDON"_s << 0.0f << utc(2027, 3, 24)
        << u"LONDON: standard time now (GMT+0); summer time from Sun 28 Mar 2027 01:00 GMT: this clock will then be "
           u"an hour behind"_s;
    QTest::newRow("Sydney four days ahead")
        << u"SYDNEY"_s << 10.0f << utc(2027, 3, 30)
        << u"SYDNEY: summer time now (GMT+11); standard time from Sat 03 Apr 2027 16:00 GMT: this clock will then be "
           u"an hour ahead"_s;
    QTest::newRow("Lord Howe's half hour")
        << u"LORD HOWE Is"_s << 10.5f << utc(2027, 9, 29)
        << u"LORD HOWE Is: standard time now (GMT+10:30); summer time from Sat 02 Oct 2027 15:30 GMT: this clock "
           u"will then be half an hour behind"_s;
}

void tst_ZoneHint::summerAndStandardTimeAtFixedInstants()
{
    QFETCH(QString, place);
    QFETCH(float, offset);
    QFETCH(QDateTime, now);
    QFETCH(QString, text);
    const bool summer = text.contains(u"summer time now"_s);
    const std::optional<ZoneHint> hint = placeHint(place, offset, summer ? 1 : 0, now);
    QVERIFY(hint);
    QCOMPARE(hint->text, text);
    QVERIFY(!hint->disagrees);
    QVERIFY(!placeHint(u"MY OFFICE"_s, offset, 0, now));
}

void tst_ZoneHint::theSwitchAgainstTheDatabase_data()
{
    QTest::addColumn<QString>("place");
    QTest::addColumn<float>("offset");
    QTest::addColumn<int>("summerHour");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("ending");
    QTest::newRow("on in a London winter")
        << u"LONDON"_s << 0.0f << 1 << utc(2026, 12, 8) << u"Summer hour on, but LONDON is on standard time now."_s;
    QTest::newRow("off in a London summer")
        << u"LONDON"_s << 0.0f << 0 << utc(2027, 7, 1) << u"Summer hour off, but LONDON is on summer time now."_s;
    QTest::newRow("on in Phoenix") << u"ARIZONA"_s << -7.0f << 1 << utc(2027, 7, 1)
                                   << u"Summer hour on, but ARIZONA is on standard time now."_s;
    QTest::newRow("Istanbul at its old offset")
        << u"ISTANBUL"_s << 2.0f << 0 << utc(2026, 12, 8) << u"This clock shows GMT+2, but ISTANBUL is at GMT+3 now."_s;
}

void tst_ZoneHint::theSwitchAgainstTheDatabase()
{
    QFETCH(QString, place);
    QFETCH(float, offset);
    QFETCH(int, summerHour);
    QFETCH(QDateTime, now);
    QFETCH(QString, ending);
    const std::optional<ZoneHint> hint = placeHint(place, offset, summerHour, now);
    QVERIFY(hint);
    QVERIFY(hint->disagrees);
    QVERIFY2(hint->text.endsWith(u". "_s + ending), qPrintable(hint->text));
}

void tst_ZoneHint::theStatedLocalZoneAgainstTheComputers()
{
    const QByteArray saved = qgetenv("TZ");
    qputenv("TZ", "Europe/Paris");
    tzset();
    const QDateTime winter = QDateTime(QDate(2026, 12, 8), QTime(9, 0));
    const QDateTime summer = QDateTime(QDate(2027, 7, 1), QTime(9, 0));
    const ZoneHint inWinter = localZoneHint(60, winter);
    const ZoneHint inSummer = localZoneHint(60, summer);
    qputenv("TZ", saved);
    tzset();

    QCOMPARE(inWinter.text, u"This computer's own zone is at GMT+1 now, as set here."_s);
    QVERIFY(!inWinter.disagrees);
    QCOMPARE(inSummer.text, u"This computer's own zone is at GMT+2 now, but this clock puts it at GMT+1."_s);
    QVERIFY(inSummer.disagrees);
}

void tst_ZoneHint::offsetNamesAndDamagedOffsets()
{
    QCOMPARE(gmtOffsetName(0), u"GMT+0"_s);
    QCOMPARE(gmtOffsetName(-210), u"GMT-3:30"_s);
    QCOMPARE(gmtOffsetName(345), u"GMT+5:45"_s);

    // Offsets out of any zone's range, as a damaged settings file gives them, are told as far off.
    QCOMPARE(statedLocalMinutes(-1e30f, 0), 24 * 60);
    QCOMPARE(statedLocalMinutes(std::numeric_limits<float>::quiet_NaN(), -1), 0);
    const std::optional<ZoneHint> farOff = placeHint(u"LONDON"_s, -1e30f, 0, utc(2026, 12, 8));
    QVERIFY(farOff && farOff->disagrees);
    QVERIFY(farOff->text.endsWith(u"This clock shows GMT-24, but LONDON is at GMT+0 now."_s));
}

QTEST_MAIN(tst_ZoneHint)
#include "tst_ZoneHint.moc"
