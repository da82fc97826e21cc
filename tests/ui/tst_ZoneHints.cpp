#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <ctime>

#include "support/Control.h"
#include "support/MainWindowRig.h"
#include "ui/GlyphButton.h"
#include "ui/settings/PressLabel.h"
#include "ui/settings/SetTimeFrm.h"
#include "zones/ZoneHint.h"

using namespace Qt::StringLiterals;

namespace {

const QDateTime December(QDate(2026, 12, 8), QTime(9, 15, 30));

Settings clocks()
{
    Settings stored;
    stored.SetupDone = Flag::On;
    stored.WinWidth = 7625;
    stored.CCaption = u"LONDON"_s;
    stored.DCaption = u"TOKYO"_s;
    stored.DOffset = 9;
    stored.ECaption = u"ARIZONA"_s;
    stored.EOffset = -7;
    stored.FCaption = u"HOME"_s;
    stored.GCaption = u"SYDNEY"_s;
    stored.GOffset = 10;
    stored.GHourOn = 1;
    return stored;
}

QLabel* mark(const MainWindowRig<>& rig, int slot)
{
    return control<QLabel>(*rig.window, qPrintable(u"ZoneMark_%1"_s.arg(slot)));
}

// The computer's own zone for the rest of a test.
struct ComputerZone
{
    explicit ComputerZone(const char* zone)
        : m_saved(qgetenv("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~ComputerZone()
    {
        qputenv("TZ", m_saved);
        tzset();
    }

private:
    QByteArray m_saved;
};

} // namespace

class tst_ZoneHints : public QObject
{
    Q_OBJECT

private slots:
    void timeToolTipsCarryTheHints();
    void theMarkFollowsTheSummerSwitch();
    void theGmtColumnComparesTheComputersZone();
    void aClickOnTheMarkSetsTheClockOnTheUsersWord();
    void copiesTheClocksInView();
};

void tst_ZoneHints::timeToolTipsCarryTheHints()
{
    const Settings stored = clocks();
    MainWindowRig<> rig(&stored, December);
    QCOMPARE(control<QLabel>(*rig.window, "CTime")->toolTip(),
             u"LONDON: standard time now (GMT+0); summer time from Sun 28 Mar 2027 01:00 GMT"_s);
    QCOMPARE(control<QLabel>(*rig.window, "ETime")->toolTip(), u"ARIZONA: no summer time (GMT-7)"_s);
    QVERIFY(control<QLabel>(*rig.window, "FTime")->toolTip().isEmpty());
    for (int slot = 3; slot <= 7; ++slot) {
        QVERIFY2(!mark(rig, slot)->isVisible(), qPrintable(QString::number(slot)));
    }

    // A day later in July: the tips move on with the minute, and London's clock now lags an hour.
    rig.fakes.clock.setNow(QDateTime(QDate(2027, 7, 1), QTime(10, 0)));
    QTRY_VERIFY(control<QLabel>(*rig.window, "CTime")->toolTip().startsWith(u"LONDON: summer time now (GMT+1)"_s));
    QVERIFY(mark(rig, 3)->isVisible());
    QVERIFY(mark(rig, 7)->isVisible()); // Sydney's switch is still on in its winter
}

void tst_ZoneHints::theMarkFollowsTheSummerSwitch()
{
    const Settings stored = clocks();
    MainWindowRig<> rig(&stored, December);
    SetTimeFrm& settings = SetTimeFrm::showFor(*rig.forms, u"C"_s, control<QLabel>(*rig.window, "CCap")->text());
    QLabel* hint = control<QLabel>(settings, "ZoneHintLbl");
    QLabel* summerHour = control<QLabel>(settings, "HourOnLbl");
    QPushButton* apply = control<QPushButton>(settings, "ApplyBtn");
    QCOMPARE(hint->text(), control<QLabel>(*rig.window, "CTime")->toolTip());

    QTest::mouseClick(summerHour, Qt::LeftButton);
    QTest::mouseClick(apply, Qt::LeftButton);
    QVERIFY(mark(rig, 3)->isVisible());
    QVERIFY(hint->text().endsWith(u"Summer hour on, but LONDON is on standard time now."_s));
    QCOMPARE(hint->palette().color(QPalette::WindowText), QColor(192, 0, 0));
    // The mark leaves the caption's own colours alone.
    QCOMPARE(control<QLabel>(*rig.window, "CCap")->palette().color(QPalette::WindowText),
             control<QLabel>(*rig.window, "DCap")->palette().color(QPalette::WindowText));

    QTest::mouseClick(summerHour, Qt::LeftButton);
    QTest::mouseClick(apply, Qt::LeftButton);
    QVERIFY(!mark(rig, 3)->isVisible());
    QVERIFY(hint->palette().color(QPalette::WindowText) != QColor(192, 0, 0));
}

void tst_ZoneHints::theGmtColumnComparesTheComputersZone()
{
    ComputerZone paris("Europe/Paris");
    Settings stored = clocks();
    MainWindowRig<> rig(&stored, December);
    QVERIFY(mark(rig, 2)->isVisible());
    QCOMPARE(control<QLabel>(*rig.window, "GMTtime")->toolTip(),
             u"This computer's own zone is at GMT+1 now, but this clock puts it at GMT+0."_s);

    SetTimeFrm& settings = SetTimeFrm::showFor(*rig.forms, u"B"_s, u"GMT / UTC"_s);
    QLabel* hint = control<QLabel>(settings, "ZoneHintLbl");
    QPushButton* apply = control<QPushButton>(settings, "ApplyBtn");
    QCOMPARE(hint->text(), control<QLabel>(*rig.window, "GMTtime")->toolTip());
    rig.module->SetOffset = 1;
    QTest::mouseClick(apply, Qt::LeftButton);
    QCOMPARE(rig.module->BOffset, -1.0f);
    QVERIFY(!mark(rig, 2)->isVisible());
    QCOMPARE(hint->text(), u"This computer's own zone is at GMT+1 now, as set here."_s);

    // The calendar page, put in place of the GMT / UTC clock, covers its mark as well.
    QTest::mousePress(control<QLabel>(settings, "HourLbl"), Qt::LeftButton);
    QTest::mouseClick(apply, Qt::LeftButton);
    QLabel* gmtMark = mark(rig, 2);
    QVERIFY(gmtMark->isVisible());
    QWidget* panel = control<QWidget>(*rig.window, "Cpanel");
    QWidget* calendar = control<QWidget>(*rig.window, "DateFrame");
    const QPoint onTheMark = gmtMark->mapTo(panel, gmtMark->rect().center());
    QCOMPARE(panel->childAt(onTheMark), gmtMark);
    calendar->show();
    QVERIFY(calendar->isAncestorOf(panel->childAt(onTheMark)));
}

void tst_ZoneHints::aClickOnTheMarkSetsTheClockOnTheUsersWord()
{
    ComputerZone paris("Europe/Paris");
    const Settings stored = clocks();
    MainWindowRig<> rig(&stored, QDateTime(QDate(2027, 7, 1), QTime(10, 0)));
    QVERIFY(mark(rig, 3)->isVisible());
    rig.fakes.dialogs.setNextAnswer(Dialogs::Answer::No);
    QTest::mouseClick(mark(rig, 3), Qt::LeftButton);
    QCOMPARE(rig.fakes.dialogs.shown().value(0).text,
             u"Set clock 3 (LONDON) to GMT+0 with the summer hour on, as the time-zone database has it now?\n\n"
             u"It is set to GMT+0 with the summer hour off."_s);
    QCOMPARE(rig.saved().CHourOn, qint16(0));

    QTest::mouseClick(mark(rig, 3), Qt::LeftButton);
    QCOMPARE(rig.module->CHourOn, qint16(1));
    QCOMPARE(rig.saved().CHourOn, qint16(1));
    QCOMPARE(rig.saved().COffset, 0.0f);
    QVERIFY(!mark(rig, 3)->isVisible());

    // The GMT / UTC clock takes the computer's own zone, negated; the clocks set from it follow.
    QVERIFY(mark(rig, 2)->isVisible());
    QTest::mouseClick(mark(rig, 2), Qt::LeftButton);
    QVERIFY(rig.fakes.dialogs.shown().value(2).text.startsWith(
        u"Set your local time zone on the GMT / UTC clock to GMT+1 with the summer hour on"_s));
    QCOMPARE(rig.saved().BOffset, -1.0f);
    QCOMPARE(rig.saved().BHourOn, qint16(-1));
    QVERIFY(!mark(rig, 2)->isVisible());
    QTRY_COMPARE(control<QLabel>(*rig.window, "CTime")->text(), u"09:00"_s);
}

void tst_ZoneHints::copiesTheClocksInView()
{
    const Settings stored = clocks();
    MainWindowRig<> rig(&stored, December);
    rig.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
    QApplication::clipboard()->clear();
    QTest::keyClick(rig.window.get(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(),
             u"Tue 09:15 LOCAL \u00B7 09:15 GMT / UTC \u00B7 09:15 LONDON \u00B7 18:15 TOKYO \u00B7 02:15 ARIZONA "
             u"\u00B7 09:15 HOME \u00B7 20:15 SYDNEY"_s);
    QVERIFY(rig.window->actions().contains(control<QAction>(*rig.window, "CopyClocks")));

    // Five clocks in view, and the calendar over the GMT / UTC clock.
    QTest::mouseClick(control<GlyphButton>(*rig.window, "OntopBtn"), Qt::LeftButton);
    QTest::mouseDClick(control<GlyphButton>(*rig.window, "Image5"), Qt::LeftButton);
    control<QAction>(*rig.window, "CopyClocks")->trigger();
    QCOMPARE(QApplication::clipboard()->text(),
             u"Tue 09:15 LOCAL \u00B7 09:15 LONDON \u00B7 18:15 TOKYO \u00B7 02:15 ARIZONA"_s);
}

QTEST_MAIN(tst_ZoneHints)
#include "tst_ZoneHints.moc"
