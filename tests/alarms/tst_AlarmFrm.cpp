#include <QFile>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "alarms/AlarmRig.h"
#include "support/Control.h"
#include "ui/GlyphButton.h"
#include "ui/alarms/AlarmFrm.h"
#include "ui/system/SystTimeFrm.h"

using namespace Qt::StringLiterals;

namespace {

const QString AlarmSetCaption = u"HUXO 5.1 (alarm set)"_s;

void loseFocus(QLineEdit* field)
{
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(field, &focusOut);
}

} // namespace

class tst_AlarmFrm : public QObject
{
    Q_OBJECT

private slots:
    void everyLoadStartsFromTheDesignValues();
    void fieldRules_data();
    void fieldRules();
    void timeOfDayRowTakesTwoDigitsOnLeaving();
    void setTimedAlarmCountsMinutes();
    void setAgainReplacesThePendingAlarm();
    void cancelAlarmTellsEvenWithNothingPending();
    void closingAPendingAlarmAsks();
    void showingReleasesTheMainWindowFromTheTop();
    void loadingTakesTheSystemTimeWindowOffTheTop();
    void mainWindowOpensTheSettings();
    void exitQuestionNoKeepsEverything();
    void returnPressesSetOrTheButtonWithTheFocus();
};

void tst_AlarmFrm::everyLoadStartsFromTheDesignValues()
{
    AlarmRig rig;
    AlarmFrm* frm = &rig.settings();
    QCOMPARE(frm->windowTitle(), u"HUXO - Alarm Settings"_s);
    QVERIFY(control<QRadioButton>(frm, "Timed")->isChecked());
    QVERIFY(!control<QRadioButton>(frm, "Timeset")->isChecked());
    QCOMPARE(control<QLineEdit>(frm, "HrTxt")->text(), u"0"_s);
    QCOMPARE(control<QLineEdit>(frm, "MinTxt")->text(), u"30"_s);
    QCOMPARE(control<QLineEdit>(frm, "TimHrTxt")->text(), u"12"_s);
    QCOMPARE(control<QLineEdit>(frm, "TimMinTxt")->text(), u"00"_s);
    QVERIFY(!control<QLineEdit>(frm, "TimHrTxt")->isEnabled());
    QVERIFY(control<QRadioButton>(frm, "soundOn")->isChecked());
    QCOMPARE(control<QLineEdit>(frm, "Text1")->text(), u"This is your alarm message."_s);
    QVERIFY(!control<QTimer>(frm, "Timer1")->isActive());
    QCOMPARE(control<QTimer>(frm, "Timer1")->interval(), 1000);

    // A pending alarm keeps what it was set with, hidden or shown again.
    rig.setTimeOfDay("7", "5");
    control<QLineEdit>(frm, "Text1")->setText(u"tea"_s);
    QCOMPARE(&rig.settings(), frm);
    QCOMPARE(control<QLineEdit>(rig.settings(), "TimHrTxt")->text(), u"07"_s);

    // After an unload the next load is fresh.
    control<QPushButton>(frm, "Command2")->click();
    AlarmRig::settle();
    frm = &rig.settings();
    QVERIFY(control<QRadioButton>(frm, "Timed")->isChecked());
    QCOMPARE(control<QLineEdit>(frm, "TimHrTxt")->text(), u"12"_s);
    QCOMPARE(control<QLineEdit>(frm, "Text1")->text(), u"This is your alarm message."_s);
}

void tst_AlarmFrm::fieldRules_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("cleared hours") << u"HrTxt"_s << QString() << u"1"_s;
    QTest::newRow("cleared minutes") << u"MinTxt"_s << QString() << u"0"_s;
    QTest::newRow("hours above 99") << u"HrTxt"_s << u"150"_s << u"99"_s;
    QTest::newRow("minutes above 59") << u"MinTxt"_s << u"75"_s << u"59"_s;
    QTest::newRow("hours with a fraction") << u"HrTxt"_s << u"7.9"_s << u"7"_s;
    QTest::newRow("hours with leading zeros") << u"HrTxt"_s << u"007"_s << u"7"_s;
    QTest::newRow("negative hours") << u"HrTxt"_s << u"-3"_s << u"1"_s;
    QTest::newRow("minutes not a number") << u"MinTxt"_s << u"5x"_s << u"0"_s;
    QTest::newRow("huge minutes") << u"MinTxt"_s << u"1e300"_s << u"59"_s;
    QTest::newRow("time hour with a fraction") << u"TimHrTxt"_s << u"7.9"_s << u"7.9"_s;
    QTest::newRow("time hour above 23") << u"TimHrTxt"_s << u"24"_s << u"23"_s;
    QTest::newRow("time hour cleared") << u"TimHrTxt"_s << QString() << u"0"_s;
    QTest::newRow("time minute above 59 goes back to 0") << u"TimMinTxt"_s << u"75"_s << u"0"_s;
    QTest::newRow("time minute negative") << u"TimMinTxt"_s << u"-1"_s << u"0"_s;
    QTest::newRow("time minute kept while typing") << u"TimMinTxt"_s << u"5"_s << u"5"_s;
}

