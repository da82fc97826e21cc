#include <QTest>

#include <limits>

#include "zones/OffsetDisplay.h"

using namespace Qt::StringLiterals;
using namespace OffsetDisplay;

class tst_OffsetDisplay : public QObject
{
    Q_OBJECT

private slots:
    void hoursAreTruncatedAndSigned();
    void halfHoursAreFoundByTenths();
    void hourPresses_data();
    void hourPresses();
    void analyseRebuildsTheOffset_data();
    void analyseRebuildsTheOffset();
    void autoScrollFollowsTheHours();
    void scrollWrapsAtEitherEnd();
};

void tst_OffsetDisplay::hoursAreTruncatedAndSigned()
{
    QCOMPARE(wholeHours(5.5f), 5);
    QCOMPARE(wholeHours(-3.5f), -3);
    QCOMPARE(wholeHours(-0.5f), 0);
    QCOMPARE(wholeHours(std::numeric_limits<float>::quiet_NaN()), 0);
    QCOMPARE(wholeHours(1e30f), 32767);
    QCOMPARE(hourText(5), u"+5"_s);
    QCOMPARE(hourText(0), u"0"_s);
    QCOMPARE(hourText(-3), u"-3"_s);
    QCOMPARE(hourValue(u"+5"_s), 5);
    QCOMPARE(hourValue(u"-12"_s), -12);
}

void tst_OffsetDisplay::halfHoursAreFoundByTenths()
{
    QVERIFY(isHalfHour(5.5f));
    QVERIFY(isHalfHour(-3.5f));
    QVERIFY(!isHalfHour(5.0f));
    QVERIFY(!isHalfHour(-12.0f));
    QVERIFY(!isHalfHour(5.04f));
    QVERIFY(isHalfHour(5.06f));
    QVERIFY(!isHalfHour(std::numeric_limits<float>::infinity()));
}

void tst_OffsetDisplay::hourPresses_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("right");
    QTest::addColumn<bool>("left");
    QTest::addColumn<QString>("after");
    QTest::newRow("right counts up") << u"+5"_s << true << false << u"+6"_s;
    QTest::newRow("left counts down") << u"+1"_s << false << true << u"0"_s;
    QTest::newRow("left to negative") << u"0"_s << false << true << u"-1"_s;
    QTest::newRow("12 up wraps") << u"+12"_s << true << false << u"-12"_s;
    QTest::newRow("-12 down wraps") << u"-12"_s << false << true << u"+12"_s;
    QTest::newRow("out of range comes back") << u"15"_s << true << false << u"-12"_s;
    QTest::newRow("design text") << u"00"_s << true << false << u"+1"_s;
    QTest::newRow("middle button") << u"+5"_s << false << false << u"+5"_s;
}

void tst_OffsetDisplay::hourPresses()
{
    QFETCH(QString, shown);
    QFETCH(bool, right);
    QFETCH(bool, left);
    QFETCH(QString, after);
    QCOMPARE(steppedHour(shown, right, left), after);
}

void tst_OffsetDisplay::analyseRebuildsTheOffset_data()
{
    QTest::addColumn<float>("offset");
    QTest::addColumn<QString>("hours");
    QTest::addColumn<QString>("minutes");
    QTest::addColumn<float>("result");
    QTest::newRow("+5 30") << 5.0f << u"+5"_s << u"30"_s << 5.5f;
    QTest::newRow("-3 30") << -3.0f << u"-3"_s << u"30"_s << -3.5f;
    QTest::newRow("-1 30") << -1.0f << u"-1"_s << u"30"_s << -1.5f;
    QTest::newRow("0 30 is east") << 0.0f << u"0"_s << u"30"_s << 0.5f;
    QTest::newRow("00 truncates") << 5.5f << u"+5"_s << u"00"_s << 5.0f;
    QTest::newRow("00 truncates west") << -3.5f << u"-3"_s << u"00"_s << -3.0f;
    QTest::newRow("other minutes keep it") << 2.0f << u"+2"_s << u"15"_s << 2.0f;
}

void tst_OffsetDisplay::analyseRebuildsTheOffset()
{
    QFETCH(float, offset);
    QFETCH(QString, hours);
    QFETCH(QString, minutes);
    QFETCH(float, result);
    QCOMPARE(analyseTimeDiff(offset, hours, minutes), result);
}

void tst_OffsetDisplay::autoScrollFollowsTheHours()
{
    QCOMPARE(autoScrollValue(12), -4600);
    QCOMPARE(autoScrollValue(10), -4600);
    QCOMPARE(autoScrollValue(9), -4400);
    QCOMPARE(autoScrollValue(7), -4100);
    QCOMPARE(autoScrollValue(1), -2250);
    QCOMPARE(autoScrollValue(0), -1950);
    QCOMPARE(autoScrollValue(-1), -1500);
    QCOMPARE(autoScrollValue(-5), -500);
    QCOMPARE(autoScrollValue(-7), -150);
    QCOMPARE(autoScrollValue(-8), 100);
    QCOMPARE(autoScrollValue(-12), 100);
}

void tst_OffsetDisplay::scrollWrapsAtEitherEnd()
{
    QCOMPARE(wrappedScrollValue(-5901), 1350);
    QCOMPARE(wrappedScrollValue(-5900), -5900);
    QCOMPARE(wrappedScrollValue(1360), 1360);
    QCOMPARE(wrappedScrollValue(1361), -5880);
    QCOMPARE(wrappedScrollValue(0), 0);
}

QTEST_APPLESS_MAIN(tst_OffsetDisplay)
#include "tst_OffsetDisplay.moc"
