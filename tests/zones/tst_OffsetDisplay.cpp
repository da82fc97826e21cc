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
    void scrollWrapsAtEitherEnd();
};

void tst_OffsetDisplay::hoursAreTruncatedAndSigned()
{
    QCOMPARE(wholeHours(5.5f), 5);
    QCOMPARE(wholeHours(-3.5f), -3);
    QCOMPARE(wholeHours(std::numeric_limits<float>::quiet_NaN()), 0);
    QCOMPARE(wholeHours(1e30f), 32767);
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
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("after");
    QTest::newRow("right counts up") << u"+5"_s << 1 << u"+6"_s;
    QTest::newRow("left counts down") << u"+1"_s << -1 << u"0"_s;
    QTest::newRow("left to negative") << u"0"_s << -1 << u"-1"_s;
    QTest::newRow("14 up wraps") << u"+14"_s << 1 << u"-12"_s;
    QTest::newRow("-12 down wraps") << u"-12"_s << -1 << u"+14"_s;
    QTest::newRow("out of range comes back") << u"15"_s << 1 << u"-12"_s;
    QTest::newRow("design text") << u"00"_s << 1 << u"+1"_s;
    QTest::newRow("middle button") << u"+5"_s << 0 << u"+5"_s;
}

void tst_OffsetDisplay::hourPresses()
{
    QFETCH(QString, shown);
    QFETCH(int, step);
    QFETCH(QString, after);
    QCOMPARE(steppedHour(shown, step), after);
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
