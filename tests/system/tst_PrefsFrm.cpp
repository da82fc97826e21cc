#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "SystemRig.h"
#include "core/Twips.h"
#include "support/Control.h"
#include "ui/GlyphButton.h"
#include "ui/main/MainColours.h"
#include "ui/system/PrefsFrm.h"

using namespace Qt::StringLiterals;

namespace {

const QString ScheduleMessage = u"The time set in the Auto Scheduler must be in the form HH:MM (24 hour clock)."_s;

Settings storedScheme(Colours scheme)
{
    Settings stored;
    stored.ColourScheme = scheme;
    return stored;
}

QColor backgroundOf(const QWidget* surface)
{
    return surface->palette().color(QPalette::Window);
}

} // namespace

class tst_PrefsFrm : public QObject
{
    Q_OBJECT

private slots:
    void loadShowsTheSettings();
    void optionsWriteTheirSettings();
    void scheduleTimeIsCheckedOnClosing_data();
    void scheduleTimeIsCheckedOnClosing();
    void storedScheduleTimeIsRepairedAtLoad_data();
    void storedScheduleTimeIsRepairedAtLoad();
    void emptyProxyNameShowsThePlaceholder();
    void connectionFrameGrowsForTheProxy();
    void loadRecoloursOnlyWithSystemColours();
    void blackRecoloursOnlyAfterTheMouseWasOverIt();
    void blackChosenByKeyboardRecolours();
    void autoCorrectBoxEnablesTheSchedule();
    void schedulerFrameFollowsTheSetting();
    void mouseOverTheWindowDimsTheHotSpot();
    void preferencesBoxOpensIt();
};

void tst_PrefsFrm::loadShowsTheSettings()
{
    Settings stored;
    stored.StartMin = Flag::On;
    stored.TaskbarClock3 = Flag::On;
    stored.ACTOn = Flag::On;
    stored.ACTUpdates = Flag::On;
    stored.ACTime = u"06:30"_s;
    stored.NetAccess = Connection::Direct;
    stored.ProxyName = u"cache.test"_s;
    SystemRig rig(stored);
    QTest::mouseClick(control<GlyphButton>(*rig.window, "Option1"), Qt::LeftButton);
    QVERIFY(rig.fakes.windowOrder.isTopmost(rig.window.get()));

    PrefsFrm& frm = rig.forms->get<PrefsFrm>();
    QCOMPARE(frm.windowTitle(), u"HUXO Preferences"_s);
    QVERIFY(!rig.fakes.windowOrder.isTopmost(rig.window.get()));
    QVERIFY(!control<GlyphButton>(*rig.window, "Option1")->isChecked());
    QVERIFY(control<QRadioButton>(frm, "MinOpt")->isChecked());
    QVERIFY(control<QRadioButton>(frm, "Option1")->isChecked());
    QVERIFY(control<QCheckBox>(frm, "AutoChk")->isChecked());
    QVERIFY(control<QCheckBox>(frm, "GetCTchk")->isChecked());
    QCOMPARE(control<QLineEdit>(frm, "AutCorrTime")->text(), u"06:30"_s);
    QVERIFY(control<QRadioButton>(frm, "DirectOpt")->isChecked());
    QCOMPARE(control<QLineEdit>(frm, "Text1")->text(), u"cache.test"_s);
    QVERIFY(control<QRadioButton>(frm, "Option2")->isChecked());
    QCOMPARE(frm.ColArmed, Flag::Off);
}

