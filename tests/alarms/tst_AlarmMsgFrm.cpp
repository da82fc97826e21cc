#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "alarms/AlarmRig.h"
#include "support/Control.h"

using namespace Qt::StringLiterals;

namespace {

// Ticks of the pending alarm's timer, each after seconds of time passing; stops at the first that fires.
void tick(AlarmRig& rig, int times = 1, int seconds = 60)
{
    for (int i = 0; i < times && control<QTimer>(rig.settings(), "Timer1")->isActive(); ++i) {
        rig.fakes.advanceSeconds(seconds);
        AlarmRig::tickTimer1(rig.settings());
    }
}

bool ringing(const AlarmRig& rig)
{
    return rig.reminder() && rig.reminder()->isVisible() && control<QTimer>(rig.reminder(), "Timer1")->isActive();
}

// The reminder's message, as it shows it.
QString shownMessage(const AlarmRig& rig)
{
    return control<QLabel>(rig.reminder(), "AlmMessg_0")->text();
}

} // namespace

class tst_AlarmMsgFrm : public QObject
{
    Q_OBJECT

private slots:
    void timedAlarmFiresOnItsLastMinute();
    void timeOfDayAlarmFiresWhenTheLocalTimeShowsIt();
    void theNextTickReadsTheControls();
    void audibleAlarmBlinksAndRings();
    void silentAlarmOnlyBlinks();
    void stopEndsTheAlarm();
    void fiveMinutesMoreRearmsAsTimed_data();
    void fiveMinutesMoreRearmsAsTimed();
    void doubleClickOnTheMessageOpensFreshSettings();
    void closingTheReminderStopsIt();
    void cancellingTheSettingsSilencesTheReminderAtOnce();
    void alarmLeftAloneFiresWhileMinimised();
    void ringsOnceWhateverTheClockDoes_data();
    void ringsOnceWhateverTheClockDoes();
};

void tst_AlarmMsgFrm::timedAlarmFiresOnItsLastMinute()
{
    AlarmRig rig;
    rig.setTimed("0", "2");
    tick(rig);
    QVERIFY(!rig.reminder());
    QVERIFY(rig.forms->alarmSet());
    tick(rig);
    QVERIFY(ringing(rig));
    QVERIFY(rig.forms->reminderShown());
    AlarmFrm& frm = rig.settings();
    QVERIFY(!control<QTimer>(frm, "Timer1")->isActive());
    QVERIFY(!frm.isVisible());
    QCOMPARE(frm.AlmCount, qint16(2));
    QCOMPARE(rig.reminder()->windowTitle(), u"HUXO Reminder"_s);
    QCOMPARE(shownMessage(rig), u"This is your alarm message."_s);
    QVERIFY(rig.fakes.windowOrder.isTopmost(rig.reminder()));
    QCOMPARE(control<QTimer>(rig.reminder(), "Timer1")->interval(), 500);

    AlarmRig zero;
    zero.setTimed("0", "0");
    QVERIFY(zero.forms->alarmSet());
    tick(zero);
    QVERIFY(ringing(zero));
}

void tst_AlarmMsgFrm::timeOfDayAlarmFiresWhenTheLocalTimeShowsIt()
{
    AlarmRig rig;
    QCOMPARE(control<QLabel>(*rig.window, "LocTime")->text(), u"09:15"_s);
    rig.setTimeOfDay("9", "16");
    tick(rig, 29, 1);
    QVERIFY(!rig.reminder());
    tick(rig, 1, 1);
    QVERIFY(ringing(rig));
    QVERIFY(control<QLabel>(rig.reminder(), "DueLbl")->isHidden());

    // Set for the minute the label shows now: the next check already finds it due.
    AlarmRig current;
    current.setTimeOfDay("09", "15");
    tick(current, 1, 1);
    QVERIFY(ringing(current));
}

