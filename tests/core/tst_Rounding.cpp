#include <QTest>

#include <limits>

#include "core/Rounding.h"

class tst_Rounding : public QObject
{
    Q_OBJECT

private slots:
    void halvesGoToEven_data();
    void halvesGoToEven();
    void outOfRangeIsHeld();
};

void tst_Rounding::halvesGoToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("1.5") << 1.5 << 2;
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("-0.5") << -0.5 << 0;
    QTest::newRow("-1.5") << -1.5 << -2;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("2.4999") << 2.4999 << 2;
    QTest::newRow("-2.5001") << -2.5001 << -3;
    QTest::newRow("330") << 5.5 * 60 << 330;
}

void tst_Rounding::halvesGoToEven()
{
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(int(toInteger16(value)), expected);
}

void tst_Rounding::outOfRangeIsHeld()
{
    QCOMPARE(toInteger16(1e9), std::numeric_limits<qint16>::max());
    QCOMPARE(toInteger16(-1e9), std::numeric_limits<qint16>::min());
    QCOMPARE(toInteger16(std::numeric_limits<double>::quiet_NaN()), qint16(0));
    QCOMPARE(toInteger16(std::numeric_limits<double>::infinity()), std::numeric_limits<qint16>::max());
    QCOMPARE(clampToInteger16(40000), std::numeric_limits<qint16>::max());
    QCOMPARE(clampToInteger16(-40000), std::numeric_limits<qint16>::min());
}

QTEST_APPLESS_MAIN(tst_Rounding)
#include "tst_Rounding.moc"
