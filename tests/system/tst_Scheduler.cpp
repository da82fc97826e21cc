#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <ctime>

#include "InternetRig.h"
#include "core/RegularFile.h"
#include "core/WholeFile.h"
#include "support/Control.h"
#include "support/UpdateServerFiles.h"
#include "support/UserInput.h"
#include "ui/info/ACTdoneFrm.h"
#include "ui/system/CTimesFrm.h"

using namespace Qt::StringLiterals;

namespace {

const QString NotChecked = u"Please note: HUXO didn't get to check the system time."_s;

Settings scheduledAt(std::optional<QString> time, Flag updates = Flag::Off)
{
    Settings stored;
    stored.ACTime = std::move(time);
    stored.ACTOn = Flag::On;
    stored.ACTUpdates = updates;
    return stored;
}

QDateTime at(int hour, int minute, int second)
{
    return QDateTime(QDate(2026, 12, 8), QTime(hour, minute, second));
}

// A scheduler firing at a given time of day.
void fireAt(InternetRig& rig, const QDateTime& now)
{
    rig.fakes.clock.setNow(now);
    rig.window->ACTTimer_Timer();
}

ACTdoneFrm* note(InternetRig& rig)
{
    return rig.forms->loaded<ACTdoneFrm>();
}

} // namespace

class tst_Scheduler : public QObject
{
    Q_OBJECT

private slots:
    void startsAtTheChosenMinuteAndReportsASuccessAtTheNextFiring();
    void aFailureIsRetriedAtOnceAndReportedAtOnce();
    void bothAttemptsFailingStillFetchTheUpdatesWhenAsked();
    void aTimeThatIsNotHHMMNeverMatches_data();
    void aTimeThatIsNotHHMMNeverMatches();
    void aPendingReportWaitsWhileTheSchedulerIsOff();
    void aNewsletterAfterAnArmedWindowLeavesANewWindowArmed();
    void aRunBehindAStuckFetchReportsNothingChecked();
    void theNoteSaysWhatWasDoneWithTheClock_data();
    void theNoteSaysWhatWasDoneWithTheClock();
    void eachDayHasOneRunWhateverTheClockDoes_data();
    void eachDayHasOneRunWhateverTheClockDoes();
    void cleanup();
};

void tst_Scheduler::startsAtTheChosenMinuteAndReportsASuccessAtTheNextFiring()
{
    InternetRig rig(scheduledAt(u"05:45"_s), at(5, 44, 20));
    QVERIFY(control<QTimer>(*rig.window, "ACTTimer")->isActive());
    QCOMPARE(control<QTimer>(*rig.window, "ACTTimer")->interval(), 60000);
    rig.answer(1, "Tue Dec  8 05:45:20 UTC 2026\n");

    fireAt(rig, at(5, 44, 20));
    QVERIFY(rig.requests().isEmpty());

    fireAt(rig, at(5, 45, 20));
    QCOMPARE(rig.fakes.clock.settings(), QList<QDateTime>{at(5, 45, 21)});
    QCOMPARE(rig.stat().last(), u"TIME SET COMPLETE."_s);
    QVERIFY(control<QWidget>(rig.frm, "AutoPanel")->isVisible());
    QVERIFY(!note(rig));

    fireAt(rig, at(5, 46, 21));
    QVERIFY(note(rig) && note(rig)->isVisible());
    QCOMPARE(control<QLabel>(note(rig), "Label1")->text(),
             u"HUXO automatically adjusted your system time at 05:45am"_s);
    QCOMPARE(rig.module->ACTState, SchedulerState::Idle);
    // Without ACTUpdates nothing more is fetched, and the day's correction is over.
    const qsizetype asked = rig.requests().size();
    fireAt(rig, at(5, 47, 21));
    QCOMPARE(rig.requests().size(), asked);
    QCOMPARE(rig.fakes.clock.setCount(), 1);
}