void tst_AlarmMsgFrm::theNextTickReadsTheControls()
{
    AlarmRig rig;
    rig.setTimed("0", "2");
    AlarmFrm& frm = rig.settings();
    // Switched to the time of day without Set: that test runs, and no time of day was ever set.
    control<QRadioButton>(frm, "Timeset")->setChecked(true);
    tick(rig, 5);
    QVERIFY(!rig.reminder());
    QCOMPARE(frm.AlmCount, qint16(0));
    control<QRadioButton>(frm, "Timed")->setChecked(true);
    control<QLineEdit>(frm, "Text1")->setText(u"Call the office"_s);
    control<QRadioButton>(frm, "soundOff")->setChecked(true);
    tick(rig, 2);
    QVERIFY(ringing(rig));
    QCOMPARE(shownMessage(rig), u"Call the office"_s);
    rig.fakes.sound.clear();
    AlarmRig::tickTimer1(*rig.reminder());
    AlarmRig::tickTimer1(*rig.reminder());
    QCOMPARE(rig.fakes.sound.beeps(), 0);

    // The message is shown afresh on every paint.
    control<QLineEdit>(frm, "Text1")->setText(u"Now"_s);
    QVERIFY(QTest::qWaitForWindowExposed(rig.reminder()));
    rig.reminder()->repaint();
    QCOMPARE(shownMessage(rig), u"Now"_s);
}

void tst_AlarmMsgFrm::audibleAlarmBlinksAndRings()
{
    AlarmRig rig;
    rig.setTimed("0", "1");
    tick(rig);
    AlarmMsgFrm& reminder = *rig.reminder();
    const auto* sign = control<QLabel>(reminder, "ExclaimPic");
    rig.fakes.sound.clear();

    AlarmRig::tickTimer1(reminder);
    QCOMPARE(reminder.FlashCount, 1);
    QVERIFY(sign->isHidden());
    QCOMPARE(rig.fakes.sound.beeps(), 0);
    QVERIFY(rig.fakes.sound.played().isEmpty());

    AlarmRig::tickTimer1(reminder);
    QVERIFY(!sign->isHidden());
    QCOMPARE(rig.fakes.sound.beeps(), 1);
    QCOMPARE(rig.fakes.sound.played(), QStringList{rig.file("alarm.wav")});

    AlarmRig::tickTimer1(reminder);
    AlarmRig::tickTimer1(reminder);
    QCOMPARE(reminder.FlashCount, 4);
    QCOMPARE(rig.fakes.sound.beeps(), 2);
    QCOMPARE(rig.fakes.sound.played().size(), 2);

    // Whatever took the top layer meanwhile, the next blink takes it back.
    rig.fakes.windowOrder.setTopmost(&reminder, false);
    AlarmRig::tickTimer1(reminder);
    QVERIFY(rig.fakes.windowOrder.isTopmost(&reminder));
}

void tst_AlarmMsgFrm::silentAlarmOnlyBlinks()
{
    AlarmRig rig;
    control<QRadioButton>(rig.settings(), "soundOff")->setChecked(true);
    rig.setTimed("0", "1");
    tick(rig);
    AlarmMsgFrm& reminder = *rig.reminder();
    rig.fakes.sound.clear();
    for (int i = 1; i <= 6; ++i) {
        AlarmRig::tickTimer1(reminder);
        QCOMPARE(control<QLabel>(reminder, "ExclaimPic")->isHidden(), i % 2 == 1);
    }
    QCOMPARE(rig.fakes.sound.beeps(), 0);
    QVERIFY(rig.fakes.sound.played().isEmpty());
}

void tst_AlarmMsgFrm::stopEndsTheAlarm()
{
    AlarmRig rig;
    rig.setTimed("0", "1");
    tick(rig);
    // Ringing, the alarm is set no longer: the title says so at once, as it would after a resize.
    QCOMPARE(rig.window->windowTitle(), u"HUXO 5.1"_s);
    QTest::mouseClick(control<QPushButton>(rig.reminder(), "Command1"), Qt::LeftButton);
    AlarmRig::settle();
    QVERIFY(!rig.reminder());
    QVERIFY(!rig.forms->loaded<AlarmFrm>());
    QVERIFY(!rig.forms->alarmSet());
    QCOMPARE(rig.window->windowTitle(), u"HUXO 5.1"_s);
    QVERIFY(rig.fakes.dialogs.shown().isEmpty());

    // Only a pending alarm is asked about at exit, not a ringing one.
    AlarmRig ringingAtExit;
    ringingAtExit.setTimed("0", "1");
    tick(ringingAtExit);
    QVERIFY(ringing(ringingAtExit));
    QVERIFY(ringingAtExit.window->close());
    QVERIFY(ringingAtExit.fakes.dialogs.shown().isEmpty());
}

