#include <QTest>
#include <QTimer>

#include "NetRig.h"
#include "net/TimeCorrection.h"

using namespace Qt::StringLiterals;

namespace {

const QByteArray GoodLine = "Tue Dec  8 12:59:59 UTC 2026\n";

QByteArray dateRoute(int server)
{
    return "/s" + QByteArray::number(server) + "/cgi-bin/date";
}

// How a run was started: by the user, who answers questions so, or by the daily scheduler, with nobody to ask.
enum class User
{
    Absent,
    SaysYes,
    SaysNo
};

struct Run
{
    TimeCorrection::Result result;
    QStringList questions;
};

Run runAs(NetRig& rig, User user, qint16 curServer = 0)
{
    Run run;
    TimeCorrection::Question askUser;
    if (user != User::Absent) {
        askUser = [&run, user](const QString& question) {
            run.questions << question;
            return user == User::SaysYes;
        };
    }
    run.result = TimeCorrection(rig.module, *rig.link, rig.progress(), askUser).run(curServer, true);
    return run;
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

    void largeStepsWaitForTheUsersYes_data();
    void largeStepsWaitForTheUsersYes();
    void smallStepsNeedNoYesAndCarryTheDateAcrossMidnight_data();
    void smallStepsNeedNoYesAndCarryTheDateAcrossMidnight();
    void aClockTheSystemKeepsInStepIsOnlyCompared_data();
    void aClockTheSystemKeepsInStepIsOnlyCompared();
    void onlyAUserPresentLetsTheSystemAskForTheRight();
};

void tst_TimeCorrection::setsTheClockReportsEachStepAndBringsTheNewsflash()
{
    NetRig rig;
    rig.server.addBody(dateRoute(1), GoodLine);
    rig.server.addBody("/main/x__c51/flash51.txt", "All clocks are right today.");
    rig.module.MServer = ServerBase::Primary;
    TimeCorrection correction(rig.module, *rig.link, rig.progress());
    const TimeCorrection::Result result = correction.run(0, true);

    QCOMPARE(result.outcome, TimeCorrection::Outcome::Finished);
    QCOMPARE(result.server, qint16(1));
    QCOMPARE(result.clock, ClockOutcome::Set);
    QCOMPARE(result.newsflash, std::optional(u"All clocks are right today."_s));
    QCOMPARE(rig.fakes.clock.settings(), QList<QDateTime>{QDateTime(QDate(2026, 12, 8), QTime(13, 0), Qt::UTC)});
    QCOMPARE(rig.lines,
             (QStringList{u"UTC acquired at 12:59:59  (GMT)"_s,
                          u"Your system time was 12:59:40 (local)"_s,
                          u"System time now set at 13:00:00 (local)"_s,
                          u"Date confirmed"_s,
                          u"TIME SET COMPLETE."_s}));
    QCOMPARE(rig.transfersStarted, 1);
    QCOMPARE(rig.module.NetStatus, NetOutcome::Completed);

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
    rig.module.MServer = ServerBase::Primary;
    TimeCorrection correction(rig.module, *rig.link, rig.progress());
    const TimeCorrection::Result result = correction.run(0, true);

    QCOMPARE(result.outcome, TimeCorrection::Outcome::Finished);
    QCOMPARE(result.clock, ClockOutcome::Set);
    QVERIFY(!result.newsflash);
    QCOMPARE(rig.fakes.clock.setCount(), 1);
    QCOMPARE(rig.module.NetStatus, NetOutcome::Completed);
    QCOMPARE(rig.lines.last(), u"TIME SET COMPLETE."_s);
    QVERIFY2(rig.lines.at(rig.lines.size() - 2).startsWith(u"Newsflash not fetched: "_s),
             qPrintable(rig.lines.join('|')));
    QVERIFY(!rig.lines.contains(u"bad link"_s));
    // The update server did fail: the next operation asks its other address.
    QCOMPARE(rig.module.MServer, ServerBase::Fallback);
}

void tst_TimeCorrection::noReportCarriesAnEarlierOutcome()
{
    NetRig rig;
    rig.server.addBody(dateRoute(1), "<html>no time here</html>");

    // Yesterday's success is gone once a request is on its way.
    rig.module.NetStatus = NetOutcome::Completed;
    TimeCorrection(rig.module, *rig.link, rig.progress()).run(0, true);
    QCOMPARE(rig.netStatusAtStart, std::make_optional(NetOutcome::Pending));
    QCOMPARE(rig.module.NetStatus, NetOutcome::Failed);

    // A run stopped by an unusable proxy name has no outcome to report, not an earlier one.
    rig.module.NetStatus = NetOutcome::Completed;
    rig.link->setAccessType(Connection::Proxy);
    rig.module.ProxyName = u"ab"_s;
    const TimeCorrection::Result unsent = TimeCorrection(rig.module, *rig.link, rig.progress()).run(0, true);
    QCOMPARE(unsent.outcome, TimeCorrection::Outcome::ProxyNotSet);
    QCOMPARE(rig.module.NetStatus, NetOutcome::Pending);

    // The advice after five failures is given on the failure's own evidence, and asks nothing.
    rig.module.NetStatus = NetOutcome::Failed;
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
    QTest::addColumn<QStringList>("lastLines");

    const QStringList notATime{u"Data error 02, time not set."_s};
    QTest::newRow("absurd time") << QByteArray("Tue Dec  8 25:61:99 UTC 2026") << 0 << notATime;
    QTest::newRow("NUL in the time") << QByteArray("Tue Dec  8 12:\0:00 UTC 2026", 28) << 0 << notATime;
    QTest::newRow("markup") << QByteArray("<img src='/dev/zero'>") << 0
                            << QStringList{u"Data error 01, time not set."_s};
    QTest::newRow("Eastern time") << QByteArray("Tue Dec  8 07:59:59 EST 2026") << 0
                                  << QStringList{u"The time server gave its time in the zone \"EST\"; HUXO reads "
                                                 u"UTC, GMT and BST only."_s,
                                                 u"Data error 03, time not set."_s};
    QTest::newRow("a megabyte and more") << QByteArray(Inet::MaxTextBytes + 1, 'W') << 0 << QStringList{u"bad link"_s};
    // Each byte in time for the idle time-out, the line as a whole long stale when it would be complete.
    QTest::newRow("a good line dripped past the deadline") << GoodLine << 300 << QStringList{u"bad link"_s};
}

void tst_TimeCorrection::badAnswersLeaveTheClockAlone()
{
    QFETCH(QByteArray, answer);
    QFETCH(int, dripMs);
    QFETCH(QStringList, lastLines);
    NetRig rig;
    if (dripMs > 0) {
        rig.server.addDrip(dateRoute(1), answer, dripMs);
        rig.link->setTotalDeadline(2);
    } else {
        rig.server.addBody(dateRoute(1), answer);
    }
    const TimeCorrection::Result result = TimeCorrection(rig.module, *rig.link, rig.progress()).run(0, true);

    QCOMPARE(rig.lines.mid(rig.lines.size() - lastLines.size()), lastLines);
    QCOMPARE(rig.fakes.clock.setCount(), 0);
    QCOMPARE(rig.module.NetStatus, NetOutcome::Failed);
    QVERIFY(result.clock != ClockOutcome::Set);
    QCOMPARE(rig.server.requestedTargets(), QList<QByteArray>{dateRoute(1)}); // no newsflash after a failure
}

void tst_TimeCorrection::aLinkClosedDuringTheFetchEndsTheRunSafely()
{
    NetRig rig;
    rig.server.addSilent(dateRoute(1));
    rig.module.MServer = ServerBase::Primary;
    // The window that owns the component is closed, and deleted, while the answer is awaited.
    QTimer::singleShot(50, [&rig] { rig.link.reset(); });
    TimeCorrection correction(rig.module, *rig.link, rig.progress());
    const TimeCorrection::Result result = correction.run(0, true);

    QVERIFY(!rig.link);
    QCOMPARE(result.outcome, TimeCorrection::Outcome::Failed);
    QCOMPARE(rig.lines.mid(rig.lines.size() - 2), (QStringList{u"The transfer was stopped."_s, u"bad link"_s}));
    QCOMPARE(rig.module.NetStatus, NetOutcome::Failed);
    QCOMPARE(rig.module.MServer, ServerBase::Fallback);
    QCOMPARE(rig.fakes.clock.setCount(), 0);
}

void tst_TimeCorrection::largeStepsWaitForTheUsersYes_data()
{
    QTest::addColumn<QDateTime>("computer");
    QTest::addColumn<int>("server");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("distance");
    QTest::addColumn<QString>("serverShown"); // in the question
    QTest::addColumn<QDateTime>("set");       // after a yes

    const QDateTime noon(QDate(2026, 12, 8), QTime(12, 0), Qt::UTC);
    const auto utc = [](int year, int month, int day, int hour, int minute, int second) {
        return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC);
    };
    QTest::newRow("hours ahead") << noon << 1 << QByteArray("Tue Dec  8 15:12:29 UTC 2026")
                                 << u"The time server's time is 3 hours 12 minutes ahead of the computer's clock."_s
                                 << u"Time server: Tuesday 08 Dec 2026 15:12:30\n"_s << utc(2026, 12, 8, 15, 12, 30);
    QTest::newRow("just beyond 15 minutes behind")
        << noon << 1 << QByteArray("Tue Dec  8 11:44:58 UTC 2026")
        << u"The time server's time is 15 minutes 1 second behind the computer's clock."_s
        << u"Time server: Tuesday 08 Dec 2026 11:44:59\n"_s << utc(2026, 12, 8, 11, 44, 59);
    QTest::newRow("the last second of 9999")
        << noon << 2 << QByteArray("Fri Dec 31 23:59:58 UTC 9999")
        << u"The time server's time is 2912101 days ahead of the computer's clock."_s
        << u"Time server: Friday 31 Dec 9999 23:59:59\n"_s << utc(9999, 12, 31, 23, 59, 59);
    QTest::newRow("1970") << noon << 1 << QByteArray("Thu Jan  1 00:00:00 UTC 1970")
                          << u"The time server's time is 20795 days behind the computer's clock."_s
                          << u"Time server: Thursday 01 Jan 1970 00:00:01\n"_s << utc(1970, 1, 1, 0, 0, 1);
    // Five hours east, where the local date is Greenwich's next day in the last hours of Greenwich's: the date
    // is the server's all the same.
    QTest::newRow("the computer in 2000, the server in 2026, east of Greenwich")
        << QDateTime(QDate(2000, 1, 1), QTime(0, 6), Qt::OffsetFromUTC, 5 * 3600) << 1
        << QByteArray("Mon Dec  7 23:00:00 UTC 2026")
        << u"The time server's time is 9838 days ahead of the computer's clock."_s
        << u"Time server: Tuesday 08 Dec 2026 04:00:01\n"_s << utc(2026, 12, 7, 23, 0, 1);
    // A time of day alone from a server not trusted for the date: the nearest day, still hours away.
    QTest::newRow("half a day from server 3")
        << noon << 3 << QByteArray("Tue Dec  8 23:30:00 UTC 2026")
        << u"The time server's time is 11 hours 30 minutes ahead of the computer's clock."_s
        << u"Time server: 23:30:01, its date not checked\n(local time)\n\nSet the computer's clock to 23:30:01 on the "
           u"day nearest its own, Tuesday 08 Dec 2026?"_s
        << utc(2026, 12, 8, 23, 30, 1);
}

