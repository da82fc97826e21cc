#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <memory>

#include "core/Module1.h"
#include "core/SettingsFile.h"
#include "core/Twips.h"
#include "support/Control.h"
#include "support/FakeServices.h"
#include "support/MainWindowRig.h"
#include "support/UserInput.h"
#include "ui/Forms.h"
#include "ui/main/ClockFace.h"
#include "ui/main/huxofrm.h"
#include "ui/settings/MapViewport.h"
#include "ui/settings/PressLabel.h"
#include "ui/settings/SetTimeFrm.h"
#include "zones/DstText.h"
#include "zones/HotSpots.h"
#include "zones/ZoneTable.h"

using namespace Qt::StringLiterals;

namespace {

// The main window and its clock settings window in a program folder of their own, on a fake clock.
struct Rig : MainWindowRig<>
{
    explicit Rig(const Settings& stored = Settings{})
        : MainWindowRig(&stored)
    {
    }

    SetTimeFrm& open(const char* clock, const QString& caption = u"WELCOME"_s)
    {
        return SetTimeFrm::showFor(*forms, QString::fromLatin1(clock), caption);
    }
    SetTimeFrm* frm() const { return forms->loaded<SetTimeFrm>(); }
    PressLabel* area(int number) const
    {
        return control<PressLabel>(frm(), QByteArray("Image" + QByteArray::number(number)).constData());
    }
    void press(int number, Qt::MouseButton button = Qt::LeftButton) const { QTest::mousePress(area(number), button); }
    // A place of the map where the area takes a press, as the window finds the area for a real press.
    QPoint placeOf(int number) const
    {
        const QRect rect = area(number)->geometry();
        const QWidget* map = control<QWidget>(frm(), "Map");
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                if (map->childAt(x, y) == area(number)) {
                    return {x, y};
                }
            }
        }
        return {-1, -1};
    }
    void pressHours(Qt::MouseButton button, int times = 1) const
    {
        for (int i = 0; i < times; ++i) {
            QTest::mousePress(control<QLabel>(frm(), "HourLbl"), button);
        }
    }
    QStringList places() const
    {
        const QListWidget* list = control<QListWidget>(frm(), "CityList");
        QStringList shown;
        for (int row = 0; row < list->count(); ++row) {
            shown << list->item(row)->text();
        }
        return shown;
    }
    void writeDst(const QByteArray& text) const
    {
        QFile file(dir.filePath(u"dst.txt"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        const auto length = quint16(text.size());
        file.write(QByteArray(1, char(length & 0xFF)) + QByteArray(1, char(length >> 8)) + text);
    }
};

Settings withClockC(float offset, qint16 hourOn, const QString& caption)
{
    Settings settings;
    settings.SetupDone = Flag::On;
    settings.COffset = offset;
    settings.CHourOn = hourOn;
    settings.CCaption = caption;
    settings.DCaption = u"TOKYO"_s;
    settings.DOffset = 9;
    return settings;
}

QString shownNotice()
{
    return DstText::builtInNotice().replace(u"\r\n"_s, u"\n"_s);
}

} // namespace

class tst_SetTimeFrm : public QObject
{
    Q_OBJECT

private slots:
    void openingShowsTheClocksSettings();
    void minusTwoAreaHasNoPlaces();
    void halfHourAreaProposesItsFirstPlace();
    void rightButtonSelectsButImage87WaitsForAClick();
    void hoursWrapAndHalfHoursFollowThem();
    void zeroHoursWithThirtyIsEast();
    void newfoundlandIsReachedByHand();
    void everyZoneIsSetByTheDisplays_data();
    void everyZoneIsSetByTheDisplays();
    void seasonalHourToggles();
    void activationDiscardsUnappliedEdits();
    void gmtClockStoresTheNegatedZoneAndNeverItsCaption();
    void applyStoresTheClockAndTheTipsFollow();
    void hourDisplayScrollsTheMapUntilAMapClick();
    void wrappedMapAnswersPressesOnItsOtherEnd();
    void noticeStandsInForAMissingOrShortFile();
    void longFileIsShownAndKeptForLaterShortReads();
    void closeBoxClosesOnlyTheTextFirst();
    void headingDoubleClickShowsTheTextAndEscapeClosesIt();
    void arrowKeysChooseAPlaceForTheCaption();
    void captionBoxRefusesWhatTheFileCannotKeep();
    void faceToMapToApplyShowsTheNewTime();
    void applyingTheGmtClockRedrawsEveryFaceSetFromIt();
    void aClockIsSetByKeyboardAlone();
};

