#include <QScreen>
#include <QTest>

#include "support/MainWindowRig.h"
#include "support/UserInput.h"
#include "ui/GlyphButton.h"
#include "ui/WindowPlacement.h"
#include "ui/alarms/AlarmFrm.h"
#include "ui/info/AbtFrm.h"
#include "ui/system/PrefsFrm.h"

using namespace Qt::StringLiterals;

class tst_WindowPlacement : public QObject
{
    Q_OBJECT

private slots:
    void besideTheAnchorWhereItFits_data();
    void besideTheAnchorWhereItFits();
    void secondaryWindowsOpenBesideTheMainWindow();
    void aTitleBarAboveTheScreenComesDown();
};

void tst_WindowPlacement::besideTheAnchorWhereItFits_data()
{
    QTest::addColumn<QRect>("anchor");
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QPoint>("expected");
    // On a screen of 1280 x 800.
    const QSize note(300, 200);
    QTest::newRow("below") << QRect(100, 50, 520, 180) << note << QPoint(100, 230);
    QTest::newRow("below, moved in from the right edge") << QRect(1100, 50, 180, 180) << note << QPoint(980, 230);
    QTest::newRow("above, at the bottom of the screen") << QRect(100, 620, 520, 180) << note << QPoint(100, 420);
    QTest::newRow("right, when the anchor fills the height") << QRect(0, 0, 520, 800) << note << QPoint(520, 0);
    QTest::newRow("left, at the right edge") << QRect(760, 100, 520, 700) << note << QPoint(460, 100);
    QTest::newRow("over, when nothing beside fits") << QRect(200, 100, 900, 650) << QSize(600, 400) << QPoint(200, 100);
    QTest::newRow("left, moved up onto the screen") << QRect(900, 500, 380, 300) << QSize(900, 700) << QPoint(0, 100);
    QTest::newRow("larger than the screen: its top-left corner on it")
        << QRect(-200, -100, 500, 200) << QSize(1400, 900) << QPoint(0, 0);
}

void tst_WindowPlacement::besideTheAnchorWhereItFits()
{
    QFETCH(QRect, anchor);
    QFETCH(QSize, frame);
    QFETCH(QPoint, expected);
    QCOMPARE(WindowPlacement::besideAnchor(anchor, frame, QRect(0, 0, 1280, 800)), expected);
}

void tst_WindowPlacement::secondaryWindowsOpenBesideTheMainWindow()
{
    Settings stored;
    stored.SetupDone = Flag::On;
    stored.WinWidth = 5495;
    stored.WinLeft = 3000;
    stored.WinTop = 2250;
    MainWindowRig<> rig(&stored);
    huxofrm& main = *rig.window;
    QCOMPARE(main.pos(), QPoint(200, 150));
    const QRect screen = main.screen()->availableGeometry();

    clickAt(control<GlyphButton>(main, "AlmBtn"));
    QWidget* alarm = rig.forms->loaded<AlarmFrm>();
    QVERIFY(alarm && alarm->isVisible());
    doubleClickAt(control<GlyphButton>(main, "Image1"));
    QWidget* about = rig.forms->loaded<AbtFrm>();
    QVERIFY(about && about->isVisible());
    for (const QWidget* window : {alarm, about}) {
        const QRect frame = window->frameGeometry();
        QVERIFY2(screen.contains(frame), qPrintable(window->objectName()));
        QVERIFY2(!frame.intersects(main.frameGeometry()), qPrintable(window->objectName()));
        // Beside it: lined up with the main window's left edge, not in the screen's corner.
        QCOMPARE(frame.left(), main.frameGeometry().left());
    }

    // A window the user moved keeps its place when it is shown again.
    alarm->move(20, 20);
    alarm->hide();
    clickAt(control<GlyphButton>(main, "AlmBtn"));
    QCOMPARE(alarm->pos(), QPoint(20, 20));
}

void tst_WindowPlacement::aTitleBarAboveTheScreenComesDown()
{
    // The place an earlier version saved after a Wayland run: (-3, -30) pixels.
    Settings stored;
    stored.SetupDone = Flag::On;
    stored.WinLeft = -45;
    stored.WinTop = -450;
    MainWindowRig<> rig(&stored);
    QCOMPARE(rig.window->pos(), QPoint(-3, rig.window->screen()->availableGeometry().top()));
}

QTEST_MAIN(tst_WindowPlacement)
#include "tst_WindowPlacement.moc"