void tst_Scheduler::aFailureIsRetriedAtOnceAndReportedAtOnce()
{
    InternetRig rig(scheduledAt(u"17:30"_s), at(17, 30, 5));
    rig.unplugTimeServers({1});
    rig.answer(2, "Tue Dec  8 17:30:05 UTC 2026\n");

    fireAt(rig, at(17, 30, 5));
    QCOMPARE(rig.requests().value(0), dateRoute(2));
    QCOMPARE(rig.fakes.clock.settings(), QList<QDateTime>{at(17, 30, 6)});
    QVERIFY(note(rig));
    QCOMPARE(control<QLabel>(note(rig), "Label1")->text(),
             u"HUXO automatically adjusted your system time at 05:29pm"_s);
    QCOMPARE(rig.module->ACTState, SchedulerState::Idle);
}

void tst_Scheduler::bothAttemptsFailingStillFetchTheUpdatesWhenAsked()
{
    InternetRig rig(scheduledAt(u"05:45"_s, Flag::On), at(5, 45, 0));
    rig.unplugTimeServers();
    serveUpdates(rig.server, "/mirror/", "tiny");

    fireAt(rig, at(5, 45, 0));
    QCOMPARE(rig.fakes.clock.setCount(), 0);
    QVERIFY(note(rig));
    QCOMPARE(control<QLabel>(note(rig), "Label1")->text(), NotChecked);
    // Two failures switched the update server's base address twice, to the mirror.
    QVERIFY(rig.requests().contains("/mirror/x__c51/dst.txt"));
    QVERIFY(rig.requests().contains("/mirror/x__c51/news.txt"));
}

void tst_Scheduler::aTimeThatIsNotHHMMNeverMatches_data()
{
    QTest::addColumn<std::optional<QString>>("time");
    QTest::newRow("no value") << std::optional<QString>();
    QTest::newRow("empty") << std::optional<QString>(u""_s);
    QTest::newRow("one hour digit") << std::optional<QString>(u"5:45"_s);
    QTest::newRow("with seconds") << std::optional<QString>(u"05:45:00"_s);
    QTest::newRow("a dot") << std::optional<QString>(u"05.45"_s);
}

void tst_Scheduler::aTimeThatIsNotHHMMNeverMatches()
{
    QFETCH(std::optional<QString>, time);
    InternetRig rig(scheduledAt(time), at(5, 45, 0));
    for (int minute = 0; minute < 3; ++minute) {
        fireAt(rig, at(5, 44 + minute, 0));
    }
    QVERIFY(rig.requests().isEmpty());
    QVERIFY(!note(rig));
    QCOMPARE(rig.module->ACTState, SchedulerState::Idle);
}

void tst_Scheduler::aPendingReportWaitsWhileTheSchedulerIsOff()
{
    InternetRig rig(scheduledAt(u"05:45"_s), at(5, 45, 0));
    rig.answer(1, "Tue Dec  8 05:45:00 UTC 2026\n");
    fireAt(rig, at(5, 45, 0));
    QCOMPARE(rig.module->ACTState, SchedulerState::AwaitingReport);

    rig.module->ACTOn = Flag::Off;
    fireAt(rig, at(5, 46, 1));
    fireAt(rig, at(5, 47, 1));
    QVERIFY(!note(rig));

    rig.module->ACTOn = Flag::On;
    fireAt(rig, at(9, 10, 0));
    QVERIFY(note(rig));
    QCOMPARE(control<QLabel>(note(rig), "Label1")->text(),
             u"HUXO automatically adjusted your system time at 09:09am"_s);
}

void tst_Scheduler::aNewsletterAfterAnArmedWindowLeavesANewWindowArmed()
{
    InternetRig rig(scheduledAt(u"05:45"_s, Flag::On), at(5, 44, 50));
    rig.answer(1, "Tue Dec  8 05:45:00 UTC 2026\n");
    serveUpdates(rig.server, "/main/", "There is free disk space for everyone.");
    // The user left the system time window open with the retrieval armed.
    doubleClickAt(control<QLabel>(rig.frm, "HUXOLBL_0"));
    QCOMPARE(rig.stat().last(), u"double-click again to proceed."_s);
    const QPointer<SystTimeFrm> armed = rig.frm;

    fireAt(rig, at(5, 45, 0));
    fireAt(rig, at(5, 46, 0));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QVERIFY(note(rig));
    CTimesFrm* newsletter = rig.forms->loaded<CTimesFrm>();
    QVERIFY(newsletter && newsletter->isVisible());
    QCOMPARE(rig.requests().count("/main/x__c51/news.txt"), 1);
    // The retrieval closed the armed window; the second double-click armed the one loaded after it, unseen.
    QVERIFY(!armed);
    SystTimeFrm* reloaded = rig.forms->loaded<SystTimeFrm>();
    QVERIFY(reloaded);
    QVERIFY(!reloaded->isVisible());
    QCOMPARE(control<QListWidget>(reloaded, "Stat")->item(1)->text(), u"double-click again to proceed."_s);
}