void tst_SetTimeFrm::openingShowsTheClocksSettings()
{
    Rig rig(withClockC(-3.5f, 1, u"RIO"_s));
    SetTimeFrm& frm = rig.open("C", u"RIO"_s);
    QLabel* hourDisplay = control<QLabel>(frm, "HourLbl");
    QLabel* minuteDisplay = control<QLabel>(frm, "MinLbl");
    QLabel* summerHour = control<QLabel>(frm, "HourOnLbl");
    QCOMPARE(frm.windowTitle(), u"Settings for Clock 3"_s);
    QCOMPARE(control<QPushButton>(frm, "ApplyBtn")->toolTip(), u"save changes to clock 3"_s);
    QCOMPARE(hourDisplay->text(), u"-3"_s);
    QCOMPARE(minuteDisplay->text(), u"30"_s);
    QCOMPARE(summerHour->text(), u"+1"_s);
    QCOMPARE(control<QLineEdit>(frm, "LTxt")->text(), u"RIO"_s);
    QCOMPARE(rig.places(), QStringList({u"Newfoundland"_s}));
    QVERIFY(control<QWidget>(frm, "GMTpanel1")->isHidden());
    QVERIFY(control<QListWidget>(frm, "CityList")->isEnabled());
    QCOMPARE(control<QLabel>(frm, "InfoDisply")->text(),
             u"USE THE SCROLL BAR TO FIND THE LOCATION ON THE MAP THEN CLICK THAT AREA."_s);
    QVERIFY(rig.fakes.sound.played().contains(rig.module->programFile(u"b.wav"_s)));
    QVERIFY(rig.fakes.windowOrder.isTopmost(&frm));

    SetTimeFrm& again = rig.open("D", u"TOKYO"_s);
    QCOMPARE(&again, &frm);
    QCOMPARE(frm.windowTitle(), u"Settings for Clock 4"_s);
    QCOMPARE(hourDisplay->text(), u"+9"_s);
    QCOMPARE(minuteDisplay->text(), u"00"_s);
    QCOMPARE(summerHour->text(), u"0"_s);
}

void tst_SetTimeFrm::minusTwoAreaHasNoPlaces()
{
    Rig rig(withClockC(5, 0, u"KARACHI"_s));
    rig.open("C");
    rig.fakes.sound.clear();
    rig.press(19);
    QCOMPARE(rig.places(), QStringList());
    QCOMPARE(control<QLabel>(rig.frm(), "HourLbl")->text(), u"-2"_s);
    QCOMPARE(control<QLabel>(rig.frm(), "MinLbl")->text(), u"00"_s);
    QCOMPARE(control<QLineEdit>(rig.frm(), "LTxt")->text(), QString());
    QCOMPARE(rig.module->SetOffset, -2.0f);
    QCOMPARE(rig.fakes.sound.played(), QStringList({rig.module->programFile(u"a.wav"_s)}));
}

void tst_SetTimeFrm::halfHourAreaProposesItsFirstPlace()
{
    Rig rig(withClockC(5.5f, 0, u"MY TOWN"_s));
    rig.open("C", u"MY TOWN"_s);
    QLineEdit* caption = control<QLineEdit>(rig.frm(), "LTxt");
    QListWidget* places = control<QListWidget>(rig.frm(), "CityList");
    caption->setText(u"TYPING"_s);
    rig.press(49);
    QCOMPARE(control<QLabel>(rig.frm(), "HourLbl")->text(), u"+5"_s);
    QCOMPARE(control<QLabel>(rig.frm(), "MinLbl")->text(), u"30"_s);
    QCOMPARE(rig.places(), QStringList({u"BOMBAY"_s, u"CALCUTTA"_s, u"COLOMBO"_s, u"NEW DELHI"_s}));
    // The same offset as before still replaces the caption being typed.
    QCOMPARE(caption->text(), u"BOMBAY"_s);
    QCOMPARE(rig.module->SetCaption, u"BOMBAY"_s);
    QCOMPARE(rig.module->NoAutoScroll, Flag::On);

    QTest::mouseClick(places->viewport(), Qt::LeftButton, {}, places->visualItemRect(places->item(2)).center());
    QCOMPARE(caption->text(), u"COLOMBO"_s);
}

void tst_SetTimeFrm::rightButtonSelectsButImage87WaitsForAClick()
{
    Rig rig;
    rig.open("C");
    rig.press(5, Qt::RightButton);
    QCOMPARE(rig.module->SetOffset, -11.0f);
    QCOMPARE(control<QLabel>(rig.frm(), "HourLbl")->text(), u"-11"_s);

    rig.press(87, Qt::RightButton);
    rig.press(87, Qt::LeftButton);
    QCOMPARE(rig.module->SetOffset, -11.0f);
    QTest::mouseRelease(rig.area(87), Qt::LeftButton);
    QCOMPARE(rig.module->SetOffset, 2.0f);
    QCOMPARE(control<QLineEdit>(rig.frm(), "LTxt")->text(), u"ANKARA"_s);
}

