#include <QApplication>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWindow>

#include <memory>

#include "core/Module1.h"
#include "core/SettingsFile.h"
#include "support/CaptionCheck.h"
#include "support/FakeServices.h"
#include "support/FileSizeLimit.h"
#include "support/MainWindowRig.h"
#include "support/ScriptedForms.h"
#include "ui/Forms.h"
#include "ui/GlyphButton.h"
#include "ui/info/HUXOhlp.h"
#include "ui/main/ClockFace.h"
#include "ui/main/huxofrm.h"

using namespace Qt::StringLiterals;

namespace {

// One main window with scripted secondary windows, started from the settings the test stored there.
struct Rig : MainWindowRig<ScriptedForms>
{
    using MainWindowRig::MainWindowRig;

    template <typename W>
    W* control(const char* name) const
    {
        return ::control<W>(*window, name);
    }
    GlyphButton* glyph(const char* name) const { return control<GlyphButton>(name); }
    void click(const char* name) const { QTest::mouseClick(glyph(name), Qt::LeftButton); }
};

// Settings of a program that has run before, with the window at the given outer size in twips.
Settings storedWindow(int height, int width = 7625)
{
    Settings settings;
    settings.SetupDone = Flag::On;
    settings.WinHeight = qint16(height);
    settings.WinWidth = qint16(width);
    settings.CCaption = u"LONDON"_s;
    return settings;
}

// How late after a change of second the clocks may turn over without anyone seeing it.
constexpr int JustAfter = 10;

QStringList captionRow(const huxofrm& window)
{
    QStringList row;
    for (const char* name : {"LocCap", "BCap", "CCap", "DCap", "ECap", "FCap", "GCap"}) {
        row << control<QLabel>(window, name)->text();
    }
    return row;
}

} // namespace

class tst_huxofrm : public QObject
{
    Q_OBJECT

private slots:
    void firstRunGreetsOnceInTheFullWindow();
    void startupCorrectsImpossibleSizes();
    void arrowsHideAndShowTheBands();
    void arrowsAtStartupFollowTheStoredHeight_data();
    void arrowsAtStartupFollowTheStoredHeight();
    void clockSwitchTestsTheStoredWidth();
    void accessoryNeedsMoreThanFiftyBytes_data();
    void accessoryNeedsMoreThanFiftyBytes();
    void accessoryThatFailsIsReportedAndHidden();
    void minimisedCaptionShowsTheChosenClock();
    void tickWaitsForTheNextChangeOfSecond();
    void closingWhileMinimisedStoresTheNormalGeometry();
    void noToAnExitQuestionKeepsRunningAndSavesNothing();
    void onTopButtonAndLocalCaption();
    void whereTheDesktopPlacesWindowsTheyAreLeftToIt();
    void calendarShowsAndHides();
    void mouseOverTipsShowToday();
    void coloursFollowTheScheme();
    void garbageSettingsStillGiveAWorkingWindow();
    void captionsAreReadWholeInTheirColumns();
    void saveFailureAtExitSaysWhatIsLost();
};

void tst_huxofrm::firstRunGreetsOnceInTheFullWindow()
{
    Rig rig;
    huxofrm& window = *rig.window;
    QCOMPARE(window.windowTitle(), u"HUXO 5.1"_s);
    QCOMPARE(window.windowWidth(), 7625);
    QCOMPARE(window.windowHeight(), 2350);
    QCOMPARE(rig.control<QWidget>("CtrlPanel1")->x(), 7440 / 15);
    QVERIFY(!control<QWidget>(window, "DateFrame")->isVisible());
    QCOMPARE(captionRow(window),
             QStringList({u"LOCAL"_s, u"GMT / UTC"_s, u"WELCOME"_s, u"TO"_s, u"HUXO"_s, u"WORLD"_s, u"CLOCKS"_s}));
    QCOMPARE(control<QLabel>(window, "LocTime")->text(), u"09:15"_s);
    // The start-up already stored the arrows' state, so the file exists before the first exit.
    QVERIFY(QFile::exists(rig.iniPath()));
    QCOMPARE(rig.saved().SetupDone, Flag::Off);

    QVERIFY(window.close());
    const Settings afterExit = rig.saved();
    QCOMPARE(afterExit.SetupDone, Flag::On);
    QCOMPARE(afterExit.CCaption, u"WELCOME"_s);
    QCOMPARE(afterExit.DCaption, QString());
    QCOMPARE(afterExit.WinHeight, qint16(2350));
    QCOMPARE(afterExit.WinWidth, qint16(7625));

    // The next start shows the stored captions only.
    rig.window = std::make_unique<huxofrm>(*rig.module, *rig.forms);
    rig.window->Form_Load();
    QCOMPARE(captionRow(*rig.window),
             QStringList({u"LOCAL"_s, u"GMT / UTC"_s, u"WELCOME"_s, QString(), QString(), QString(), QString()}));
}