void tst_Scheduler::aRunBehindAStuckFetchReportsNothingChecked()
{
    InternetRig rig(scheduledAt(u"05:45"_s), at(5, 44, 58));
    rig.server.addSilent(dateRoute(1));
    rig.module->NetStatus = NetOutcome::Completed; // yesterday's correction

    // The daily minute comes while a correction the user started waits for its answer; then the user stops it.
    QTimer::singleShot(100, rig.frm, [&rig] {
        fireAt(rig, at(5, 45, 0));
        doubleClickAt(control<QLabel>(rig.frm, "LinkAniImg"));
    });
    clickAt(control<QPushButton>(rig.frm, "AutoSetBtn"));

    QVERIFY(note(rig));
    QCOMPARE(control<QLabel>(note(rig), "Label1")->text(), NotChecked);
    QCOMPARE(rig.fakes.clock.setCount(), 0);
    QCOMPARE(rig.module->ACTState, SchedulerState::Idle);
}

void tst_Scheduler::theNoteSaysWhatWasDoneWithTheClock_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("keptInStep");
    QTest::addColumn<bool>("passwordNeeded");
    QTest::addColumn<QString>("words");

    const QByteArray right = "Tue Dec  8 05:45:00 UTC 2026";
    QTest::newRow("hours off") << QByteArray("Tue Dec  8 09:12:00 UTC 2026") << false << false
                               << u"Please note: the time server's time was far off. Use Auto Set to decide."_s;
    QTest::newRow("year 9999") << QByteArray("Fri Dec 31 23:59:58 UTC 9999") << false << false
                               << u"Please note: the time server's time was far off. Use Auto Set to decide."_s;
    QTest::newRow("kept in step, agreeing")
        << right << true << false << u"HUXO checked your system time at 05:45am: it was right."_s;
    QTest::newRow("kept in step, off") << QByteArray("Tue Dec  8 05:46:00 UTC 2026") << true << false
                                       << u"Please note: HUXO found the system time off; the system sets it itself."_s;
    QTest::newRow("a password needed") << right << false << true
                                       << u"Please note: HUXO was not allowed to set the system time."_s;
}

void tst_Scheduler::theNoteSaysWhatWasDoneWithTheClock()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, keptInStep);
    QFETCH(bool, passwordNeeded);
    QFETCH(QString, words);
    InternetRig rig(scheduledAt(u"05:45"_s), at(5, 45, 0));
    rig.answer(1, answer);
    rig.fakes.clock.setKeptInStepBySystem(keptInStep);
    if (passwordNeeded) {
        rig.fakes.clock.requireAsking();
    }

    fireAt(rig, at(5, 45, 0));
    fireAt(rig, at(5, 46, 0));
    QVERIFY(note(rig));
    QCOMPARE(control<QLabel>(note(rig), "Label1")->text(), words);
    // Nobody was there: no question, no password prompt, and no step made.
    QVERIFY(rig.fakes.dialogs.shown().isEmpty());
    QVERIFY(!rig.fakes.clock.askings().contains(Clock::Asking::MayAsk));
    QCOMPARE(rig.fakes.clock.setCount(), 0);
    QVERIFY(!rig.stat().contains(u"TIME SET COMPLETE."_s));
}