void tst_SetTimeFrm::hoursWrapAndHalfHoursFollowThem()
{
    Rig rig;
    rig.open("C");
    QLabel* hourDisplay = control<QLabel>(rig.frm(), "HourLbl");
    QLabel* minuteDisplay = control<QLabel>(rig.frm(), "MinLbl");
    rig.press(64); // +12
    rig.pressHours(Qt::RightButton, 3);
    QCOMPARE(hourDisplay->text(), u"-12"_s);
    QCOMPARE(rig.module->SetOffset, -12.0f);
    rig.pressHours(Qt::LeftButton);
    QCOMPARE(hourDisplay->text(), u"+14"_s);
    rig.pressHours(Qt::MiddleButton);
    QCOMPARE(hourDisplay->text(), u"+14"_s);

    rig.press(45); // +5
    QTest::mouseClick(minuteDisplay, Qt::LeftButton);
    QCOMPARE(minuteDisplay->text(), u"30"_s);
    QCOMPARE(rig.module->SetOffset, 5.5f);
    QCOMPARE(rig.places().value(0), u"BOMBAY"_s);
    rig.pressHours(Qt::LeftButton, 6);
    QCOMPARE(hourDisplay->text(), u"-1"_s);
    QCOMPARE(rig.module->SetOffset, -1.5f);
    QCOMPARE(rig.places(), QStringList());
}

void tst_SetTimeFrm::zeroHoursWithThirtyIsEast()
{
    Rig rig;
    rig.open("C");
    QLabel* minuteDisplay = control<QLabel>(rig.frm(), "MinLbl");
    rig.press(23); // -1
    rig.pressHours(Qt::RightButton);
    QCOMPARE(control<QLabel>(rig.frm(), "HourLbl")->text(), u"0"_s);
    QTest::mouseClick(minuteDisplay, Qt::LeftButton);
    QCOMPARE(rig.module->SetOffset, 0.5f);
    QTest::mouseClick(minuteDisplay, Qt::LeftButton);
    QCOMPARE(rig.module->SetOffset, 0.75f);
    QTest::mouseClick(minuteDisplay, Qt::LeftButton);
    QCOMPARE(rig.module->SetOffset, 0.0f);
    QCOMPARE(rig.places().value(0), u"ALGIERS"_s);
}

void tst_SetTimeFrm::newfoundlandIsReachedByHand()
{
    Rig rig;
    rig.open("C");
    rig.pressHours(Qt::LeftButton, 3);
    QTest::mouseClick(control<QLabel>(rig.frm(), "MinLbl"), Qt::LeftButton);
    QCOMPARE(control<QLabel>(rig.frm(), "HourLbl")->text(), u"-3"_s);
    QCOMPARE(rig.module->SetOffset, -3.5f);
    QCOMPARE(rig.places(), QStringList({u"Newfoundland"_s}));
}

void tst_SetTimeFrm::everyZoneIsSetByTheDisplays_data()
{
    QTest::addColumn<int>("hourPresses"); // right button presses, or left ones where negative
    QTest::addColumn<int>("minuteClicks");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<float>("offset");
    QTest::addColumn<QString>("firstPlace");
    QTest::newRow("+14") << 14 << 1 << u"+14:00"_s << 14.0f << u"KIRITIMATI"_s;
    QTest::newRow("+13") << 13 << 0 << u"+13:00"_s << 13.0f << u"APIA"_s;
    QTest::newRow("+12:45") << 12 << 2 << u"+12:45"_s << 12.75f << u"CHATHAM Is"_s;
    QTest::newRow("+8:45") << 8 << 2 << u"+8:45"_s << 8.75f << u"EUCLA"_s;
    QTest::newRow("-9:30") << -9 << 1 << u"-9:30"_s << -9.5f << u"NUKU HIVA"_s;
    QTest::newRow("-12") << -12 << 2 << u"-12:00"_s << -12.0f << QString();
}

void tst_SetTimeFrm::everyZoneIsSetByTheDisplays()
{
    QFETCH(int, hourPresses);
    QFETCH(int, minuteClicks);
    QFETCH(QString, shown);
    QFETCH(float, offset);
    QFETCH(QString, firstPlace);
    Rig rig(withClockC(0, 0, u"LONDON"_s));
    SetTimeFrm& frm = rig.open("C", u"LONDON"_s);
    QLabel* hourDisplay = control<QLabel>(frm, "HourLbl");
    QLabel* minuteDisplay = control<QLabel>(frm, "MinLbl");
    rig.pressHours(hourPresses > 0 ? Qt::RightButton : Qt::LeftButton, std::abs(hourPresses));
    for (int i = 0; i < minuteClicks; ++i) {
        QTest::mouseClick(minuteDisplay, Qt::LeftButton);
    }
    QCOMPARE(hourDisplay->text() + u':' + minuteDisplay->text(), shown);
    QCOMPARE(rig.places().value(0), firstPlace);
    QCOMPARE(rig.module->SetOffset, offset);
    QTest::mouseClick(control<QLabel>(frm, "HourOnLbl"), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>(frm, "ApplyBtn"), Qt::LeftButton);
    QCOMPARE(rig.saved().COffset, offset);
    // Opened again, the window shows what it saved; the clock adds the summer hour on top, +14 included.
    frm.showStoredSettings();
    QCOMPARE(hourDisplay->text() + u':' + minuteDisplay->text(), shown);
    const int minutes = int(std::lround((offset + 1) * 60)) + 9 * 60 + 15;
    const int inDay = ((minutes % 1440) + 1440) % 1440;
    QTRY_COMPARE(control<QLabel>(*rig.window, "CTime")->text(),
                 u"%1:%2"_s.arg(inDay / 60, 2, 10, QChar(u'0')).arg(inDay % 60, 2, 10, QChar(u'0')));
}