void tst_huxofrm::startupCorrectsImpossibleSizes()
{
    const Settings tiny = storedWindow(899, 5489);
    Rig rig(&tiny);
    QCOMPARE(rig.window->windowHeight(), 2350);
    QCOMPARE(rig.window->windowWidth(), 5495);
    QCOMPARE(rig.control<QWidget>("CtrlPanel1")->x(), 5310 / 15);
    QCOMPARE(rig.glyph("OntopBtn")->toolTip(), u"more clocks"_s);
}

void tst_huxofrm::arrowsHideAndShowTheBands()
{
    const Settings full = storedWindow(2335);
    Rig rig(&full);
    huxofrm& window = *rig.window;
    QWidget* panel = control<QWidget>(window, "Cpanel");

    rig.click("upgrey");
    QCOMPARE(window.windowHeight(), 1375);
    QCOMPARE(rig.module->AnaloguesHidden, Flag::On);
    QCOMPARE(panel->y(), -950 / 15);
    QVERIFY(rig.glyph("dngreen")->isVisible());
    QVERIFY(!rig.glyph("upgreen")->isVisible());
    QCOMPARE(rig.glyph("dngreen")->toolTip(), u"show analogues"_s);
    QCOMPARE(rig.saved().AnaloguesHidden, Flag::On);
    QCOMPARE(rig.fakes.sound.played().last(), rig.dir.filePath(u"b.wav"_s));

    // Showing the analogues again gives back exactly the band taken away.
    rig.click("dngreen");
    QCOMPARE(window.windowHeight(), 2335);
    QCOMPARE(panel->y(), 20 / 15);
    QCOMPARE(rig.saved().AnaloguesHidden, Flag::Off);
    QVERIFY(!rig.glyph("dnred")->isVisible());
    QVERIFY(rig.glyph("upgreen")->isVisible());

    rig.click("upred");
    QCOMPARE(window.windowHeight(), 2000);
    QVERIFY(rig.glyph("dnred")->isVisible());
    rig.click("dnred");
    QCOMPARE(window.windowHeight(), 2335);
    QVERIFY(!rig.glyph("dnred")->isVisible());

    rig.click("upgreen");
    QCOMPARE(window.windowHeight(), 1590);
    QVERIFY(rig.glyph("dngreen")->isVisible());
    // From 1900 or less the analogues go with everything but the digitals.
    rig.click("upgrey");
    QCOMPARE(window.windowHeight(), 1030);
    QVERIFY(rig.glyph("dnred")->isVisible());
    rig.click("dnred");
    QCOMPARE(window.windowHeight(), 1375);
    rig.click("upred");
    QCOMPARE(window.windowHeight(), 1030);

    rig.click("dngreen");
    QCOMPARE(window.windowHeight(), 1990);
    QCOMPARE(rig.module->AnaloguesHidden, Flag::Off);
    QVERIFY(rig.glyph("dnred")->isVisible());
    // The resize rule keeps the stored height up to date.
    QCOMPARE(rig.module->WinHeight, qint16(1990));
}

void tst_huxofrm::arrowsAtStartupFollowTheStoredHeight_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("hidden");
    QTest::addColumn<bool>("upgreen");
    QTest::addColumn<bool>("dngreen");
    QTest::addColumn<bool>("dnred");

    QTest::newRow("all bands") << 2335 << false << true << false << false;
    QTest::newRow("no days") << 2000 << false << true << false << true;
    QTest::newRow("analogues only") << 1590 << false << false << true << false;
    QTest::newRow("hidden, with days") << 1375 << true << false << true << false;
    QTest::newRow("hidden, digitals only") << 1030 << true << false << true << true;
}

