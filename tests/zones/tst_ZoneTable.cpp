#include <QSet>
#include <QTest>

#include <algorithm>
#include <cmath>

#include "zones/HotSpots.h"
#include "zones/ZoneTable.h"

using namespace Qt::StringLiterals;

class tst_ZoneTable : public QObject
{
    Q_OBJECT

private slots:
    void rowsHoldEveryPlaceOnce();
    void accentedNamesAreDecoded();
    void placesAreFoundByExactOffset_data();
    void placesAreFoundByExactOffset();
    void listIsSortedIgnoringCaseAndAccents();
    void firstPlaceOfAnOffset_data();
    void firstPlaceOfAnOffset();
    void hotSpotsAreBoundAsTheMapNeeds();
    void hotSpotsLieOnTheMapFromWestToEast();
};

void tst_ZoneTable::rowsHoldEveryPlaceOnce()
{
    QCOMPARE(zoneRows().size(), size_t(36));
    qsizetype places = 0;
    float previous = -100;
    for (const ZoneRow& row : zoneRows()) {
        QVERIFY2(row.offset > previous, "rows run from west to east");
        previous = row.offset;
        places += row.places.size();
    }
    QCOMPARE(places, qsizetype(186));
    QCOMPARE(placesAddedFor(-2.0f), QStringList());
    QCOMPARE(placesAddedFor(1.0f).size(), qsizetype(25));
    QCOMPARE(placesAddedFor(-5.0f).size(), qsizetype(17));
}

void tst_ZoneTable::accentedNamesAreDecoded()
{
    QVERIFY(placesAddedFor(-5.0f).contains(u"BOGOT\u00C1"_s));
    QVERIFY(placesAddedFor(-8.0f).contains(u"SAN JOS\u00C9"_s));
    QVERIFY(placesAddedFor(-4.0f).contains(u"ASUNCI\u00D3N"_s));
    QCOMPARE(placesAddedFor(-3.0f),
             QStringList({u"BRAS\u00CDLIA"_s, u"GODTH\u00C5B"_s, u"FALKLANDS"_s, u"Bns.AIRES"_s}));
    QCOMPARE(placesAddedFor(3.5f), QStringList({u"TEHR\u00C3N"_s}));
}

void tst_ZoneTable::placesAreFoundByExactOffset_data()
{
    QTest::addColumn<float>("offset");
    QTest::addColumn<QStringList>("places");
    QTest::newRow("+5.5") << 5.5f << QStringList({u"BOMBAY"_s, u"NEW DELHI"_s, u"COLOMBO"_s, u"CALCUTTA"_s});
    QTest::newRow("-3.5 has no area but places") << -3.5f << QStringList({u"Newfoundland"_s});
    QTest::newRow("-1") << -1.0f << QStringList({u"AZORES"_s});
    QTest::newRow("+12") << 12.0f << QStringList({u"FIJI"_s, u"KAMCHATKA"_s, u"WELLINGTON"_s, u"AUCKLAND"_s});
    QTest::newRow("-11") << -11.0f << QStringList({u"SAMOA"_s, u"MIDWAY Is"_s, u"N.HEBRIDES"_s});
    QTest::newRow("-2") << -2.0f << QStringList();
    QTest::newRow("-12") << -12.0f << QStringList();
    QTest::newRow("+12.5") << 12.5f << QStringList();
    QTest::newRow("+0.5") << 0.5f << QStringList();
    QTest::newRow("-1.5") << -1.5f << QStringList();
    QTest::newRow("near +1 is not +1") << std::nextafter(1.0f, 2.0f) << QStringList();
}

void tst_ZoneTable::placesAreFoundByExactOffset()
{
    QFETCH(float, offset);
    QFETCH(QStringList, places);
    QCOMPARE(placesAddedFor(offset), places);
}

void tst_ZoneTable::listIsSortedIgnoringCaseAndAccents()
{
    QCOMPARE(placeListFor(5.5f), QStringList({u"BOMBAY"_s, u"CALCUTTA"_s, u"COLOMBO"_s, u"NEW DELHI"_s}));
    const QStringList mixed = {u"BOH"_s, u"st louis"_s, u"BOGOT\u00C1"_s, u"SAN"_s, u"BOG"_s, u"Bns.AIRES"_s};
    QCOMPARE(sortedPlaces(mixed),
             QStringList({u"Bns.AIRES"_s, u"BOG"_s, u"BOGOT\u00C1"_s, u"BOH"_s, u"SAN"_s, u"st louis"_s}));
    const QStringList central = placeListFor(-6.0f);
    QCOMPARE(central.indexOf(u"St LOUIS"_s), central.indexOf(u"MEXICO CITY"_s) + 1);
}

void tst_ZoneTable::firstPlaceOfAnOffset_data()
{
    QTest::addColumn<float>("offset");
    QTest::addColumn<QString>("first");
    QTest::newRow("-8") << -8.0f << u"L.A."_s;
    QTest::newRow("0") << 0.0f << u"ALGIERS"_s;
    QTest::newRow("+1") << 1.0f << u"ACCRA"_s;
    QTest::newRow("-4") << -4.0f << u"AST / ADT"_s;
    QTest::newRow("-5") << -5.0f << u"ATLANTA"_s;
}

void tst_ZoneTable::firstPlaceOfAnOffset()
{
    QFETCH(float, offset);
    QFETCH(QString, first);
    QCOMPARE(placeListFor(offset).value(0), first);
}

void tst_ZoneTable::hotSpotsAreBoundAsTheMapNeeds()
{
    QSet<int> numbers;
    QSet<float> offsets;
    for (const HotSpot& spot : hotSpots()) {
        numbers.insert(spot.number);
        offsets.insert(spot.offset);
    }
    QCOMPARE(numbers.size(), HotSpotCount);
    QVERIFY(numbers.contains(2) && numbers.contains(101) && !numbers.contains(1));
    // Every whole hour from -12 to +14 and the half and quarter hours of today's zones.
    QSet<float> offered{-9.5f, -3.5f, 3.5f, 4.5f, 5.5f, 5.75f, 6.5f, 8.75f, 9.5f, 10.5f, 12.75f};
    for (int hour = -12; hour <= 14; ++hour) {
        offered.insert(float(hour));
    }
    QCOMPARE(offsets, offered);
    // Every offset with places has an area on the map.
    for (const ZoneRow& row : zoneRows()) {
        QVERIFY2(offsets.contains(row.offset), qPrintable(QString::number(row.offset)));
    }
}

void tst_ZoneTable::hotSpotsLieOnTheMapFromWestToEast()
{
    const QRect map(0, 0, 6255, 2790);
    for (const HotSpot& spot : hotSpots()) {
        const QRect area(spot.left, spot.top, spot.width, spot.height);
        QVERIFY2(map.contains(area), qPrintable(u"Image"_s + QString::number(spot.number)));
        QVERIFY(spot.width >= 150 && spot.height >= 150);
        // About 250 twips an hour, -11 at the west edge; the world goes round, so -11 may lie at the east edge
        // and +12 at the west.
        const double centre = spot.left + spot.width / 2.0;
        const double away = std::fmod(std::abs(centre - (spot.offset + 11.5) * 250.0), MapPictureWidth);
        QVERIFY2(std::min(away, MapPictureWidth - away) < 750, qPrintable(u"Image"_s + QString::number(spot.number)));
    }
}

QTEST_APPLESS_MAIN(tst_ZoneTable)
#include "tst_ZoneTable.moc"