void tst_SetTimeFrm::seasonalHourToggles()
{
    Settings stored = withClockC(1, 7, u"ODD"_s);
    Rig rig(stored);
    rig.open("C");
    QLabel* summerHour = control<QLabel>(rig.frm(), "HourOnLbl");
    // A stored value other than 0 or 1 reads as 0, which the switch turns on.
    QCOMPARE(summerHour->text(), u"0"_s);
    QTest::mouseClick(summerHour, Qt::LeftButton);
    QCOMPARE(summerHour->text(), u"+1"_s);

    rig.open("D");
    QTest::mouseClick(summerHour, Qt::LeftButton);
    QCOMPARE(summerHour->text(), u"+1"_s);
    QCOMPARE(rig.module->SetHourOn, qint16(1));
    QTest::mouseClick(summerHour, Qt::LeftButton);
    QCOMPARE(summerHour->text(), u"0"_s);
    QCOMPARE(rig.module->SetHourOn, qint16(0));
}

void tst_SetTimeFrm::activationDiscardsUnappliedEdits()
{
    Rig rig(withClockC(2, 0, u"CAIRO"_s));
    SetTimeFrm& frm = rig.open("C", u"CAIRO"_s);
    QLabel* summerHour = control<QLabel>(frm, "HourOnLbl");
    QPushButton* apply = control<QPushButton>(frm, "ApplyBtn");
    QApplication::setActiveWindow(&frm);
    rig.press(49);
    QTest::mouseClick(summerHour, Qt::LeftButton);
    QCOMPARE(rig.module->SetOffset, 5.5f);

    QApplication::setActiveWindow(rig.window.get());
    QApplication::setActiveWindow(&frm);
    QCOMPARE(rig.module->SetOffset, 2.0f);
    QCOMPARE(rig.module->SetHourOn, qint16(0));
    QCOMPARE(control<QLabel>(frm, "HourLbl")->text(), u"+2"_s);
    QCOMPARE(control<QLabel>(frm, "MinLbl")->text(), u"00"_s);
    QCOMPARE(summerHour->text(), u"0"_s);
    QCOMPARE(rig.places().value(0), u"ANKARA"_s);
    // The caption box keeps what it held.
    QCOMPARE(control<QLineEdit>(frm, "LTxt")->text(), u"BOMBAY"_s);
    QCOMPARE(rig.module->COffset, 2.0f);

    // Coming back to applied settings rebuilds the displays without counting that as a new change.
    QTest::mouseClick(apply, Qt::LeftButton);
    QApplication::setActiveWindow(rig.window.get());
    QApplication::setActiveWindow(&frm);
    QCOMPARE(apply->toolTip(), u"save changes to clock 3"_s);
}

void tst_SetTimeFrm::gmtClockStoresTheNegatedZoneAndNeverItsCaption()
{
    Settings stored = withClockC(3, 0, u"MOSCOW"_s);
    stored.BOffset = -1;
    stored.BHourOn = -1;
    Rig rig(stored);
    control<ClockFace>(*rig.window, "GMTc")->setFocus();
    QTest::mouseDClick(control<ClockFace>(*rig.window, "GMTc"), Qt::LeftButton);
    SetTimeFrm* frm = rig.frm();
    QVERIFY(frm);
    QLineEdit* caption = control<QLineEdit>(frm, "LTxt");
    QPushButton* apply = control<QPushButton>(frm, "ApplyBtn");
    QCOMPARE(rig.module->SetClock, u"B"_s);
    QCOMPARE(rig.module->SetupDone, Flag::On);
    QCOMPARE(frm->windowTitle(), u"Settings for GMT / UTC Clock"_s);
    QCOMPARE(apply->toolTip(), u"save settings for GMT/UTC clock"_s);
    QVERIFY(!control<QWidget>(frm, "GMTpanel1")->isHidden());
    QCOMPARE(caption->text(), u"GMT / UTC"_s);
    QCOMPARE(control<QLabel>(frm, "HourLbl")->text(), u"+1"_s);
    QCOMPARE(control<QLabel>(frm, "MinLbl")->text(), u"00"_s);
    QCOMPARE(control<QLabel>(frm, "HourOnLbl")->text(), u"+1"_s);

    caption->setText(u"NOT A CAPTION"_s);
    QTest::mouseClick(apply, Qt::LeftButton);
    QCOMPARE(rig.module->BOffset, -1.0f);
    QCOMPARE(rig.module->BHourOn, qint16(-1));
    const Settings saved = rig.saved();
    QCOMPARE(saved.BOffset, -1.0f);
    QCOMPARE(saved.BHourOn, qint16(-1));
    QCOMPARE(saved.CCaption, u"MOSCOW"_s);
    QCOMPARE(saved.COffset, 3.0f);
    QCOMPARE(control<QLabel>(*rig.window, "BCap")->text(), u"GMT / UTC"_s);

    rig.press(33);
    QTest::mouseClick(apply, Qt::LeftButton);
    QCOMPARE(rig.saved().BOffset, -3.0f);
    QCOMPARE(rig.saved().CCaption, u"MOSCOW"_s);
}

