#include <QTest>
#include <QTimer>

#include "NetRig.h"
#include "net/TimeCorrection.h"

using namespace Qt::StringLiterals;

namespace {

const QByteArray GoodLine = "Tue Dec  8 12:59:59 UTC 2026\n";
constexpr qint16 Completed = 4;
constexpr qint16 Failed = 5;

QByteArray dateRoute(int server)
{
    return "/s" + QByteArray::number(server) + "/cgi-bin/date";
}

} // namespace

class tst_TimeCorrection : public QObject
{
    Q_OBJECT

private slots:
    void setsTheClockReportsEachStepAndBringsTheNewsflash();
    void aNewsflashThatFailsLeavesTheSettingComplete_data();
    void aNewsflashThatFailsLeavesTheSettingComplete();
    void noReportCarriesAnEarlierOutcome();
    void storedServerNumbersStartInRange_data();
    void storedServerNumbersStartInRange();
    void badAnswersLeaveTheClockAlone_data();
    void badAnswersLeaveTheClockAlone();
    void aLinkClosedDuringTheFetchEndsTheRunSafely();
};

void tst_TimeCorrection::setsTheClockReportsEachStepAndBringsTheNewsflash()
{
    NetRig rig;
    rig.server.addBody(dateRoute(1), GoodLine);
    rig.server.addBody("/main/x__c51/flash51.txt", "All clocks are right today.");
    rig.module.MServer = 1;
    TimeCorrection correction(rig.module, *rig.link, rig.progress());
    const TimeCorrection::Result result = correction.run(0, true);

    QCOMPARE(result.outcome, TimeCorrection::Outcome::Finished);
    QCOMPARE(result.server, qint16(1));
    QCOMPARE(result.clock, ClockOutcome::Set);
    QCOMPARE(result.newsflash, std::optional(u"All clocks are right today."_s));
    QCOMPARE(rig.fakes.clock.timesSet(), QList<QTime>{QTime(13, 0, 0)});
    QCOMPARE(rig.lines,
             (QStringList{u"UTC acquired at 12:59:59  (GMT)"_s,
                          u"Your system time was 12:59:40 (local)"_s,
                          u"System time now set at 13:00:00 (local)"_s,
                          u"Date confirmed"_s,
                          u"TIME SET COMPLETE."_s}));
    QCOMPARE(rig.transfersStarted, 1);
    QCOMPARE(rig.module.NetStatus, Completed);

    // Without the newsflash wanted (the window shows one already) the time server alone is asked.
    TimeCorrection again(rig.module, *rig.link, rig.progress());
    QVERIFY(!again.run(result.server, false).newsflash);
    QCOMPARE(rig.server.requestedTargets(),
             (QList<QByteArray>{dateRoute(1), "/main/x__c51/flash51.txt", dateRoute(1)}));
}

void tst_TimeCorrection::aNewsflashThatFailsLeavesTheSettingComplete_data()
{
    QTest::addColumn<bool>("reset");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("reset") << true << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 40\r\n\r\nNew");
    QTest::newRow("cut short") << false << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 40\r\n\r\nNew");
}

void tst_TimeCorrection::aNewsflashThatFailsLeavesTheSettingComplete()
{
    QFETCH(bool, reset);
    QFETCH(QByteArray, bytes);
    NetRig rig;
    rig.server.addBody(dateRoute(1), GoodLine);
    rig.server.addRaw("/main/x__c51/flash51.txt",
                      bytes,
                      reset ? LoopbackHttpServer::Ending::Reset : LoopbackHttpServer::Ending::Close);
    rig.module.MServer = 1;
    TimeCorrection correction(rig.module, *rig.link, rig.progress());
    const TimeCorrection::Result result = correction.run(0, true);

    QCOMPARE(result.outcome, TimeCorrection::Outcome::Finished);
    QCOMPARE(result.clock, ClockOutcome::Set);
    QVERIFY(!result.newsflash);
    QCOMPARE(rig.fakes.clock.timesSet().size(), 1);
    QCOMPARE(rig.module.NetStatus, Completed);
    QCOMPARE(rig.lines.last(), u"TIME SET COMPLETE."_s);
    QVERIFY2(rig.lines.at(rig.lines.size() - 2).startsWith(u"Newsflash not fetched: "_s),
             qPrintable(rig.lines.join('|')));
    QVERIFY(!rig.lines.contains(u"bad link"_s));
    // The update server did fail: the next operation asks its other address.
    QCOMPARE(rig.module.MServer, qint16(2));
}