void tst_TimeCorrection::largeStepsWaitForTheUsersYes()
{
    QFETCH(QDateTime, computer);
    QFETCH(int, server);
    QFETCH(QByteArray, answer);
    QFETCH(QString, distance);
    QFETCH(QString, serverShown);
    QFETCH(QDateTime, set);

    for (const User user : {User::Absent, User::SaysNo, User::SaysYes}) {
        NetRig rig(computer);
        rig.module.BOffset = -float(computer.offsetFromUtc()) / 3600;
        rig.module.TimeServer = qint16(server);
        rig.module.MServer = ServerBase::Primary;
        rig.server.addBody(dateRoute(server), answer);
        rig.server.addBody("/main/x__c51/flash51.txt", "Flash.");
        const Run run = runAs(rig, user);
        const QString said = rig.lines.join(u'|');

        QVERIFY2(rig.lines.contains(distance), qPrintable(said));
        QCOMPARE(rig.module.MServer, ServerBase::Primary);
        if (user == User::SaysYes) {
            QCOMPARE(run.result.clock, ClockOutcome::Set);
            // Date and time in one setting.
            QCOMPARE(rig.fakes.clock.settings(), QList<QDateTime>{set});
            QCOMPARE(rig.lines.last(), u"TIME SET COMPLETE."_s);
            QCOMPARE(rig.module.NetStatus, NetOutcome::Completed);
            continue;
        }
        QCOMPARE(rig.fakes.clock.setCount(), 0);
        QCOMPARE(run.result.clock, ClockOutcome::LargeStepNotMade);
        QCOMPARE(rig.module.LastClockOutcome, ClockOutcome::LargeStepNotMade);
        QCOMPARE(rig.lines.last(), u"Large step, time not set."_s);
        QCOMPARE(rig.module.NetStatus, NetOutcome::Failed);
        QCOMPARE(rig.server.requestedTargets(), QList<QByteArray>{dateRoute(server)}); // no newsflash
        if (user == User::Absent) {
            QVERIFY(run.questions.isEmpty());
            QVERIFY2(rig.lines.contains(u"A step of more than 15 minutes is made only when you press Auto Set."_s),
                     qPrintable(said));
        } else {
            QCOMPARE(run.questions.size(), 1);
            const QString& question = run.questions.first();
            QVERIFY2(question.startsWith(distance), qPrintable(question));
            QVERIFY2(question.contains(u"\n\nThis computer: "_s + computer.toString(u"dddd dd MMM yyyy hh:mm:ss"_s)
                                       + u"\nTime server: "_s),
                     qPrintable(question));
            QVERIFY2(question.contains(serverShown), qPrintable(question));
            QVERIFY(rig.lines.contains(u"You kept the computer's time."_s));
        }
    }
}