void tst_SetTimeFrm::applyStoresTheClockAndTheTipsFollow()
{
    Rig rig(withClockC(0, 0, u"LONDON"_s));
    SetTimeFrm& frm = rig.open("C", u"LONDON"_s);
    QLineEdit* caption = control<QLineEdit>(frm, "LTxt");
    QLabel* summerHour = control<QLabel>(frm, "HourOnLbl");
    QPushButton* apply = control<QPushButton>(frm, "ApplyBtn");
    caption->setText(u"NEW DELHI"_s);
    QCOMPARE(apply->toolTip(), u"save changes to clock 3"_s);
    rig.press(52);
    QTest::mouseClick(summerHour, Qt::LeftButton);
    rig.fakes.sound.clear();
    QTest::mouseClick(apply, Qt::LeftButton);
    const QString saved = u"settings saved - use the X button to close this window."_s;
    QCOMPARE(apply->toolTip(), saved);
    QCOMPARE(rig.module->Redraw, RedrawRequest::ClockApplied);
    QCOMPARE(rig.module->COffset, 5.5f);
    QCOMPARE(rig.module->CHourOn, qint16(1));
    QCOMPARE(rig.module->CCaption, u"BOMBAY"_s);
    QCOMPARE(control<QLabel>(*rig.window, "CCap")->text(), u"BOMBAY"_s);
    QCOMPARE(rig.saved().COffset, 5.5f);
    QCOMPARE(rig.saved().CCaption, u"BOMBAY"_s);
    QCOMPARE(rig.fakes.sound.played(), QStringList({rig.module->programFile(u"b.wav"_s)}));

    caption->setText(u"DELHI"_s);
    QCOMPARE(apply->toolTip(), u"save new changes"_s);
    QTest::mouseClick(apply, Qt::LeftButton);
    QCOMPARE(apply->toolTip(), saved);
    QTest::mouseClick(control<QLabel>(frm, "MinLbl"), Qt::LeftButton);
    QCOMPARE(apply->toolTip(), u"save new changes"_s);
    QTest::mouseClick(apply, Qt::LeftButton);
    QTest::mouseClick(summerHour, Qt::LeftButton);
    QCOMPARE(apply->toolTip(), u"save new changes"_s);
    QCOMPARE(rig.saved().CCaption, u"DELHI"_s);
    QCOMPARE(rig.saved().COffset, 5.75f);

    // A fresh window starts unapplied again.
    frm.close();
    QVERIFY(!rig.frm());
    SetTimeFrm& fresh = rig.open("C");
    control<QLineEdit>(fresh, "LTxt")->setText(u"X"_s);
    QCOMPARE(control<QPushButton>(fresh, "ApplyBtn")->toolTip(), u"save changes to clock 3"_s);
}

void tst_SetTimeFrm::hourDisplayScrollsTheMapUntilAMapClick()
{
    Rig rig(withClockC(9, 0, u"TOKYO"_s));
    SetTimeFrm& frm = rig.open("C");
    QScrollBar* scroll = control<QScrollBar>(frm, "HScroll1");
    QWidget* map = control<QWidget>(frm, "Map");
    QCOMPARE(scroll->value(), -4400);
    QCOMPARE(map->x(), -4400 / 15);
    rig.press(58);
    scroll->setValue(-2000);
    rig.pressHours(Qt::RightButton);
    QCOMPARE(scroll->value(), -4600);

    scroll->setValue(-5950);
    QCOMPARE(scroll->value(), 1350);
    scroll->setValue(1400);
    QCOMPARE(scroll->value(), -5880);
    QCOMPARE(map->x(), -5880 / 15);

    QTest::keyClick(scroll, Qt::Key_Left);
    QCOMPARE(rig.module->NoAutoScroll, Flag::On);
    rig.press(30); // +1
    frm.close();
    // After a map click a new window stays at the map's west end until the hours are pressed.
    SetTimeFrm& fresh = rig.open("C");
    QCOMPARE(control<QScrollBar>(fresh, "HScroll1")->value(), -6000);
    QCOMPARE(control<QWidget>(fresh, "Map")->x(), -2);
    rig.pressHours(Qt::LeftButton);
    QCOMPARE(control<QScrollBar>(fresh, "HScroll1")->value(), -4150);
}