void tst_PrefsFrm::optionsWriteTheirSettings()
{
    SystemRig rig;
    PrefsFrm& frm = rig.forms->get<PrefsFrm>();
    frm.show();
    choose(control<QRadioButton>(frm, "Option1"));
    QCOMPARE(rig.module->TaskbarClock3, Flag::On);
    choose(control<QRadioButton>(frm, "Option3"));
    QCOMPARE(rig.module->TaskbarClock3, Flag::Off);
    choose(control<QRadioButton>(frm, "MinOpt"));
    QCOMPARE(rig.module->StartMin, Flag::On);
    choose(control<QRadioButton>(frm, "NormOpt"));
    QCOMPARE(rig.module->StartMin, Flag::Off);
    choose(control<QRadioButton>(frm, "Proxy"));
    QCOMPARE(rig.module->NetAccess, Connection::Proxy);
    choose(control<QRadioButton>(frm, "SystemOpt"));
    QCOMPARE(rig.module->NetAccess, Connection::SystemSettings);
}

void tst_PrefsFrm::scheduleTimeIsCheckedOnClosing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("one-digit hour") << u"5:45"_s << u"05:45"_s << true;
    QTest::newRow("blanks around") << u" 23:59 "_s << u"23:59"_s << true;
    QTest::newRow("midnight") << u"00:00"_s << u"00:00"_s << true;
    QTest::newRow("hour 24") << u"24:00"_s << u"05:45"_s << false;
    QTest::newRow("minute 60") << u"12:60"_s << u"05:45"_s << false;
    QTest::newRow("letters") << u"dawn"_s << u"05:45"_s << false;
    QTest::newRow("empty") << QString() << u"05:45"_s << false;
}

void tst_PrefsFrm::scheduleTimeIsCheckedOnClosing()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(bool, accepted);
    Settings before;
    before.ACTOn = Flag::On;
    SystemRig rig(before);
    PrefsFrm& frm = rig.forms->get<PrefsFrm>();
    frm.show();
    retype(control<QLineEdit>(frm, "AutCorrTime"), typed);
    choose(control<QCheckBox>(frm, "GetCTchk"));

    QCOMPARE(frm.close(), accepted);
    QCOMPARE(rig.module->ACTime, std::optional<QString>(stored));
    QCOMPARE(rig.module->ACTUpdates, Flag::On);
    QVERIFY(control<QTimer>(*rig.window, "ACTTimer")->isActive());
    if (accepted) {
        QVERIFY(rig.fakes.dialogs.shown().isEmpty());
        QVERIFY(!rig.forms->loaded<PrefsFrm>());
        QCOMPARE(rig.saved().ACTime, std::optional<QString>(stored));
        QCOMPARE(rig.saved().ACTUpdates, Flag::On);
    } else {
        QCOMPARE(rig.fakes.dialogs.shown().size(), 1);
        QCOMPARE(rig.fakes.dialogs.shown()[0].text, ScheduleMessage);
        QCOMPARE(rig.fakes.dialogs.shown()[0].title, u"HUXO 5.1"_s);
        QCOMPARE(rig.forms->loaded<PrefsFrm>(), &frm);
        QVERIFY(frm.isVisible());
        QCOMPARE(control<QLineEdit>(frm, "AutCorrTime")->text(), typed);
    }
}

void tst_PrefsFrm::storedScheduleTimeIsRepairedAtLoad_data()
{
    QTest::addColumn<std::optional<QString>>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("kept") << std::optional<QString>(u"07:15"_s) << u"07:15"_s;
    QTest::newRow("no colon") << std::optional<QString>(u"0545"_s) << u"05:45"_s;
    QTest::newRow("one final digit") << std::optional<QString>(u"5:4"_s) << u"05:45"_s;
    QTest::newRow("no value") << std::optional<QString>() << u"05:45"_s;
}

void tst_PrefsFrm::storedScheduleTimeIsRepairedAtLoad()
{
    QFETCH(std::optional<QString>, stored);
    QFETCH(QString, shown);
    Settings before;
    before.ACTime = stored;
    SystemRig rig(before);
    PrefsFrm& frm = rig.forms->get<PrefsFrm>();
    QCOMPARE(control<QLineEdit>(frm, "AutCorrTime")->text(), shown);
    QCOMPARE(rig.module->ACTime, std::optional<QString>(shown));
}