void tst_AlarmMsgFrm::fiveMinutesMoreRearmsAsTimed_data()
{
    QTest::addColumn<bool>("timeOfDay");
    QTest::newRow("after a time-of-day alarm") << true;
    QTest::newRow("after 1 hour 30 minutes") << false;
}

void tst_AlarmMsgFrm::fiveMinutesMoreRearmsAsTimed()
{
    QFETCH(bool, timeOfDay);
    AlarmRig rig;
    AlarmFrm& frm = rig.settings();
    control<QLineEdit>(frm, "Text1")->setText(u"Stretch"_s);
    if (timeOfDay) {
        rig.setTimeOfDay("09", "15");
        tick(rig, 1, 1);
    } else {
        rig.setTimed("1", "30");
        tick(rig, 90);
    }
    QVERIFY(ringing(rig));
    rig.fakes.sound.clear();

    auto* moreTime = control<QPushButton>(rig.reminder(), "TenMinBtn");
    QCOMPARE(moreTime->text(), u"&5 Minutes More"_s);
    QTest::mouseClick(moreTime, Qt::LeftButton);
    AlarmRig::settle();
    QVERIFY(!rig.reminder());
    QCOMPARE(rig.forms->loaded<AlarmFrm>(), &frm);
    QVERIFY(control<QRadioButton>(frm, "Timed")->isChecked());
    auto* hours = control<QLineEdit>(frm, "HrTxt");
    QVERIFY(hours->isEnabled() && !control<QLineEdit>(frm, "TimHrTxt")->isEnabled());
    QCOMPARE(hours->text(), u"0"_s);
    QCOMPARE(control<QLineEdit>(frm, "MinTxt")->text(), u"5"_s);
    QCOMPARE(frm.AlmDelay, qint16(5));
    QCOMPARE(frm.AlmCount, qint16(0));
    QCOMPARE(control<QTimer>(frm, "Timer1")->interval(), 1000);
    QVERIFY(control<QTimer>(frm, "Timer1")->isActive());
    QVERIFY(!frm.isVisible());
    QCOMPARE(rig.window->windowTitle(), u"HUXO 5.1 (alarm set)"_s);
    QCOMPARE(rig.fakes.sound.played(), QStringList{rig.file("b.wav")});

    tick(rig, 4);
    QVERIFY(!rig.reminder());
    tick(rig);
    QVERIFY(ringing(rig));
    QCOMPARE(shownMessage(rig), u"Stretch"_s);
}

void tst_AlarmMsgFrm::doubleClickOnTheMessageOpensFreshSettings()
{
    AlarmRig rig;
    AlarmFrm* old = &rig.settings();
    control<QLineEdit>(old, "Text1")->setText(u"Old news"_s);
    rig.setTimeOfDay("09", "15");
    tick(rig, 1, 1);
    QVERIFY(ringing(rig));

    QTest::mouseDClick(control<QLabel>(rig.reminder(), "AlmMessg_0"), Qt::LeftButton);
    AlarmRig::settle();
    QVERIFY(!rig.reminder());
    AlarmFrm* fresh = rig.forms->loaded<AlarmFrm>();
    QVERIFY(fresh);
    QVERIFY(fresh != old);
    QVERIFY(fresh->isVisible());
    QCOMPARE(control<QLineEdit>(fresh, "Text1")->text(), u"This is your alarm message."_s);
    QVERIFY(control<QRadioButton>(fresh, "Timed")->isChecked());
    QVERIFY(!rig.forms->alarmSet());
    QCOMPARE(rig.window->windowTitle(), u"HUXO 5.1"_s);
}

void tst_AlarmMsgFrm::closingTheReminderStopsIt()
{
    AlarmRig rig;
    rig.setTimed("0", "1");
    tick(rig);
    QVERIFY(rig.reminder()->close());
    AlarmRig::settle();
    QVERIFY(!rig.reminder());
    QVERIFY(!rig.forms->loaded<AlarmFrm>());
    QCOMPARE(rig.window->windowTitle(), u"HUXO 5.1"_s);
}

