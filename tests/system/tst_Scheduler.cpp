#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "InternetRig.h"
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
};

void tst_Scheduler::startsAtTheChosenMinuteAndReportsASuccessAtTheNextFiring()
{
    InternetRig rig(scheduledAt(u"05:45"_s), at(5, 44, 20));
    QVERIFY(rig.window->ACTTimer->isActive());
    QCOMPARE(rig.window->ACTTimer->interval(), 60000);
    rig.answer(1, "Tue Dec  8 05:45:20 UTC 2026\n");

    fireAt(rig, at(5, 44, 20));
    QVERIFY(rig.requests().isEmpty());

    fireAt(rig, at(5, 45, 20));
    QCOMPARE(rig.fakes.clock.timesSet(), QList<QTime>{QTime(5, 45, 21)});
    QCOMPARE(rig.stat().last(), u"TIME SET COMPLETE."_s);
    QVERIFY(rig.frm->AutoPanel->isVisible());
    QVERIFY(!note(rig));

    fireAt(rig, at(5, 46, 21));
    QVERIFY(note(rig) && note(rig)->isVisible());
    QCOMPARE(note(rig)->Label1->text(), u"HUXO automatically adjusted your system time at 05:45am"_s);
    QCOMPARE(rig.module->ACTState, SchedulerState::Idle);
    // Without ACTUpdates nothing more is fetched, and the day's correction is over.
    const qsizetype asked = rig.requests().size();
    fireAt(rig, at(5, 47, 21));
    QCOMPARE(rig.requests().size(), asked);
    QCOMPARE(rig.fakes.clock.timesSet().size(), 1);
}

void tst_Scheduler::aFailureIsRetriedAtOnceAndReportedAtOnce()
{
    InternetRig rig(scheduledAt(u"17:30"_s), at(17, 30, 5));
    rig.unplugTimeServers({1});
    rig.answer(2, "Tue Dec  8 17:30:05 UTC 2026\n");

    fireAt(rig, at(17, 30, 5));
    QCOMPARE(rig.requests().value(0), dateRoute(2));
    QCOMPARE(rig.fakes.clock.timesSet(), QList<QTime>{QTime(17, 30, 6)});
    QVERIFY(note(rig));
    QCOMPARE(note(rig)->Label1->text(), u"HUXO automatically adjusted your system time at 05:29pm"_s);
    QCOMPARE(rig.module->ACTState, SchedulerState::Idle);
}

void tst_Scheduler::bothAttemptsFailingStillFetchTheUpdatesWhenAsked()
{
    InternetRig rig(scheduledAt(u"05:45"_s, Flag::On), at(5, 45, 0));
    rig.unplugTimeServers();
    serveUpdates(rig.server, "/mirror/", "tiny");

    fireAt(rig, at(5, 45, 0));
    QVERIFY(rig.fakes.clock.timesSet().isEmpty());
    QVERIFY(note(rig));
    QCOMPARE(note(rig)->Label1->text(), NotChecked);
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
    QCOMPARE(note(rig)->Label1->text(), u"HUXO automatically adjusted your system time at 09:09am"_s);
}

void tst_Scheduler::aNewsletterAfterAnArmedWindowLeavesANewWindowArmed()
{
    InternetRig rig(scheduledAt(u"05:45"_s, Flag::On), at(5, 44, 50));
    rig.answer(1, "Tue Dec  8 05:45:00 UTC 2026\n");
    serveUpdates(rig.server, "/main/", "There is free disk space for everyone.");
    // The user left the system time window open with the retrieval armed.
    doubleClickAt(rig.frm->HUXOLBL[0]);
    QCOMPARE(rig.frm->UpdArmed, Flag::On);
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
    QCOMPARE(reloaded->UpdArmed, Flag::On);
}

void tst_Scheduler::aRunBehindAStuckFetchReportsNothingChecked()
{
    InternetRig rig(scheduledAt(u"05:45"_s), at(5, 44, 58));
    rig.server.addSilent(dateRoute(1));
    rig.module->NetStatus = NetOutcome::Completed; // yesterday's correction

    // The daily minute comes while a correction the user started waits for its answer; then the user stops it.
    QTimer::singleShot(100, rig.frm, [&rig] {
        fireAt(rig, at(5, 45, 0));
        doubleClickAt(rig.frm->LinkAniImg);
    });
    clickAt(rig.frm->AutoSetBtn);

    QVERIFY(note(rig));
    QCOMPARE(note(rig)->Label1->text(), NotChecked);
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
    QCOMPARE(note(rig)->Label1->text(), words);
    // Nobody was there: no question, no password prompt, and no step made.
    QVERIFY(rig.fakes.dialogs.shown().isEmpty());
    QVERIFY(!rig.fakes.clock.askings().contains(Clock::Asking::MayAsk));
    QCOMPARE(rig.fakes.clock.setCount(), 0);
    QVERIFY(!rig.stat().contains(u"TIME SET COMPLETE."_s));
}

QTEST_MAIN(tst_Scheduler)
#include "tst_Scheduler.moc"