void tst_AlarmFrm::fieldRules()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    AlarmRig rig;
    auto* edit = control<QLineEdit>(rig.settings(), qPrintable(field));
    edit->setText(typed);
    QCOMPARE(edit->text(), shown);
}

void tst_AlarmFrm::timeOfDayRowTakesTwoDigitsOnLeaving()
{
    AlarmRig rig;
    AlarmFrm& frm = rig.settings();
    auto* timed = control<QRadioButton>(frm, "Timed");
    auto* hours = control<QLineEdit>(frm, "HrTxt");
    auto* minutes = control<QLineEdit>(frm, "MinTxt");
    auto* timeHour = control<QLineEdit>(frm, "TimHrTxt");
    auto* timeMinute = control<QLineEdit>(frm, "TimMinTxt");
    bringUp(frm);
    QTest::mouseClick(control<QRadioButton>(frm, "Timeset"), Qt::LeftButton);
    QVERIFY(!timed->isChecked());
    QVERIFY(timeHour->isEnabled() && timeMinute->isEnabled());
    QVERIFY(!hours->isEnabled() && !minutes->isEnabled());

    timeHour->selectAll();
    QTest::keyClicks(timeHour, u"7.9"_s);
    QCOMPARE(timeHour->text(), u"7.9"_s);
    loseFocus(timeHour);
    QCOMPARE(timeHour->text(), u"07"_s);
    timeMinute->setText(u"0"_s);
    loseFocus(timeMinute);
    QCOMPARE(timeMinute->text(), u"00"_s);

    QTest::mouseClick(timed, Qt::LeftButton);
    QVERIFY(hours->isEnabled() && minutes->isEnabled());
    QVERIFY(!timeHour->isEnabled() && !timeMinute->isEnabled());
    hours->selectAll();
    QTest::keyClicks(hours, u"150"_s);
    QCOMPARE(hours->text(), u"99"_s);
}

void tst_AlarmFrm::setTimedAlarmCountsMinutes()
{
    AlarmRig rig;
    QCOMPARE(rig.window->windowTitle(), u"HUXO 5.1"_s);
    rig.setTimed("1", "30");
    AlarmFrm& frm = rig.settings();
    QCOMPARE(frm.AlmDelay, qint16(90));
    QCOMPARE(frm.AlmCount, qint16(0));
    QCOMPARE(control<QTimer>(frm, "Timer1")->interval(), 1000);
    QVERIFY(control<QTimer>(frm, "Timer1")->isActive());
    QVERIFY(rig.forms->alarmSet());
    QVERIFY(!frm.isVisible());
    QVERIFY(!rig.forms->alarmSettingsShown());
    QCOMPARE(rig.window->windowTitle(), AlarmSetCaption);
    QCOMPARE(rig.fakes.sound.played(), QStringList{rig.file("b.wav")});

    // The main window keeps the suffix when it is resized.
    rig.window->resize(rig.window->width() + 10, rig.window->height());
    QCOMPARE(rig.window->windowTitle(), AlarmSetCaption);

    rig.setTimed("99", "59");
    QCOMPARE(rig.settings().AlmDelay, qint16(5999));
}

void tst_AlarmFrm::setAgainReplacesThePendingAlarm()
{
    AlarmRig rig;
    rig.setTimed("0", "10");
    AlarmFrm& frm = rig.settings();
    rig.fakes.advanceSeconds(150);
    AlarmRig::tickTimer1(frm);
    QCOMPARE(frm.AlmCount, qint16(2));

    rig.setTimed("0", "3");
    QCOMPARE(frm.AlmCount, qint16(0));
    QCOMPARE(frm.AlmDelay, qint16(3));

    // Set straight after typing: the fields had no chance to lose the focus first.
    rig.setTimeOfDay("7", "5");
    QCOMPARE(frm.AlmTime, u"07:05"_s);
    QCOMPARE(control<QTimer>(frm, "Timer1")->interval(), 1000);
    QVERIFY(control<QTimer>(frm, "Timer1")->isActive());
    QCOMPARE(rig.window->windowTitle(), AlarmSetCaption);
}