void tst_huxofrm::arrowsAtStartupFollowTheStoredHeight()
{
    QFETCH(int, height);
    QFETCH(bool, hidden);
    Settings stored = storedWindow(height);
    stored.AnaloguesHidden = hidden ? Flag::On : Flag::Off;
    Rig rig(&stored);
    QCOMPARE(rig.window->windowHeight(), height);
    QCOMPARE(control<QWidget>(*rig.window, "Cpanel")->y(), (hidden ? -950 : 20) / 15);
    QTEST(rig.glyph("upgreen")->isVisible(), "upgreen");
    QTEST(rig.glyph("dngreen")->isVisible(), "dngreen");
    QTEST(rig.glyph("dnred")->isVisible(), "dnred");
}

void tst_huxofrm::clockSwitchTestsTheStoredWidth()
{
    const Settings stored = storedWindow(2335, 7501);
    Rig rig(&stored);
    QWidget* panel = rig.control<QWidget>("CtrlPanel1");
    QCOMPARE(rig.window->windowWidth(), 7501);
    QCOMPARE(panel->x(), 7440 / 15);
    QCOMPARE(rig.glyph("OntopBtn")->toolTip(), u"less clocks"_s);

    rig.click("OntopBtn");
    QCOMPARE(rig.window->windowWidth(), 7625);
    QCOMPARE(rig.module->WinWidth, qint16(7625));
    rig.click("OntopBtn");
    QCOMPARE(rig.window->windowWidth(), 5495);
    QCOMPARE(panel->x(), 5310 / 15);
    QCOMPARE(rig.glyph("OntopBtn")->toolTip(), u"more clocks"_s);
    QCOMPARE(rig.window->width(), 5475 / 15);
}

void tst_huxofrm::accessoryNeedsMoreThanFiftyBytes_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("shown");
    QTest::newRow("missing") << -1 << false;
    QTest::newRow("50-byte placeholder") << 50 << false;
    QTest::newRow("51 bytes") << 51 << true;
}

void tst_huxofrm::accessoryNeedsMoreThanFiftyBytes()
{
    QFETCH(int, size);
    QTemporaryDir dir;
    if (size >= 0) {
        QFile accessory(dir.filePath(u"a2.exe"_s));
        QVERIFY(accessory.open(QIODevice::WriteOnly));
        accessory.write(QByteArray(size, 'x'));
    }
    FakeServices fakes;
    Module1 module(fakes.services(), dir.path());
    Forms forms(module);
    huxofrm window(module, forms);
    window.Form_Load();
    window.show();
    QTEST(control<GlyphButton>(window, "Command2")->isVisible(), "shown");
    QVERIFY(!control<GlyphButton>(window, "Command1")->isVisible());
    QVERIFY(!QFile::exists(dir.filePath(u"a1.exe"_s)));
}

void tst_huxofrm::accessoryThatFailsIsReportedAndHidden()
{
    Rig rig;
    for (const char* name : {"a1.exe", "a2.exe"}) {
        QFile accessory(rig.dir.filePath(QLatin1String(name)));
        QVERIFY(accessory.open(QIODevice::WriteOnly));
        accessory.write(QByteArray(64, 'x'));
    }
    rig.window->Form_Load();
    QVERIFY(control<GlyphButton>(*rig.window, "Command1")->isVisible());

    rig.click("Command2");
    QCOMPARE(rig.fakes.launcher.started(), QStringList(rig.dir.filePath(u"a2.exe"_s)));
    QVERIFY(control<GlyphButton>(*rig.window, "Command2")->isVisible());
    QVERIFY(rig.fakes.dialogs.shown().isEmpty());

    // With an alarm set the window's title says so; a message still names the program alone.
    rig.forms->alarm = true;
    rig.window->resize(rig.window->width(), rig.window->height() + 1);
    QCOMPARE(rig.window->windowTitle(), u"HUXO 5.1 (alarm set)"_s);
    rig.fakes.launcher.setFails(true);
    rig.click("Command1");
    QCOMPARE(rig.fakes.dialogs.shown().size(), 1);
    const FakeDialogs::Shown message = rig.fakes.dialogs.shown().first();
    QCOMPARE(message.text, u"File error A1"_s);
    QCOMPARE(message.title, u"HUXO 5.1"_s);
    QCOMPARE(message.icon, Dialogs::Icon::None);
    QCOMPARE(message.buttons, Dialogs::Buttons::Ok);
    QVERIFY(!control<GlyphButton>(*rig.window, "Command1")->isVisible());
}