void tst_TimeCorrection::smallStepsNeedNoYesAndCarryTheDateAcrossMidnight_data()
{
    QTest::addColumn<QDateTime>("computer");
    QTest::addColumn<int>("server");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QDateTime>("set");
    QTest::addColumn<bool>("confirmed");

    const auto utc = [](int day, int hour, int minute, int second) {
        return QDateTime(QDate(2026, 12, day), QTime(hour, minute, second), Qt::UTC);
    };
    QTest::newRow("the largest small step")
        << utc(8, 23, 44, 59) << 1 << QByteArray("Tue Dec  8 23:59:58 UTC 2026") << utc(8, 23, 59, 59) << true;
    QTest::newRow("forward, date from the server")
        << utc(8, 23, 59, 44) << 1 << QByteArray("Wed Dec  9 00:00:23 UTC 2026") << utc(9, 0, 0, 24) << true;
    QTest::newRow("forward, server 3") << utc(8, 23, 59, 30) << 3 << QByteArray("Wed Dec  9 00:01:00 UTC 2026")
                                       << utc(9, 0, 1, 1) << false;
    QTest::newRow("back, date from the server")
        << utc(9, 0, 0, 20) << 2 << QByteArray("Tue Dec  8 23:59:40 UTC 2026") << utc(8, 23, 59, 41) << true;
    QTest::newRow("back, server 3") << utc(9, 0, 0, 40) << 3 << QByteArray("Tue Dec  8 23:59:00 UTC 2026")
                                    << utc(8, 23, 59, 1) << false;
}