void tst_AlarmFrm::cancelAlarmTellsEvenWithNothingPending()
{
    AlarmRig rig;
    const auto cancel = [&rig] {
        rig.fakes.dialogs.clear();
        QTest::mouseClick(control<QPushButton>(rig.settings(), "Command2"), Qt::LeftButton);
        AlarmRig::settle();
        QCOMPARE(rig.fakes.dialogs.shown().size(), 1);
        const FakeDialogs::Shown& told = rig.fakes.dialogs.shown().first();
        QCOMPARE(told.text, u"You have cancelled the alarm. No alarm will occur."_s);
        QCOMPARE(told.title, u"HUXO 5.1"_s);
        QCOMPARE(told.icon, Dialogs::Icon::None);
        QCOMPARE(told.buttons, Dialogs::Buttons::Ok);
        QVERIFY(!rig.forms->loaded<AlarmFrm>());
        QVERIFY(!rig.forms->alarmSet());
        QCOMPARE(rig.window->windowTitle(), u"HUXO 5.1"_s);
    };
    bringUp(rig.settings());
    cancel();

    rig.setTimed("0", "1");
    bringUp(rig.settings());
    cancel();
}

void tst_AlarmFrm::closingAPendingAlarmAsks()
{
    AlarmRig rig;
    rig.setTimed("0", "5");
    AlarmFrm* frm = &rig.settings();
    bringUp(*frm);
    rig.fakes.dialogs.setNextAnswer(Dialogs::Answer::No);
    QVERIFY(!frm->close());
    QCOMPARE(rig.fakes.dialogs.shown().size(), 1);
    const FakeDialogs::Shown& asked = rig.fakes.dialogs.shown().first();
    QCOMPARE(asked.text,
             u"A reminder alarm has been set.  Do you want to cancel the alarm?  If you click ' Yes ' the alarm will "
             "NOT occur."_s);
    QCOMPARE(asked.title, u"Warning"_s);
    QCOMPARE(asked.icon, Dialogs::Icon::Critical);
    QCOMPARE(asked.buttons, Dialogs::Buttons::YesNo);
    QVERIFY(!frm->isVisible());
    QCOMPARE(rig.forms->loaded<AlarmFrm>(), frm);
    QVERIFY(rig.forms->alarmSet());
    QCOMPARE(control<QLineEdit>(frm, "MinTxt")->text(), u"5"_s);
    QCOMPARE(rig.window->windowTitle(), AlarmSetCaption);

    bringUp(*frm);
    rig.fakes.dialogs.setNextAnswer(Dialogs::Answer::Yes);
    frm->close();
    AlarmRig::settle();
    QVERIFY(!rig.forms->loaded<AlarmFrm>());
    QVERIFY(!rig.forms->alarmSet());
    QCOMPARE(rig.window->windowTitle(), u"HUXO 5.1"_s);

    // With nothing pending there is nothing to ask.
    rig.fakes.dialogs.clear();
    bringUp(rig.settings());
    rig.settings().close();
    AlarmRig::settle();
    QVERIFY(rig.fakes.dialogs.shown().isEmpty());
    QVERIFY(!rig.forms->loaded<AlarmFrm>());
}

void tst_AlarmFrm::showingReleasesTheMainWindowFromTheTop()
{
    AlarmRig rig;
    GlyphButton* pin = control<GlyphButton>(*rig.window, "Option1");
    QTest::mouseClick(pin, Qt::LeftButton);
    QVERIFY(pin->isChecked());
    QVERIFY(rig.fakes.windowOrder.isTopmost(rig.window.get()));
    rig.fakes.sound.clear();

    AlarmFrm& frm = rig.settings();
    bringUp(frm);
    QVERIFY(QTest::qWaitForWindowExposed(&frm));
    frm.repaint();
    QVERIFY(!pin->isChecked());
    QVERIFY(!rig.fakes.windowOrder.isTopmost(rig.window.get()));
    // The release is no click of the user's, so it makes no sound.
    QVERIFY(rig.fakes.sound.played().isEmpty());
}