void tst_huxofrm::minimisedCaptionShowsTheChosenClock()
{
    Settings stored = storedWindow(2335);
    stored.COffset = 5.5;
    Rig rig(&stored);
    huxofrm& window = *rig.window;
    window.setWindowState(Qt::WindowMinimized);
    QTRY_COMPARE(window.windowTitle(), u"09:15:30 Tuesday, December 08 2026 (local) "_s);

    rig.module->TaskbarClock3 = Flag::On;
    rig.fakes.clock.advanceSeconds(1);
    control<QTimer>(window, "Timer1")->setInterval(0);
    QTRY_COMPARE(window.windowTitle(), u"14:45 LONDON  (Tue.) HUXO "_s);

    window.setWindowState(Qt::WindowNoState);
    QCOMPARE(window.windowTitle(), u"HUXO 5.1"_s);
    rig.forms->alarm = true;
    rig.click("upred");
    QCOMPARE(window.windowTitle(), u"HUXO 5.1 (alarm set)"_s);
}

void tst_huxofrm::tickWaitsForTheNextChangeOfSecond()
{
    Rig rig;
    auto* tick = rig.control<QTimer>("Timer1");
    const auto* localTime = rig.control<QLabel>("LocTime");
    QVERIFY(tick && localTime);
    // Fired by hand, the tick must arm itself again; it is then due this long after the clock's reading.
    const auto tickAt = [&](const QDateTime& now) {
        rig.fakes.clock.setNow(now);
        tick->stop();
        QMetaObject::invokeMethod(tick, "timeout");
        return now.addMSecs(tick->interval());
    };
    const QDate today(2026, 12, 8);
    // Part-way through a second, a millisecond before the minute turns, and after the clock was set back to a
    // whole second or forward into the next day.
    for (const QDateTime& now : {QDateTime(today, QTime(9, 15, 31, 250)),
                                 QDateTime(today, QTime(9, 15, 59, 999)),
                                 QDateTime(today, QTime(8, 0, 0, 0)),
                                 QDateTime(today.addDays(1), QTime(23, 30, 10, 500))}) {
        const QString reading = now.toString(u"hh:mm:ss.zzz"_s);
        const QDateTime due = tickAt(now);
        QVERIFY2(tick->isActive(), qPrintable(reading));
        QCOMPARE(localTime->text(), now.toString(u"hh:mm"_s));
        // The next tick comes at the next change of second, not before it and not noticeably after it, so that
        // the clocks turn over with the system clock.
        const QDateTime nextSecond = now.addMSecs(1000 - now.time().msec());
        QVERIFY2(due >= nextSecond && due <= nextSecond.addMSecs(JustAfter), qPrintable(reading));
        // When it comes, the read-outs show the time of the new second.
        tickAt(due);
        QCOMPARE(localTime->text(), nextSecond.toString(u"hh:mm"_s));
    }
}

void tst_huxofrm::closingWhileMinimisedStoresTheNormalGeometry()
{
    Settings stored = storedWindow(2000, 5495);
    stored.WinLeft = 4500;
    stored.WinTop = 3000;
    stored.LocCaption = u"HOME"_s;
    Rig rig(&stored);
    huxofrm& window = *rig.window;
    QCOMPARE(window.pos(), QPoint(300, 200));
    window.setWindowState(Qt::WindowMinimized);
    QSignalSpy unloaded(&window, &huxofrm::unloaded);
    QVERIFY(window.close());
    QCOMPARE(unloaded.count(), 1);
    QVERIFY(!window.isMinimized());

    const Settings saved = rig.saved();
    QCOMPARE(saved.WinLeft, 4500.0f);
    QCOMPARE(saved.WinTop, 3000.0f);
    QCOMPARE(saved.WinHeight, qint16(2000));
    QCOMPARE(saved.WinWidth, qint16(5495));
    QCOMPARE(saved.LocCaption, u"HOME"_s);
    QCOMPARE(saved.SetupDone, Flag::On);
}