void tst_TimeCorrection::smallStepsNeedNoYesAndCarryTheDateAcrossMidnight()
{
    QFETCH(QDateTime, computer);
    QFETCH(int, server);
    QFETCH(QByteArray, answer);
    QFETCH(QDateTime, set);
    QFETCH(bool, confirmed);
    NetRig rig(computer);
    rig.module.TimeServer = qint16(server);
    rig.server.addBody(dateRoute(server), answer);
    const Run run = runAs(rig, User::Absent);

    QCOMPARE(run.result.clock, ClockOutcome::Set);
    // One setting with date and time: no moment on the wrong day.
    QCOMPARE(rig.fakes.clock.settings(), QList<QDateTime>{set});
    QCOMPARE(rig.lines.contains(u"Date confirmed"_s), confirmed);
    QCOMPARE(rig.lines.last(), u"TIME SET COMPLETE."_s);
}

void tst_TimeCorrection::aClockTheSystemKeepsInStepIsOnlyCompared_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("comparison");
    QTest::addColumn<QString>("status");

    // The computer reads 12:59:40; the answer gains the transfer second.
    QTest::newRow("two seconds apart") << QByteArray("Tue Dec  8 12:59:41 UTC 2026")
                                       << u"It agrees with the time server within 2 seconds."_s
                                       << u"TIME CHECKED COMPLETE."_s;
    QTest::newRow("three seconds behind")
        << QByteArray("Tue Dec  8 12:59:42 UTC 2026") << u"It is 3 seconds behind the time server."_s
        << u"Clocks differ, time not set."_s;
    QTest::newRow("hours ahead, nothing asked")
        << QByteArray("Tue Dec  8 09:00:00 UTC 2026") << u"It is 3 hours 59 minutes ahead of the time server."_s
        << u"Clocks differ, time not set."_s;
}