void tst_SetTimeFrm::wrappedMapAnswersPressesOnItsOtherEnd()
{
    Rig rig;
    SetTimeFrm& frm = rig.open("C");
    QScrollBar* scroll = control<QScrollBar>(frm, "HScroll1");
    QWidget* map = control<QWidget>(frm, "Map");
    QWidget* mapWindow = control<QWidget>(frm, "MapWindow");
    scroll->setValue(1350);
    // The map now starts near the window's right edge; to its left lies the east end of the world.
    const auto onTheCopy = [&](int number) {
        return map->pos() + rig.placeOf(number) - QPoint(Twips::toPixels(MapPictureWidth), 0);
    };
    const QPoint fiji = onTheCopy(64);
    QVERIFY(mapWindow->rect().contains(fiji));
    QTest::mousePress(mapWindow, Qt::RightButton, {}, fiji);
    QCOMPARE(rig.module->SetOffset, 12.0f);
    QCOMPARE(control<QLabel>(frm, "HourLbl")->text(), u"+12"_s);

    // And at the east end of the scroll the west end of the world follows.
    scroll->setValue(-5700);
    const QPoint samoa = map->pos() + rig.placeOf(5) + QPoint(Twips::toPixels(MapPictureWidth), 0);
    QVERIFY(mapWindow->rect().contains(samoa));
    QTest::mousePress(mapWindow, Qt::LeftButton, {}, samoa);
    QCOMPARE(rig.module->SetOffset, -11.0f);
    // Where the copy shows sea there is nothing to choose.
    QTest::mousePress(mapWindow, Qt::LeftButton, {}, QPoint(2, mapWindow->height() - 2));
    QCOMPARE(rig.module->SetOffset, -11.0f);
}

void tst_SetTimeFrm::noticeStandsInForAMissingOrShortFile()
{
    Rig rig;
    SetTimeFrm& frm = rig.open("C");
    QPlainTextEdit* dstText = control<QPlainTextEdit>(frm, "Text1");
    const QString dst = rig.dir.filePath(u"dst.txt"_s);
    QVERIFY(!QFile::exists(dst));
    QTest::mouseClick(control<QPushButton>(frm, "Command1"), Qt::LeftButton);
    QVERIFY(dstText->isVisibleTo(&frm));
    QCOMPARE(dstText->toPlainText(), shownNotice());
    QCOMPARE(frm.windowTitle(), u"DST Information"_s);
    QVERIFY(QFile::exists(dst));
    QCOMPARE(QFileInfo(dst).size(), 0);

    QTest::mouseDClick(&frm, Qt::LeftButton, {}, QPoint(1, 1));
    QVERIFY(!dstText->isVisibleTo(&frm));
    QCOMPARE(frm.windowTitle(), u"DST Information"_s);

    rig.writeDst(QByteArray(999, 'x'));
    QTest::mouseDClick(control<QLabel>(frm, "ItemLabel_5"), Qt::LeftButton);
    QCOMPARE(dstText->toPlainText(), shownNotice());
}

void tst_SetTimeFrm::longFileIsShownAndKeptForLaterShortReads()
{
    Rig rig;
    SetTimeFrm& frm = rig.open("C");
    QPlainTextEdit* dstText = control<QPlainTextEdit>(frm, "Text1");
    const QByteArray text = "Z\xFCrich  =  GMT+1\r\n" + QByteArray(1000 - 18, 'x');
    QCOMPARE(text.size(), 1000);
    rig.writeDst(text);
    QTest::mouseDClick(control<QLabel>(frm, "ItemLabel_0"), Qt::LeftButton);
    QVERIFY(dstText->toPlainText().startsWith(u"Z\u00FCrich  =  GMT+1\nxxx"_s));
    QCOMPARE(dstText->toPlainText().size(), 999);

    rig.writeDst("short");
    QTest::mouseDClick(control<QLabel>(frm, "ItemLabel_4"), Qt::LeftButton);
    QVERIFY(dstText->toPlainText().startsWith(u"Z\u00FCrich"_s));
}

void tst_SetTimeFrm::closeBoxClosesOnlyTheTextFirst()
{
    Rig rig(withClockC(4, 0, u"MUSCAT"_s));
    SetTimeFrm& frm = rig.open("C");
    QPlainTextEdit* dstText = control<QPlainTextEdit>(frm, "Text1");
    rig.press(19);
    QTest::mouseClick(control<QPushButton>(frm, "Command1"), Qt::LeftButton);
    rig.fakes.sound.clear();
    QVERIFY(!frm.close());
    QCOMPARE(rig.frm(), &frm);
    QVERIFY(frm.isVisible());
    QVERIFY(!dstText->isVisibleTo(&frm));
    QCOMPARE(frm.windowTitle(), u"Settings for Clock 3"_s);
    QCOMPARE(control<QLabel>(frm, "HourLbl")->text(), u"+4"_s);
    QCOMPARE(rig.module->SetOffset, 4.0f);
    QCOMPARE(rig.fakes.sound.played(), QStringList({rig.module->programFile(u"a.wav"_s)}));

    QVERIFY(frm.close());
    QVERIFY(!rig.frm());
    QCOMPARE(rig.saved().COffset, 4.0f);
}