void tst_PrefsFrm::emptyProxyNameShowsThePlaceholder()
{
    SystemRig rig;
    PrefsFrm& frm = rig.forms->get<PrefsFrm>();
    QCOMPARE(control<QLineEdit>(frm, "Text1")->text(), u"www.proxy."_s);
    QCOMPARE(rig.module->ProxyName, u"www.proxy."_s);
    QCOMPARE(control<QLineEdit>(frm, "Text1")->maxLength(), 30);

    frm.show();
    retype(control<QLineEdit>(frm, "Text1"), u"  cache.test:3128 "_s);
    QCOMPARE(rig.module->ProxyName, u"cache.test:3128"_s);
}

void tst_PrefsFrm::connectionFrameGrowsForTheProxy()
{
    Settings stored;
    stored.NetAccess = Connection::Proxy;
    SystemRig rig(stored);
    PrefsFrm& frm = rig.forms->get<PrefsFrm>();
    frm.show();
    QGroupBox* connection = control<QGroupBox>(frm, "Frame4");
    QRadioButton* proxy = control<QRadioButton>(frm, "Proxy");
    const auto proxyBoxUncovered = [&frm, connection] {
        return control<QLineEdit>(frm, "Text1")->geometry().bottom() < connection->height();
    };
    QVERIFY(proxy->isChecked());
    QCOMPARE(connection->height(), Twips::toPixels(1215));
    QVERIFY(proxyBoxUncovered());
    QVERIFY(connection->geometry().bottom() < frm.height());

    choose(control<QRadioButton>(frm, "SystemOpt"));
    QCOMPARE(connection->height(), Twips::toPixels(630));
    QVERIFY(!proxyBoxUncovered());
    choose(proxy);
    QCOMPARE(connection->height(), Twips::toPixels(1215));
    choose(control<QRadioButton>(frm, "DirectOpt"));
    QCOMPARE(connection->height(), Twips::toPixels(630));
}

void tst_PrefsFrm::loadRecoloursOnlyWithSystemColours()
{
    SystemRig systemColours(storedScheme(Colours::System));
    systemColours.forms->get<PrefsFrm>();
    QCOMPARE(systemColours.module->Redraw, RedrawRequest::ColoursChanged);
    QCOMPARE(systemColours.module->ColourScheme, Colours::System);

    SystemRig black(storedScheme(Colours::Black));
    PrefsFrm& frm = black.forms->get<PrefsFrm>();
    QVERIFY(control<QRadioButton>(frm, "Black")->isChecked());
    QCOMPARE(black.module->Redraw, RedrawRequest::None);
    QCOMPARE(black.module->ColourScheme, Colours::Black);
    QCOMPARE(backgroundOf(control<QWidget>(*black.window, "Cpanel")), QColor(0, 0, 0));
}

void tst_PrefsFrm::blackRecoloursOnlyAfterTheMouseWasOverIt()
{
    SystemRig rig(storedScheme(Colours::System));
    PrefsFrm& frm = rig.forms->get<PrefsFrm>();
    frm.show();
    QRadioButton* black = control<QRadioButton>(frm, "Black");
    QRadioButton* systemColours = control<QRadioButton>(frm, "Option2");
    rig.module->Redraw = RedrawRequest::None;
    black->setChecked(true);
    QCOMPARE(rig.module->ColourScheme, Colours::System);
    QCOMPARE(rig.module->Redraw, RedrawRequest::None);

    choose(systemColours);
    mouseOver(black);
    QCOMPARE(frm.ColArmed, Flag::On);
    choose(black);
    QCOMPARE(rig.module->ColourScheme, Colours::Black);
    QCOMPARE(rig.module->Redraw, RedrawRequest::ColoursChanged);
    QCOMPARE(backgroundOf(control<QWidget>(*rig.window, "Cpanel")), QColor(0, 0, 0));

    choose(systemColours);
    QCOMPARE(rig.module->ColourScheme, Colours::System);
    QVERIFY(backgroundOf(control<QWidget>(*rig.window, "Cpanel")) != QColor(0, 0, 0));
    QVERIFY(frm.close());
    QCOMPARE(frm.ColArmed, Flag::Off);
}