void tst_huxofrm::noToAnExitQuestionKeepsRunningAndSavesNothing()
{
    const Settings stored = storedWindow(2335);
    Rig rig(&stored);
    huxofrm& window = *rig.window;
    QFile ini(rig.iniPath());
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray before = ini.readAll();
    ini.close();
    rig.module->CCaption = u"CHANGED"_s;

    rig.forms->alarm = true;
    rig.fakes.dialogs.setNextAnswer(Dialogs::Answer::No);
    QVERIFY(!window.close());
    QCOMPARE(rig.fakes.dialogs.shown().size(), 1);
    QCOMPARE(rig.fakes.dialogs.shown().first().title, u"Warning"_s);
    QCOMPARE(rig.fakes.dialogs.shown().first().icon, Dialogs::Icon::Critical);
    QCOMPARE(rig.fakes.dialogs.shown().first().text,
             u"A reminder alarm has been set in HUXO.  If you exit HUXO now that alarm will not occur. Are you sure "
             "you want to exit?  If you click 'Yes' the alarm will NOT occur."_s);

    rig.forms->alarm = false;
    rig.forms->newsletter = true;
    rig.fakes.dialogs.setNextAnswer(Dialogs::Answer::No);
    QVERIFY(!window.close());
    QCOMPARE(rig.fakes.dialogs.shown().last().text,
             u"If you exit HUXO now your HUXO TIMES will be lost, you could print it by double-clicking PRINT in the "
             "top right-hand corner.  Are you sure you want to exit?"_s);
    QCOMPARE(rig.fakes.dialogs.shown().last().title, u"Be Careful"_s);
    QCOMPARE(rig.fakes.dialogs.shown().last().icon, Dialogs::Icon::Exclamation);
    QVERIFY(window.isVisible());
    QVERIFY(control<QTimer>(window, "Timer1")->isActive());
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QCOMPARE(ini.readAll(), before);
    ini.close();

    // Yes to both questions ends the program and stores what changed.
    rig.forms->alarm = true;
    QVERIFY(window.close());
    QCOMPARE(rig.fakes.dialogs.shown().size(), 4);
    QCOMPARE(rig.saved().CCaption, u"CHANGED"_s);
}

void tst_huxofrm::onTopButtonAndLocalCaption()
{
    Rig rig;
    huxofrm& window = *rig.window;
    GlyphButton* option = rig.glyph("Option1");
    QLabel* localCaption = rig.control<QLabel>("LocCap");
    rig.click("Option1");
    QVERIFY(rig.fakes.windowOrder.isTopmost(&window));
    QVERIFY(option->isChecked());
    QCOMPARE(option->toolTip(), u"double-click to release"_s);
    QCOMPARE(localCaption->toolTip(), u"double-click to release"_s);

    QTest::mouseDClick(option, Qt::LeftButton);
    QVERIFY(!rig.fakes.windowOrder.isTopmost(&window));
    QVERIFY(!option->isChecked());
    QCOMPARE(option->toolTip(), u"click to keep HUXO on top"_s);
    QCOMPARE(localCaption->toolTip(), u"double-click to keep HUXO on top"_s);

    QTest::mouseDClick(localCaption, Qt::LeftButton);
    QVERIFY(option->isChecked());
    QVERIFY(rig.fakes.windowOrder.isTopmost(&window));
    QTest::mouseDClick(localCaption, Qt::LeftButton);
    QVERIFY(!option->isChecked());
    QVERIFY(!rig.fakes.windowOrder.isTopmost(&window));
}

void tst_huxofrm::whereTheDesktopPlacesWindowsTheyAreLeftToIt()
{
    FakeServices fakes;
    fakes.windowOrder.desktopPlaces = true;
    QTemporaryDir dir;
    Module1 module(fakes.services(), dir.path());
    ScriptedForms forms(module);
    huxofrm window(module, forms);
    window.Form_Load();
    window.show();

    // The pin names the desktop's own command instead of doing nothing.
    GlyphButton* option = control<GlyphButton>(window, "Option1");
    QVERIFY(!option->isEnabled());
    QVERIFY2(option->toolTip().contains(u"Always on Top"_s), qPrintable(option->toolTip()));
    QTest::mouseDClick(control<QLabel>(window, "LocCap"), Qt::LeftButton);
    QVERIFY(!option->isChecked());
    QVERIFY(!window.keptOnTop());

    // A secondary window belongs to the main window, which the desktop opens it by.
    QWidget& help = forms.get<HUXOhlp>();
    QVERIFY(help.windowHandle());
    QCOMPARE(help.windowHandle()->transientParent(), window.windowHandle());
    forms.unloadAll();
}