void tst_Scheduler::eachDayHasOneRunWhateverTheClockDoes_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QDateTime>("start"); // the local date and time the clock shows, written at Greenwich
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("server");
    QTest::addColumn<QByteArray>("answer"); // the same line to every request
    QTest::addColumn<int>("everySeconds");  // from one firing of the timer to the next
    QTest::addColumn<int>("hours");
    QTest::addColumn<QDate>("dayOnFile"); // the day of a run before the program started
    QTest::addColumn<int>("runs");
    QTest::addColumn<QDate>("lastRun");

    const QByteArray utc = "UTC";
    const auto face = [](int month, int day, int hour, int minute, int second) {
        return QDateTime(QDate(2026, month, day), QTime(hour, minute, second), Qt::UTC);
    };
    const QDate dec8(2026, 12, 8);
    const QDate dec9(2026, 12, 9);
    // Each step takes the clock back before the chosen minute; the next day the day-old answer from server 3,
    // not trusted for the date, is the day's only small step.
    QTest::newRow("14 min 50 s behind, replayed, server 3")
        << utc << face(12, 8, 5, 40, 20) << u"05:45"_s << 3 << QByteArray("Tue Dec  8 05:30:30 UTC 2026") << 60 << 48
        << QDate() << 2 << dec9;
    QTest::newRow("back across midnight")
        << utc << face(12, 9, 0, 0, 20) << u"00:05"_s << 3 << QByteArray("Tue Dec  8 23:50:40 UTC 2026") << 60 << 23
        << QDate() << 1 << dec9;
    QTest::newRow("the hour repeated at the end of summer time")
        << QByteArray("Europe/Berlin") << face(10, 25, 1, 50, 20) << u"02:30"_s << 1
        << QByteArray("Sun Oct 25 00:30:00 UTC 2026") << 60 << 3 << QDate() << 1 << QDate(2026, 10, 25);
    // The minute is never read while the computer sleeps through it.
    QTest::newRow("asleep through the minute")
        << utc << face(12, 8, 4, 0, 0) << u"05:45"_s << 1 << QByteArray("Tue Dec  8 07:00:00 UTC 2026") << 3 * 3600
        << 24 << QDate() << 1 << dec8;
    QTest::newRow("started again after the day's run")
        << utc << face(12, 8, 5, 40, 20) << u"05:45"_s << 1 << QByteArray("Tue Dec  8 05:45:00 UTC 2026") << 60 << 1
        << dec8 << 0 << dec8;
}

void tst_Scheduler::eachDayHasOneRunWhateverTheClockDoes()
{
    QFETCH(QByteArray, zone);
    QFETCH(QDateTime, start);
    QFETCH(QString, chosen);
    QFETCH(int, server);
    QFETCH(QByteArray, answer);
    QFETCH(int, everySeconds);
    QFETCH(int, hours);
    QFETCH(QDate, dayOnFile);
    QFETCH(int, runs);
    QFETCH(QDate, lastRun);
    qputenv("TZ", zone);
    tzset();
    const QDateTime local(start.date(), start.time());

    Settings stored = scheduledAt(chosen);
    stored.TimeServer = qint16(server);
    stored.BOffset = -float(local.offsetFromUtc()) / 3600;
    InternetRig rig(stored, local);
    rig.answer(server, answer);
    const QString dayFile = rig.module->programFile(u"actday.txt"_s);
    QVERIFY(!dayOnFile.isValid() || writeWholeFile(dayFile, dayOnFile.toString(Qt::ISODate).toLatin1() + '\n'));

    // The timer's firings, the clock moving on between them and with each setting.
    rig.window->ACTTimer_Timer();
    for (int elapsed = 0; elapsed < hours * 3600; elapsed += everySeconds) {
        rig.fakes.clock.advanceSeconds(everySeconds);
        rig.window->ACTTimer_Timer();
    }
    QCOMPARE(int(rig.requests().count(dateRoute(server))), runs);
    QCOMPARE(rig.fakes.clock.setCount(), runs);
    QCOMPARE(RegularFile::read(dayFile, 64).bytes, lastRun.toString(Qt::ISODate).toLatin1() + '\n');
}

void tst_Scheduler::cleanup()
{
    qputenv("TZ", "UTC");
    tzset();
}

QTEST_MAIN(tst_Scheduler)
#include "tst_Scheduler.moc"
