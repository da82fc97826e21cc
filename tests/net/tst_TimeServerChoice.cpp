#include <QTest>

#include "net/TimeServerChoice.h"

// Which time server an Auto Set asks, from the number stored in the settings and the attempts made.
class tst_TimeServerChoice : public QObject
{
    Q_OBJECT

private slots:
    void firstAttemptAsksTheServerThatAnsweredLast_data();
    void firstAttemptAsksTheServerThatAnsweredLast();
};

void tst_TimeServerChoice::firstAttemptAsksTheServerThatAnsweredLast_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("asked");
    QTest::newRow("fresh file") << 0 << 1;
    QTest::newRow("server 1") << 1 << 1;
    QTest::newRow("server 2") << 2 << 2;
    QTest::newRow("server 3") << 3 << 3;
    QTest::newRow("one past") << 4 << 1;
    QTest::newRow("negative") << -1 << 1;
    // In 16 bits, -32768 - 1 wrapped to 32767 and then back to -32768, past every check.
    QTest::newRow("lowest 16-bit number") << -32768 << 1;
    QTest::newRow("highest 16-bit number") << 32767 << 1;
}

void tst_TimeServerChoice::firstAttemptAsksTheServerThatAnsweredLast()
{
    QFETCH(int, stored);
    QFETCH(int, asked);
    // What the server asked before is of no account on a first attempt.
    for (const int current : {0, 2, -32768, 32767}) {
        QCOMPARE(chooseTimeServer(1, stored, current), asked);
    }
}

QTEST_APPLESS_MAIN(tst_TimeServerChoice)
#include "tst_TimeServerChoice.moc"