void tst_huxofrm::calendarShowsAndHides()
{
    Settings stored = storedWindow(2335);
    stored.CalShown = Flag::On;
    Rig rig(&stored);
    huxofrm& window = *rig.window;
    const QWidget* calendar = rig.control<QWidget>("DateFrame");
    QVERIFY(calendar->isVisible());
    QCOMPARE(control<QLabel>(window, "DateLbl")->text(), u"8"_s);
    QCOMPARE(control<QLabel>(window, "DayLbl")->text(), u"Tuesday"_s);
    QCOMPARE(control<QLabel>(window, "MonthLbl")->text(), u"December"_s);
    QCOMPARE(control<QLabel>(window, "YrLbl")->text(), u"2026"_s);

    QTest::mouseDClick(control<QLabel>(window, "MonthLbl"), Qt::LeftButton);
    QVERIFY(!calendar->isVisible());
    QCOMPARE(rig.module->CalShown, Flag::Off);
    QTest::mouseDClick(rig.glyph("Image5"), Qt::LeftButton);
    QVERIFY(calendar->isVisible());
    QCOMPARE(rig.module->CalShown, Flag::On);
    QTest::mouseDClick(rig.glyph("Image4"), Qt::LeftButton);
    QVERIFY(!calendar->isVisible());

    // At the first full minute after midnight the calendar turns over with the clocks.
    rig.fakes.clock.setNow(QDateTime(QDate(2026, 12, 9), QTime(0, 0, 1)));
    window.clockModel().DoTick();
    QCOMPARE(control<QLabel>(window, "DateLbl")->text(), u"9"_s);
}

void tst_huxofrm::mouseOverTipsShowToday()
{
    Rig rig;
    huxofrm& window = *rig.window;
    const auto enter = [](QWidget* control) {
        QEnterEvent event(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(control, &event);
        return control->toolTip();
    };
    ClockFace* localFace = rig.control<ClockFace>("LC");
    QCOMPARE(localFace->toolTip(), u"local (system) time - double click for options"_s);
    QVERIFY(enter(localFace).startsWith(u"local time "_s));
    QCOMPARE(enter(localFace), u"local time "_s + QLocale().toString(QDate(2026, 12, 8), QLocale::ShortFormat));
    QCOMPARE(enter(rig.glyph("Image3")), u"Tuesday December 08 2026"_s);
    QCOMPARE(enter(control<QLabel>(window, "DateLbl")), u"December 2026"_s);
    QCOMPARE(enter(control<QLabel>(window, "DayLbl")), u"December 2026"_s);
    QCOMPARE(enter(control<QLabel>(window, "MonthLbl")), u"Tuesday 08 2026"_s);
    QCOMPARE(enter(control<QLabel>(window, "YrLbl")), u"Tuesday December 08"_s);

    GlyphButton* hotSpot = rig.glyph("DispChgBox");
    enter(hotSpot);
    QCOMPARE(hotSpot->colour(), QColor(255, 0, 0));
    enter(control<ClockFace>(window, "GC"));
    QCOMPARE(hotSpot->colour(), QColor(128, 0, 0));
    enter(hotSpot);
    QTest::mousePress(hotSpot, Qt::LeftButton);
    QCOMPARE(hotSpot->colour(), QColor(128, 0, 0));
}

void tst_huxofrm::coloursFollowTheScheme()
{
    Settings stored = storedWindow(2335);
    stored.ColourScheme = Colours::Black;
    Rig rig(&stored);
    huxofrm& window = *rig.window;
    for (QWidget* surface :
         {static_cast<QWidget*>(&window), control<QWidget>(window, "Cpanel"), rig.control<QWidget>("CtrlPanel1")}) {
        QCOMPARE(surface->palette().color(QPalette::Window), QColor(0, 0, 0));
    }
    QCOMPARE(control<ClockFace>(window, "EC")->backColor(), QColor(0, 0, 0));
    QCOMPARE(control<QLabel>(window, "CCap")->palette().color(QPalette::WindowText), QColor(255, 255, 255));

    rig.module->ColourScheme = Colours::System;
    window.ColChg();
    QCOMPARE(control<QLabel>(window, "CCap")->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    QCOMPARE(control<ClockFace>(window, "EC")->backColor(), QApplication::palette().color(QPalette::Button));
    for (QLabel* readout : {control<QLabel>(window, "LocTime"), control<QLabel>(window, "GTime")}) {
        QCOMPARE(readout->palette().color(QPalette::WindowText), QColor(0, 255, 0));
        QCOMPARE(readout->palette().color(QPalette::Window), QColor(0, 0, 0));
    }
    QCOMPARE(control<QLabel>(window, "GDay")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
}

void tst_huxofrm::garbageSettingsStillGiveAWorkingWindow()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"huxo.ini"_s);
    QRandomGenerator random(8122026);
    FakeServices fakes;
    fakes.clock.setNow(QDateTime(QDate(2026, 12, 8), QTime(23, 59, 58)));
    for (int length = 0; length <= 2000; ++length) {
        QByteArray garbage(length, '\0');
        random.fillRange(reinterpret_cast<quint32*>(garbage.data()), length / 4);
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QCOMPARE(file.write(garbage), qint64(length));
        }
        Module1 module(fakes.services(), dir.path());
        ScriptedForms forms(module);
        huxofrm window(module, forms);
        window.Form_Load();
        window.show();
        QVERIFY(window.windowWidth() >= 5495);
        QVERIFY(window.windowHeight() >= 900);
        for (const char* name : {"LocTime", "GMTtime", "CTime", "GTime"}) {
            const QLabel* time = control<QLabel>(window, name);
            QVERIFY2(QTime::fromString(time->text(), u"hh:mm"_s).isValid(), qPrintable(time->text()));
        }
        QVERIFY(window.close());
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(SettingsFile::decode(saved.readAll()).SetupDone, Flag::On);
    }
    QVERIFY(fakes.dialogs.shown().isEmpty());
}