void tst_SetTimeFrm::headingDoubleClickShowsTheTextAndEscapeClosesIt()
{
    Rig rig(withClockC(4, 0, u"MUSCAT"_s));
    SetTimeFrm& frm = rig.open("C");
    QPlainTextEdit* dstText = control<QPlainTextEdit>(frm, "Text1");
    QLabel* seasonal = control<QLabel>(frm, "ItemLabel_5");
    QCOMPARE(seasonal->toolTip(), u"double-click this label for DST Info."_s);
    doubleClickAt(seasonal);
    QVERIFY(dstText->isVisible());
    QCOMPARE(dstText->toPlainText(), shownNotice());
    QCOMPARE(frm.windowTitle(), u"DST Information"_s);

    // Escape, pressed in the text that has the focus now, goes back to the settings as the close box does, and
    // leaves the window open.
    QCOMPARE(frm.focusWidget(), dstText);
    rig.fakes.sound.clear();
    QTest::keyClick(dstText, Qt::Key_Escape);
    QVERIFY(!dstText->isVisible());
    QVERIFY(frm.isVisible());
    QCOMPARE(frm.windowTitle(), u"Settings for Clock 3"_s);
    QCOMPARE(rig.fakes.sound.played(), QStringList({rig.module->programFile(u"a.wav"_s)}));

    // Every heading opens it, and a double-click on the window's own surface still closes it.
    doubleClickAt(control<QLabel>(frm, "ItemLabel_0"));
    QVERIFY(dstText->isVisible());
    QTest::mouseDClick(frm.windowHandle(), Qt::LeftButton, {}, QPoint(1, 1));
    QVERIFY(!dstText->isVisible());
    // Escape in the settings view closes nothing.
    QTest::keyClick(&frm, Qt::Key_Escape);
    QVERIFY(frm.isVisible());
}

void tst_SetTimeFrm::arrowKeysChooseAPlaceForTheCaption()
{
    Rig rig;
    SetTimeFrm& frm = rig.open("C");
    QLineEdit* caption = control<QLineEdit>(frm, "LTxt");
    QListWidget* placeList = control<QListWidget>(frm, "CityList");
    rig.press(49);
    const QStringList places = rig.places();
    QVERIFY(places.size() >= 3);
    QCOMPARE(caption->text(), places.at(0));
    rig.fakes.sound.clear();
    placeList->setFocus();
    QTest::keyClick(placeList, Qt::Key_Down);
    QCOMPARE(caption->text(), places.at(placeList->currentRow()));
    QTest::keyClick(placeList, Qt::Key_Down);
    QCOMPARE(caption->text(), places.at(placeList->currentRow()));
    QCOMPARE(rig.fakes.sound.played().count(rig.module->programFile(u"a.wav"_s)), 2);

    // A click chooses once, and chooses again the place already chosen when the caption was edited since.
    rig.fakes.sound.clear();
    const QRect third = placeList->visualItemRect(placeList->item(2));
    QTest::mouseClick(placeList->viewport(), Qt::LeftButton, {}, third.center());
    QCOMPARE(caption->text(), places.at(2));
    QCOMPARE(rig.fakes.sound.played().size(), 1);
    caption->setText(u"MY OWN"_s);
    QTest::mouseClick(placeList->viewport(), Qt::LeftButton, {}, third.center());
    QCOMPARE(caption->text(), places.at(2));
}

