#include <QTest>

#include "core/ClockArithmetic.h"

using namespace Qt::StringLiterals;
using namespace ClockArithmetic;

class tst_ClockArithmetic : public QObject
{
    Q_OBJECT

private slots:
    void clockTimes_data();
    void clockTimes();
    void offsetsRoundToWholeMinutes_data();
    void offsetsRoundToWholeMinutes();
    void damagedOffsetsStayInTheDay();
};

void tst_ClockArithmetic::clockTimes_data()
{
    QTest::addColumn<int>("localHour");
    QTest::addColumn<int>("localMinute");
    QTest::addColumn<float>("bOffset");
    QTest::addColumn<int>("bHourOn");
    QTest::addColumn<float>("offset");
    QTest::addColumn<int>("hourOn");
    QTest::addColumn<QString>("gmtText");
    QTest::addColumn<int>("gmtDay");
    QTest::addColumn<QString>("clockText");
    QTest::addColumn<int>("clockDay");

    QTest::newRow("GMT+1 just after midnight")
        << 0 << 30 << -1.0f << 0 << 0.0f << 0 << u"23:30"_s << -1 << u"23:30"_s << -1;
    QTest::newRow("+5.5 at GMT 20:00") << 20 << 0 << 0.0f << 0 << 5.5f << 0 << u"20:00"_s << 0 << u"01:30"_s << 1;
    QTest::newRow("summer time both ends") << 12 << 0 << -1.0f << -1 << 1.0f << 1 << u"10:00"_s << 0 << u"12:00"_s << 0;
    QTest::newRow("+5.75") << 0 << 0 << 0.0f << 0 << 5.75f << 0 << u"00:00"_s << 0 << u"05:45"_s << 0;
    QTest::newRow("west of GMT late evening")
        << 23 << 59 << 5.0f << 0 << -10.0f << 0 << u"04:59"_s << 1 << u"18:59"_s << 0;
    QTest::newRow("midnight exactly") << 23 << 0 << 0.0f << 0 << 1.0f << 0 << u"23:00"_s << 0 << u"00:00"_s << 1;
    // Local GMT+14 shortly after midnight and a clock at GMT-12: two days back, shown within the day.
    QTest::newRow("two days apart") << 0 << 10 << -14.0f << 0 << -12.0f << 0 << u"10:10"_s << -1 << u"22:10"_s << -2;
}

void tst_ClockArithmetic::clockTimes()
{
    QFETCH(int, localHour);
    QFETCH(int, localMinute);
    QFETCH(float, bOffset);
    QFETCH(int, bHourOn);
    QFETCH(float, offset);
    QFETCH(int, hourOn);
    QFETCH(QString, gmtText);
    QFETCH(int, gmtDay);
    QFETCH(QString, clockText);
    QFETCH(int, clockDay);

    const int gmt = shiftedMinutes(localMinutes(localHour, localMinute), qint16(bHourOn), bOffset);
    QCOMPARE(timeText(readingOf(gmt)), gmtText);
    QCOMPARE(readingOf(gmt).dayShift, gmtDay);
    const Reading clock = readingOf(shiftedMinutes(gmt, qint16(hourOn), offset));
    QCOMPARE(timeText(clock), clockText);
    QCOMPARE(clock.dayShift, clockDay);
}

void tst_ClockArithmetic::offsetsRoundToWholeMinutes_data()
{
    QTest::addColumn<float>("offset");
    QTest::addColumn<int>("minutes");
    QTest::newRow("half a minute goes down to even") << 0.5f / 60 << 0;
    QTest::newRow("a minute and a half goes up to even") << 1.5f / 60 << 2;
    QTest::newRow("minus half a minute") << -0.5f / 60 << 0;
    QTest::newRow("a third of an hour") << 1.0f / 3 << 20;
}

void tst_ClockArithmetic::offsetsRoundToWholeMinutes()
{
    QFETCH(float, offset);
    QFETCH(int, minutes);
    QCOMPARE(shiftedMinutes(600, 0, offset), 600 + minutes);
}

void tst_ClockArithmetic::damagedOffsetsStayInTheDay()
{
    for (float offset : {1e9f, -1e9f, 32767.0f, -546.0f}) {
        const Reading reading = readingOf(shiftedMinutes(shiftedMinutes(1439, -1, offset), 1, offset));
        QVERIFY2(reading.hour >= 0 && reading.hour <= 23, qPrintable(QString::number(offset)));
        QVERIFY(reading.minute >= 0 && reading.minute <= 59);
    }
}

QTEST_APPLESS_MAIN(tst_ClockArithmetic)
#include "tst_ClockArithmetic.moc"