void tst_TimeCorrection::noReportCarriesAnEarlierOutcome()
{
    NetRig rig;
    rig.server.addBody(dateRoute(1), "<html>no time here</html>");

    // Yesterday's success is gone once a request is on its way.
    rig.module.NetStatus = Completed;
    TimeCorrection(rig.module, *rig.link, rig.progress()).run(0, true);
    QCOMPARE(rig.netStatusAtStart, qint16(0));
    QCOMPARE(rig.module.NetStatus, Failed);

    // A run stopped by an unusable proxy name has no outcome to report, not an earlier one.
    rig.module.NetStatus = Completed;
    rig.link->setAccessType(2);
    rig.module.ProxyName = u"ab"_s;
    const TimeCorrection::Result unsent = TimeCorrection(rig.module, *rig.link, rig.progress()).run(0, true);
    QCOMPARE(unsent.outcome, TimeCorrection::Outcome::ProxyNotSet);
    QCOMPARE(rig.module.NetStatus, qint16(0));

    // The advice after five failures is given on the failure's own evidence, and asks nothing.
    rig.module.NetStatus = Failed;
    rig.module.Tries = 5;
    const TimeCorrection::Result advised = TimeCorrection(rig.module, *rig.link, rig.progress()).run(2, true);
    QCOMPARE(advised.outcome, TimeCorrection::Outcome::AdviceDue);
    QCOMPARE(rig.module.Tries, qint16(0));
    QVERIFY(rig.lines.isEmpty());
    QCOMPARE(rig.server.requestedTargets().size(), 1);
}

void tst_TimeCorrection::storedServerNumbersStartInRange_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("asked");
    QTest::newRow("fresh file") << 0 << 1;
    QTest::newRow("server 3") << 3 << 3;
    QTest::newRow("one too many") << 4 << 1;
    QTest::newRow("negative") << -1 << 1;
    QTest::newRow("lowest") << -32768 << 1;
    QTest::newRow("highest") << 32767 << 1;
}

void tst_TimeCorrection::storedServerNumbersStartInRange()
{
    QFETCH(int, stored);
    QFETCH(int, asked);
    NetRig rig;
    rig.server.addBody(dateRoute(asked), GoodLine);
    rig.module.TimeServer = qint16(stored);
    const TimeCorrection::Result result = TimeCorrection(rig.module, *rig.link, rig.progress()).run(0, false);
    QCOMPARE(result.server, qint16(asked));
    QCOMPARE(rig.server.requestedTargets(), QList<QByteArray>{dateRoute(asked)});
    QCOMPARE(rig.module.TimeServer, qint16(asked));
}

void tst_TimeCorrection::badAnswersLeaveTheClockAlone_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("dripMs"); // 0: the answer comes at once
    QTest::addColumn<QString>("lastLine");

    const QString notATime = u"Data error 02, time not set."_s;
    QTest::newRow("absurd time") << QByteArray("Tue Dec  8 25:61:99 UTC 2026") << 0 << notATime;
    QTest::newRow("NUL in the time") << QByteArray("Tue Dec  8 12:\0:00 UTC 2026", 28) << 0 << notATime;
    QTest::newRow("markup") << QByteArray("<img src='/dev/zero'>") << 0 << u"Data error 01, time not set."_s;
    QTest::newRow("a megabyte and more") << QByteArray(Inet::MaxTextBytes + 1, 'W') << 0 << u"bad link"_s;
    // Each byte in time for the idle time-out, the line as a whole long stale when it would be complete.
    QTest::newRow("a good line dripped past the deadline") << GoodLine << 300 << u"bad link"_s;
}

void tst_TimeCorrection::badAnswersLeaveTheClockAlone()
{
    QFETCH(QByteArray, answer);
    QFETCH(int, dripMs);
    QFETCH(QString, lastLine);
    NetRig rig;
    if (dripMs > 0) {
        rig.server.addDrip(dateRoute(1), answer, dripMs);
        rig.link->setTotalDeadline(2);
    } else {
        rig.server.addBody(dateRoute(1), answer);
    }
    const TimeCorrection::Result result = TimeCorrection(rig.module, *rig.link, rig.progress()).run(0, true);

    QCOMPARE(rig.lines.last(), lastLine);
    QCOMPARE(rig.fakes.clock.setCount(), 0);
    QCOMPARE(rig.module.NetStatus, Failed);
    QVERIFY(result.clock != ClockOutcome::Set);
    QCOMPARE(rig.server.requestedTargets(), QList<QByteArray>{dateRoute(1)}); // no newsflash after a failure
}

void tst_TimeCorrection::aLinkClosedDuringTheFetchEndsTheRunSafely()
{
    NetRig rig;
    rig.server.addSilent(dateRoute(1));
    rig.module.MServer = 1;
    // The window that owns the component is closed, and deleted, while the answer is awaited.
    QTimer::singleShot(50, [&rig] { rig.link.reset(); });
    TimeCorrection correction(rig.module, *rig.link, rig.progress());
    const TimeCorrection::Result result = correction.run(0, true);

    QVERIFY(!rig.link);
    QCOMPARE(result.outcome, TimeCorrection::Outcome::Failed);
    QCOMPARE(rig.lines.mid(rig.lines.size() - 2), (QStringList{u"The transfer was stopped."_s, u"bad link"_s}));
    QCOMPARE(rig.module.NetStatus, Failed);
    QCOMPARE(rig.module.MServer, qint16(2));
    QCOMPARE(rig.fakes.clock.setCount(), 0);
}

QTEST_GUILESS_MAIN(tst_TimeCorrection)
#include "tst_TimeCorrection.moc"