void tst_AlarmMsgFrm::cancellingTheSettingsSilencesTheReminderAtOnce()
{
    AlarmRig rig;
    rig.setTimed("0", "1");
    tick(rig);
    QPointer<AlarmMsgFrm> reminder = rig.reminder();
    bringUp(rig.settings());
    QTest::mouseClick(control<QPushButton>(rig.settings(), "Command2"), Qt::LeftButton);
    // While the message box is up the unloaded reminder is not yet deleted; its last blinks stay silent.
    rig.fakes.sound.clear();
    AlarmRig::tickTimer1(*reminder);
    AlarmRig::tickTimer1(*reminder);
    QCOMPARE(rig.fakes.sound.beeps(), 0);
    AlarmRig::settle();
    QVERIFY(!reminder);
}

void tst_AlarmMsgFrm::alarmLeftAloneFiresWhileMinimised()
{
    AlarmRig rig;
    rig.window->showMinimized();
    rig.setTimed("0", "1");
    QVERIFY(rig.window->isMinimized());
    // The real timer, once its minute has passed.
    rig.fakes.advanceSeconds(60);
    QTRY_VERIFY(ringing(rig));
    QVERIFY(rig.window->isMinimized());
}

void tst_AlarmMsgFrm::ringsOnceWhateverTheClockDoes_data()
{
    QTest::addColumn<bool>("timed");
    QTest::addColumn<int>("stepSeconds");   // the clock alone is set so far on (back where negative)
    QTest::addColumn<int>("asleepSeconds"); // the computer sleeps so long, and its clock goes on meanwhile
    QTest::addColumn<QString>("note");      // null: no ring yet; empty: rings on time; else the late note
    // Set at 09:15:30 for 09:20, or for 30 minutes from then.
    QTest::newRow("minute stepped over") << false << 45 * 60 << 0 << u"Due at 09:20"_s;
    QTest::newRow("minute slept through") << false << 0 << 45 * 60 << u"Due at 09:20"_s;
    QTest::newRow("stepped onto its minute") << false << 4 * 60 + 30 << 0 << u""_s;
    QTest::newRow("stepped back before it") << false << -3600 << 0 << QString();
    QTest::newRow("delay slept through") << true << 0 << 2 * 3600 << u"Due at 09:45"_s;
    QTest::newRow("slept a day through") << false << 0 << 25 * 3600 << u"Due at 09:20 on Tue 08 Dec"_s;
    QTest::newRow("delay over a clock step") << true << 2 * 3600 << 0 << QString();
}

void tst_AlarmMsgFrm::ringsOnceWhateverTheClockDoes()
{
    QFETCH(bool, timed);
    QFETCH(int, stepSeconds);
    QFETCH(int, asleepSeconds);
    QFETCH(QString, note);
    AlarmRig rig;
    if (timed) {
        rig.setTimed("0", "30");
    } else {
        rig.setTimeOfDay("09", "20");
    }
    rig.fakes.clock.advanceSeconds(stepSeconds);
    rig.fakes.advanceSeconds(asleepSeconds);
    tick(rig, 1, 1);
    QCOMPARE(ringing(rig), !note.isNull());
    QCOMPARE(rig.window->windowTitle(), note.isNull() ? u"HUXO 5.1 (alarm set)"_s : u"HUXO 5.1"_s);
    if (note.isNull()) {
        return;
    }
    QCOMPARE(control<QLabel>(rig.reminder(), "DueLbl")->text(), note);
    QCOMPARE(control<QLabel>(rig.reminder(), "DueLbl")->isVisible(), !note.isEmpty());
    // Back over its minute and on past it again: the alarm that rang is not due a second time.
    rig.fakes.clock.advanceSeconds(-2 * 3600);
    rig.fakes.advanceSeconds(3 * 3600);
    tick(rig, 1, 1);
    QVERIFY(!rig.forms->alarmSet());
    QTest::mouseClick(control<QPushButton>(rig.reminder(), "Command1"), Qt::LeftButton);
    AlarmRig::settle();
    QVERIFY(!rig.reminder());
}

QTEST_MAIN(tst_AlarmMsgFrm)
#include "tst_AlarmMsgFrm.moc"
