#include <QFile>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "alarms/AlarmRig.h"
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
    QVERIFY(frm->Timed->isChecked());
    QVERIFY(!frm->Timeset->isChecked());
    QCOMPARE(frm->HrTxt->text(), u"0"_s);
    QCOMPARE(frm->MinTxt->text(), u"30"_s);
    QCOMPARE(frm->TimHrTxt->text(), u"12"_s);
    QCOMPARE(frm->TimMinTxt->text(), u"00"_s);
    QVERIFY(!frm->TimHrTxt->isEnabled());
    QVERIFY(frm->soundOn->isChecked());
    QCOMPARE(frm->Text1->text(), u"This is your alarm message."_s);
    QVERIFY(!frm->Timer1->isActive());
    QCOMPARE(frm->Timer1->interval(), 1000);

    // A pending alarm keeps what it was set with, hidden or shown again.
    rig.setTimeOfDay("7", "5");
    frm->Text1->setText(u"tea"_s);
    QCOMPARE(&rig.settings(), frm);
    QCOMPARE(rig.settings().TimHrTxt->text(), u"07"_s);

    // After an unload the next load is fresh.
    frm->Command2_Click();
    AlarmRig::settle();
    frm = &rig.settings();
    QVERIFY(frm->Timed->isChecked());
    QCOMPARE(frm->TimHrTxt->text(), u"12"_s);
    QCOMPARE(frm->Text1->text(), u"This is your alarm message."_s);
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
    auto* edit = rig.settings().findChild<QLineEdit*>(field);
    QVERIFY(edit);
    edit->setText(typed);
    QCOMPARE(edit->text(), shown);
}

void tst_AlarmFrm::timeOfDayRowTakesTwoDigitsOnLeaving()
{
    AlarmRig rig;
    AlarmFrm& frm = rig.settings();
    bringUp(frm);
    QTest::mouseClick(frm.Timeset, Qt::LeftButton);
    QVERIFY(!frm.Timed->isChecked());
    QVERIFY(frm.TimHrTxt->isEnabled() && frm.TimMinTxt->isEnabled());
    QVERIFY(!frm.HrTxt->isEnabled() && !frm.MinTxt->isEnabled());

    frm.TimHrTxt->selectAll();
    QTest::keyClicks(frm.TimHrTxt, u"7.9"_s);
    QCOMPARE(frm.TimHrTxt->text(), u"7.9"_s);
    loseFocus(frm.TimHrTxt);
    QCOMPARE(frm.TimHrTxt->text(), u"07"_s);
    frm.TimMinTxt->setText(u"0"_s);
    loseFocus(frm.TimMinTxt);
    QCOMPARE(frm.TimMinTxt->text(), u"00"_s);

    QTest::mouseClick(frm.Timed, Qt::LeftButton);
    QVERIFY(frm.HrTxt->isEnabled() && frm.MinTxt->isEnabled());
    QVERIFY(!frm.TimHrTxt->isEnabled() && !frm.TimMinTxt->isEnabled());
    frm.HrTxt->selectAll();
    QTest::keyClicks(frm.HrTxt, u"150"_s);
    QCOMPARE(frm.HrTxt->text(), u"99"_s);
}

void tst_AlarmFrm::setTimedAlarmCountsMinutes()
{
    AlarmRig rig;
    QCOMPARE(rig.window->windowTitle(), u"HUXO 5.1"_s);
    rig.setTimed("1", "30");
    AlarmFrm& frm = rig.settings();
    QCOMPARE(frm.AlmDelay, qint16(90));
    QCOMPARE(frm.AlmCount, qint16(0));
    QCOMPARE(frm.Timer1->interval(), 1000);
    QVERIFY(frm.Timer1->isActive());
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
    frm.Timer1_Timer();
    QCOMPARE(frm.AlmCount, qint16(2));

    rig.setTimed("0", "3");
    QCOMPARE(frm.AlmCount, qint16(0));
    QCOMPARE(frm.AlmDelay, qint16(3));

    // Set straight after typing: the fields had no chance to lose the focus first.
    rig.setTimeOfDay("7", "5");
    QCOMPARE(frm.AlmTime, u"07:05"_s);
    QCOMPARE(frm.Timer1->interval(), 1000);
    QVERIFY(frm.Timer1->isActive());
    QCOMPARE(rig.window->windowTitle(), AlarmSetCaption);
}

void tst_AlarmFrm::cancelAlarmTellsEvenWithNothingPending()
{
    AlarmRig rig;
    const auto cancel = [&rig] {
        rig.fakes.dialogs.clear();
        QTest::mouseClick(rig.settings().Command2, Qt::LeftButton);
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
    QCOMPARE(frm->MinTxt->text(), u"5"_s);
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
    bringUp(frm);
    frm.MinTxt->setFocus();
    frm.MinTxt->selectAll();
    QTest::keyClicks(frm.MinTxt, u"45"_s);
    QTest::keyClick(frm.MinTxt, Qt::Key_Return);
    QVERIFY(frm.Timer1->isActive());
    QCOMPARE(frm.AlmDelay, qint16(45));
    QVERIFY(!frm.isVisible());
    QCOMPARE(rig.window->windowTitle(), u"HUXO 5.1 (alarm set)"_s);

    // On the options too, and with the keypad's Enter.
    bringUp(frm);
    QTest::mouseClick(frm.Timeset, Qt::LeftButton);
    frm.Timeset->setFocus();
    QTest::keyClick(frm.Timeset, Qt::Key_Enter);
    QCOMPARE(frm.AlmTime, u"12:00"_s);
    QVERIFY(!frm.isVisible());

    // The other button takes Return while it has the focus.
    bringUp(frm);
    frm.Command2->setFocus();
    QTest::keyClick(frm.Command2, Qt::Key_Return);
    AlarmRig::settle();
    QVERIFY(!rig.forms->loaded<AlarmFrm>());
    QCOMPARE(rig.fakes.dialogs.shown().last().text, u"You have cancelled the alarm. No alarm will occur."_s);
    QCOMPARE(rig.window->windowTitle(), u"HUXO 5.1"_s);
}

QTEST_MAIN(tst_AlarmFrm)
#include "tst_AlarmFrm.moc"