void tst_PrefsFrm::blackChosenByKeyboardRecolours()
{
    SystemRig rig(storedScheme(Colours::System));
    PrefsFrm& frm = rig.forms->get<PrefsFrm>();
    frm.show();
    QVERIFY(QTest::qWaitForWindowActive(&frm));
    QRadioButton* systemColours = control<QRadioButton>(frm, "Option2");
    systemColours->setFocus();
    QTest::keyClick(systemColours, Qt::Key_Right);
    QVERIFY(control<QRadioButton>(frm, "Black")->isChecked());
    QCOMPARE(rig.module->ColourScheme, Colours::Black);
    QCOMPARE(backgroundOf(control<QWidget>(*rig.window, "Cpanel")), QColor(0, 0, 0));
}

void tst_PrefsFrm::autoCorrectBoxEnablesTheSchedule()
{
    SystemRig rig;
    PrefsFrm& frm = rig.forms->get<PrefsFrm>();
    frm.show();
    QCheckBox* autoCorrect = control<QCheckBox>(frm, "AutoChk");
    QLineEdit* time = control<QLineEdit>(frm, "AutCorrTime");
    QCheckBox* updates = control<QCheckBox>(frm, "GetCTchk");
    QVERIFY(!autoCorrect->isChecked());
    QVERIFY(!time->isEnabled());
    QVERIFY(!updates->isEnabled());

    choose(autoCorrect);
    QVERIFY(time->isEnabled());
    QVERIFY(updates->isEnabled());
    QCOMPARE(rig.module->ACTOn, Flag::Off);

    QVERIFY(frm.close());
    QCOMPARE(rig.module->ACTOn, Flag::On);
    QVERIFY(control<QTimer>(*rig.window, "ACTTimer")->isActive());
}

void tst_PrefsFrm::schedulerFrameFollowsTheSetting()
{
    SystemRig rig;
    PrefsFrm& frm = rig.forms->get<PrefsFrm>();
    QTimer* scheduler = control<QTimer>(*rig.window, "ACTTimer");
    rig.module->ACTOn = Flag::On;
    QGroupBox* schedulerFrame = control<QGroupBox>(frm, "Frame7");
    mouseOver(schedulerFrame);
    QVERIFY(scheduler->isActive());
    const int remaining = scheduler->remainingTime();
    mouseOver(schedulerFrame);
    QVERIFY(scheduler->remainingTime() <= remaining);

    rig.module->ACTOn = Flag::Off;
    mouseOver(schedulerFrame);
    QVERIFY(!scheduler->isActive());
}

void tst_PrefsFrm::mouseOverTheWindowDimsTheHotSpot()
{
    SystemRig rig;
    PrefsFrm& frm = rig.forms->get<PrefsFrm>();
    control<GlyphButton>(*rig.window, "DispChgBox")->setColour(MainColours::HotSpotBright);
    mouseOver(&frm);
    QCOMPARE(control<GlyphButton>(*rig.window, "DispChgBox")->colour(), MainColours::HotSpotDark);
}

void tst_PrefsFrm::preferencesBoxOpensIt()
{
    SystemRig rig;
    QTest::mouseClick(control<GlyphButton>(*rig.window, "DispChgBox"), Qt::LeftButton);
    PrefsFrm* frm = rig.forms->loaded<PrefsFrm>();
    QVERIFY(frm);
    QVERIFY(frm->isVisible());
    QCOMPARE(control<GlyphButton>(*rig.window, "DispChgBox")->colour(), MainColours::HotSpotDark);
}

QTEST_MAIN(tst_PrefsFrm)
#include "tst_PrefsFrm.moc"