void tst_AlarmFrm::loadingTakesTheSystemTimeWindowOffTheTop()
{
    AlarmRig rig;
    SystTimeFrm& systemTime = rig.forms->get<SystTimeFrm>();
    bringUp(systemTime);
    QVERIFY(rig.fakes.windowOrder.isTopmost(&systemTime));

    rig.settings();
    QVERIFY(!rig.fakes.windowOrder.isTopmost(&systemTime));
}

void tst_AlarmFrm::mainWindowOpensTheSettings()
{
    AlarmRig rig;
    const auto opened = [&rig] {
        AlarmFrm* frm = rig.forms->loaded<AlarmFrm>();
        const bool shown = frm && frm->isVisible();
        if (frm) {
            frm->unloadWithoutQuestion();
            AlarmRig::settle();
        }
        return shown;
    };
    GlyphButton* bell = control<GlyphButton>(*rig.window, "AlmBtn");
    QTest::mousePress(bell, Qt::LeftButton);
    QTest::mouseRelease(bell, Qt::LeftButton);
    QVERIFY(opened());
    QTest::mouseDClick(control<QLabel>(*rig.window, "ECap"), Qt::LeftButton);
    QVERIFY(opened());
    QTest::mouseDClick(control<QLabel>(*rig.window, "GCap"), Qt::LeftButton);
    QVERIFY(opened());
    QTest::mouseDClick(control<QLabel>(*rig.window, "DCap"), Qt::LeftButton);
    QVERIFY(!opened());

    // Passing over the alarm button brings an open settings window forward, and never opens a closed one.
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(bell, &enter);
    QVERIFY(!rig.forms->loaded<AlarmFrm>());
    rig.setTimed("0", "5");
    QCoreApplication::sendEvent(bell, &enter);
    QVERIFY(!rig.settings().isVisible());
}

void tst_AlarmFrm::exitQuestionNoKeepsEverything()
{
    AlarmRig rig;
    QFile ini(rig.module->programFile(u"huxo.ini"_s));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray before = ini.readAll();
    ini.close();
    rig.module->CCaption = u"CHANGED"_s;

    rig.setTimed("0", "5");
    rig.fakes.dialogs.clear();
    rig.fakes.dialogs.setNextAnswer(Dialogs::Answer::No);
    QVERIFY(!rig.window->close());
    QCOMPARE(rig.fakes.dialogs.shown().size(), 1);
    QCOMPARE(rig.fakes.dialogs.shown().first().title, u"Warning"_s);
    QVERIFY(rig.window->isVisible());
    QVERIFY(rig.forms->alarmSet());
    QVERIFY(!rig.settings().isVisible());
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QCOMPARE(ini.readAll(), before);
}

void tst_AlarmFrm::returnPressesSetOrTheButtonWithTheFocus()
{
    AlarmRig rig;
    AlarmFrm& frm = rig.settings();
    auto* minutes = control<QLineEdit>(frm, "MinTxt");
    auto* timeOfDay = control<QRadioButton>(frm, "Timeset");
    auto* cancel = control<QPushButton>(frm, "Command2");
    bringUp(frm);
    minutes->setFocus();
    minutes->selectAll();
    QTest::keyClicks(minutes, u"45"_s);
    QTest::keyClick(minutes, Qt::Key_Return);
    QVERIFY(control<QTimer>(frm, "Timer1")->isActive());
    QCOMPARE(frm.AlmDelay, qint16(45));
    QVERIFY(!frm.isVisible());
    QCOMPARE(rig.window->windowTitle(), u"HUXO 5.1 (alarm set)"_s);

    // On the options too, and with the keypad's Enter.
    bringUp(frm);
    QTest::mouseClick(timeOfDay, Qt::LeftButton);
    timeOfDay->setFocus();
    QTest::keyClick(timeOfDay, Qt::Key_Enter);
    QCOMPARE(frm.AlmTime, u"12:00"_s);
    QVERIFY(!frm.isVisible());

    // The other button takes Return while it has the focus.
    bringUp(frm);
    cancel->setFocus();
    QTest::keyClick(cancel, Qt::Key_Return);
    AlarmRig::settle();
    QVERIFY(!rig.forms->loaded<AlarmFrm>());
    QCOMPARE(rig.fakes.dialogs.shown().last().text, u"You have cancelled the alarm. No alarm will occur."_s);
    QCOMPARE(rig.window->windowTitle(), u"HUXO 5.1"_s);
}

QTEST_MAIN(tst_AlarmFrm)
#include "tst_AlarmFrm.moc"