void tst_SetTimeFrm::captionBoxRefusesWhatTheFileCannotKeep()
{
    Rig rig(withClockC(1, 0, u"PARIS"_s));
    SetTimeFrm& frm = rig.open("C", u""_s);
    QLineEdit* caption = control<QLineEdit>(frm, "LTxt");
    caption->setFocus();
    typeText(caption, u"\u0141\u00F3D\u0179"_s);
    QCOMPARE(caption->text(), u"\u00F3D"_s);
    // The user is told which letter was refused, and why.
    QTRY_VERIFY(QToolTip::isVisible());
    QVERIFY(QToolTip::text().contains(u"\u0179"_s));
    QVERIFY(QToolTip::text().contains(u"Western European"_s));

    // A pasted text that the file cannot keep whole is refused whole; signs of the file's own range are kept.
    caption->clear();
    QApplication::clipboard()->setText(u"Z\u00FCrich \u2013 \u20AC \u65E5\u672C"_s);
    QTest::keyClick(caption, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(caption->text(), QString());
    QVERIFY(QToolTip::text().contains(u"\u65E5\u672C"_s));
    typeText(caption, u"Z\u00FCrich \u2013 \u20AC"_s);

    // What the box shows is what the file keeps, and what the next start shows.
    QTest::mouseClick(control<QPushButton>(frm, "ApplyBtn"), Qt::LeftButton);
    QCOMPARE(rig.saved().CCaption, u"Z\u00FCrich \u2013 \u20AC"_s);
    QCOMPARE(control<QLabel>(*rig.window, "CCap")->text(), caption->text());
}

void tst_SetTimeFrm::faceToMapToApplyShowsTheNewTime()
{
    Rig rig(withClockC(0, 0, u"LONDON"_s));
    QCOMPARE(control<QLabel>(*rig.window, "CTime")->text(), u"09:15"_s);
    QTest::mouseDClick(control<ClockFace>(*rig.window, "CC"), Qt::LeftButton);
    SetTimeFrm* frm = rig.frm();
    QVERIFY(frm);
    QCOMPARE(rig.module->SetClock, u"C"_s);
    QCOMPARE(control<QLineEdit>(frm, "LTxt")->text(), u"LONDON"_s);
    rig.press(49);
    QTest::mouseClick(control<QPushButton>(frm, "ApplyBtn"), Qt::LeftButton);
    rig.fakes.clock.advanceSeconds(1);
    control<QTimer>(*rig.window, "Timer1")->setInterval(0);
    QTRY_COMPARE(control<QLabel>(*rig.window, "CTime")->text(), u"14:45"_s);
    QCOMPARE(control<QLabel>(*rig.window, "CCap")->text(), u"BOMBAY"_s);
}

void tst_SetTimeFrm::applyingTheGmtClockRedrawsEveryFaceSetFromIt()
{
    // The user said GMT+1 before; clock C shows GMT itself.
    Settings stored = withClockC(0, 0, u"LONDON"_s);
    stored.BOffset = -1;
    Rig rig(stored);
    QCOMPARE(control<QLabel>(*rig.window, "CTime")->text(), u"08:15"_s);

    // Now the user says they live at GMT: clock C then reads the local time, and its face must show it at once.
    doubleClickAt(control<ClockFace>(*rig.window, "GMTc"));
    SetTimeFrm* frm = rig.frm();
    QVERIFY(frm);
    QTest::mousePress(control<QLabel>(frm, "HourLbl"), Qt::LeftButton);
    QCOMPARE(control<QLabel>(frm, "HourLbl")->text(), u"0"_s);
    QTest::mouseClick(control<QPushButton>(frm, "ApplyBtn"), Qt::LeftButton);
    rig.fakes.clock.advanceSeconds(1);
    control<QTimer>(*rig.window, "Timer1")->setInterval(0);
    QTRY_COMPARE(control<QLabel>(*rig.window, "CTime")->text(), u"09:15"_s);
    QCOMPARE(rig.module->Redraw, RedrawRequest::None);
    // Same time, same second hand: the faces are the same picture.
    const QImage local = control<ClockFace>(*rig.window, "LC")->image();
    for (ClockFace* face : {control<ClockFace>(*rig.window, "GMTc"), control<ClockFace>(*rig.window, "CC")}) {
        QVERIFY2(face->image() == local, qPrintable(face->objectName()));
    }
}

void tst_SetTimeFrm::aClockIsSetByKeyboardAlone()
{
    Rig rig(withClockC(0, 0, u"LONDON"_s));
    rig.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
    const auto press = [](Qt::Key key, int times = 1) {
        for (int i = 0; i < times; ++i) {
            QTest::keyClick(QApplication::focusWidget(), key);
        }
    };
    // Tab goes round the window's controls until it comes to the one wanted.
    const auto tabTo = [&press](QWidget* control) {
        for (int tabs = 0; tabs < 40 && !control->hasFocus(); ++tabs) {
            press(Qt::Key_Tab);
        }
        return control->hasFocus();
    };
    QVERIFY(tabTo(control<ClockFace>(*rig.window, "CC")));
    press(Qt::Key_Return);
    SetTimeFrm* frm = rig.frm();
    QVERIFY(frm);
    QVERIFY(QTest::qWaitForWindowActive(frm));
    QLabel* hourDisplay = control<QLabel>(frm, "HourLbl");
    QLabel* minuteDisplay = control<QLabel>(frm, "MinLbl");

    // On the map, one step east of GMT and Enter: the zone's places come up and the caption is proposed.
    QVERIFY(tabTo(control<QWidget>(frm, "MapWindow")));
    press(Qt::Key_Right);
    press(Qt::Key_Return);
    QCOMPARE(hourDisplay->text(), u"+1"_s);
    QCOMPARE(control<QLineEdit>(frm, "LTxt")->text(), placeListFor(1).constFirst());

    QVERIFY(tabTo(hourDisplay));
    press(Qt::Key_Up, 5);
    press(Qt::Key_Minus);
    QVERIFY(tabTo(minuteDisplay));
    press(Qt::Key_Minus);
    QCOMPARE(hourDisplay->text(), u"+5"_s);
    QCOMPARE(minuteDisplay->text(), u"45"_s);
    // The list comes to its first place; Enter takes it as the caption.
    QVERIFY(tabTo(control<QListWidget>(frm, "CityList")));
    press(Qt::Key_Return);
    QVERIFY(tabTo(control<QPushButton>(frm, "ApplyBtn")));
    press(Qt::Key_Return);

    QCOMPARE(rig.module->COffset, 5.75f);
    rig.fakes.clock.advanceSeconds(1);
    control<QTimer>(*rig.window, "Timer1")->setInterval(0);
    QTRY_COMPARE(control<QLabel>(*rig.window, "CTime")->text(), u"15:00"_s);
    QCOMPARE(control<QLabel>(*rig.window, "CCap")->text(), u"KATHMANDU"_s);
}

QTEST_MAIN(tst_SetTimeFrm)
#include "tst_SetTimeFrm.moc"