void tst_huxofrm::captionsAreReadWholeInTheirColumns()
{
    Settings stored = storedWindow(2335);
    Rig rig(&stored);
    for (QLabel* label : {control<QLabel>(*rig.window, "CCap"), control<QLabel>(*rig.window, "GCap")}) {
        auto* caption = qobject_cast<CaptionLabel*>(label);
        QVERIFY(caption);
        for (const QString& text : captionsToShowWhole()) {
            caption->setText(text);
            const QString fault = captionFault(*caption);
            QVERIFY2(fault.isEmpty(), qPrintable(fault));
        }
    }

    // Fifteen of the widest letters do not fit any size that can still be read: cut short, and whole in the tip,
    // ahead of what the tip says anyway.
    auto* alarmCaption = qobject_cast<CaptionLabel*>(control<QLabel>(*rig.window, "GCap"));
    alarmCaption->setText(u"WWWWWWWWWWWWWWW"_s);
    QVERIFY(alarmCaption->shownText().endsWith(u'\u2026'));
    QVERIFY(!inkAtTheEdges(*alarmCaption));
    QHelpEvent hover(QEvent::ToolTip, QPoint(5, 5), alarmCaption->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(alarmCaption, &hover);
    QTRY_COMPARE(QToolTip::text(), u"WWWWWWWWWWWWWWW\ndouble-click for alarm settings"_s);
    QCOMPARE(alarmCaption->toolTip(), u"double-click for alarm settings"_s);
}

void tst_huxofrm::saveFailureAtExitSaysWhatIsLost()
{
    Settings stored = storedWindow(2335);
    Rig rig(&stored);
    rig.fakes.dialogs.clear();
    {
        const FileSizeLimit fullDisk(200);
        QVERIFY(fullDisk.isActive());
        QVERIFY(rig.window->close());
    }
    QCOMPARE(rig.fakes.dialogs.shown().size(), 1);
    const QString text = rig.fakes.dialogs.shown().first().text;
    QVERIFY2(text.contains(u"HUXO will start next time with the settings it last saved."_s), qPrintable(text));
    QVERIFY2(!text.contains(u"until HUXO is closed"_s), qPrintable(text));
}

QTEST_MAIN(tst_huxofrm)
#include "tst_huxofrm.moc"