void tst_TimeCorrection::aClockTheSystemKeepsInStepIsOnlyCompared()
{
    QFETCH(QByteArray, answer);
    QFETCH(QString, comparison);
    QFETCH(QString, status);
    NetRig rig;
    rig.fakes.clock.setKeptInStepBySystem(true);
    rig.module.MServer = ServerBase::Primary;
    rig.server.addBody(dateRoute(1), answer);
    rig.server.addBody("/main/x__c51/flash51.txt", "Flash.");
    const Run run = runAs(rig, User::SaysYes);

    const bool agrees = status == u"TIME CHECKED COMPLETE."_s;
    QCOMPARE(rig.fakes.clock.setCount(), 0);
    QVERIFY(run.questions.isEmpty());
    QCOMPARE(rig.lines.mid(rig.lines.size() - 3),
             (QStringList{u"The system keeps its clock in step with network time itself; HUXO only compares."_s,
                          comparison,
                          status}));
    QVERIFY(!rig.lines.contains(u"TIME SET COMPLETE."_s));
    QCOMPARE(rig.module.NetStatus, agrees ? NetOutcome::Completed : NetOutcome::Failed);
    QCOMPARE(run.result.clock, agrees ? ClockOutcome::InStep : ClockOutcome::OutOfStep);
    QCOMPARE(run.result.newsflash.has_value(), agrees);
    QCOMPARE(rig.module.MServer, ServerBase::Primary);
}

void tst_TimeCorrection::onlyAUserPresentLetsTheSystemAskForTheRight()
{
    NetRig rig;
    rig.module.MServer = ServerBase::Primary;
    rig.fakes.clock.requireAsking();
    rig.server.addBody(dateRoute(1), GoodLine);
    const Run unattended = runAs(rig, User::Absent);

    QCOMPARE(unattended.result.clock, ClockOutcome::NotAllowed);
    QCOMPARE(rig.fakes.clock.setCount(), 0);
    QCOMPARE(rig.lines.mid(rig.lines.size() - 3),
             (QStringList{u"You are not allowed to set the system clock: Interactive authentication required."_s,
                          u"The daily correction never asks for a password; press Auto Set to set the clock "
                          u"yourself."_s,
                          u"Not allowed, time not set."_s}));
    QCOMPARE(rig.module.NetStatus, NetOutcome::Failed);
    QCOMPARE(rig.module.MServer, ServerBase::Primary);

    const Run byHand = runAs(rig, User::SaysYes, unattended.result.server);
    QCOMPARE(byHand.result.clock, ClockOutcome::Set);
    QCOMPARE(rig.fakes.clock.askings(), (QList<Clock::Asking>{Clock::Asking::MustNotAsk, Clock::Asking::MayAsk}));
}

QTEST_GUILESS_MAIN(tst_TimeCorrection)
#include "tst_TimeCorrection.moc"
