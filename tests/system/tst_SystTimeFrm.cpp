#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "SystemRig.h"
#include "core/DateFormat.h"
#include "net/Inet.h"
#include "support/Control.h"
#include "ui/PictureClip.h"
#include "ui/main/ClockFace.h"
#include "ui/system/PrefsFrm.h"
#include "ui/system/SystTimeFrm.h"

using namespace Qt::StringLiterals;

namespace {

Settings storedCaption()
{
    Settings stored;
    stored.LocCaption = u"HOME"_s;
    return stored;
}

// A timer's firing, without waiting for it.
void fire(QTimer* timer)
{
    QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
}

QImage shownImage(const SystTimeFrm& frm)
{
    return control<QLabel>(frm, "LinkAniImg")->pixmap().toImage();
}

QImage cellImage(const SystTimeFrm& frm, int cell)
{
    return control<PictureClip>(frm, "PictureClip1")->GraphicCell(cell).toImage();
}

// The cell of the link picture strip shown, or -1 for none.
int shownCell(const SystTimeFrm& frm)
{
    for (int cell = 0; cell < 6; ++cell) {
        if (shownImage(frm) == cellImage(frm, cell)) {
            return cell;
        }
    }
    return -1;
}

const QString ProblemMessage = u"There is a problem with the way you have entered the new time."_s;

} // namespace

class tst_SystTimeFrm : public QObject
{
    Q_OBJECT

private slots:
    void loadFollowsTheMainWindowAndTheClock();
    void loadStaysOffTopBesideAnAlarmWindow_data();
    void loadStaysOffTopBesideAnAlarmWindow();
    void keepSetsTheTypedTime();
    void keepRefusesWhatIsNoTime_data();
    void keepRefusesWhatIsNoTime();
    void clickingTheTimeStopsItAtThatSecond();
    void aClockThatRefusesIsReportedAndTheWindowStays();
    void captionEditsTheLocalClockLive();
    void connectionIsTakenAtLoadOnly();
    void animationRunsTheFourFramesOnly();
    void doubleClickOnTheLinkStopsTheTransfer();
    void closingStopsTheLinkAndUnloads();
    void doubleClickOnTheLocalFaceOpensIt();
};

void tst_SystTimeFrm::loadFollowsTheMainWindowAndTheClock()
{
    SystemRig rig(storedCaption());
    SystTimeFrm& frm = rig.forms->get<SystTimeFrm>();
    QCOMPARE(frm.windowTitle(), u"Set Local System Time"_s);
    QVERIFY(rig.fakes.windowOrder.isTopmost(&frm));
    QCOMPARE(control<QLineEdit>(frm, "Text2")->text(), u"HOME"_s);
    QCOMPARE(control<QLineEdit>(frm, "Text1")->text(), u"09:15:30"_s);
    QVERIFY(control<QTimer>(frm, "Timer1")->isActive());
    QCOMPARE(control<QTimer>(frm, "Timer1")->interval(), 1000);
    QCOMPARE(rig.clicksPlayed(), 1);
    QVERIFY(!control<QTimer>(frm, "LinkAniTimer")->isActive());
    QCOMPARE(control<QTimer>(frm, "LinkAniTimer")->interval(), 40);

    rig.fakes.clock.advanceSeconds(2);
    fire(control<QTimer>(frm, "Timer1"));
    QCOMPARE(control<QLineEdit>(frm, "Text1")->text(), systemTimeText(QTime(9, 15, 32)));
}

void tst_SystTimeFrm::loadStaysOffTopBesideAnAlarmWindow_data()
{
    QTest::addColumn<bool>("alarmSettings");
    QTest::addColumn<bool>("reminder");
    QTest::newRow("alarm settings") << true << false;
    QTest::newRow("reminder") << false << true;
}

void tst_SystTimeFrm::loadStaysOffTopBesideAnAlarmWindow()
{
    QFETCH(bool, alarmSettings);
    QFETCH(bool, reminder);
    SystemRig rig;
    rig.forms->alarmSettings = alarmSettings;
    rig.forms->reminder = reminder;
    QVERIFY(!rig.fakes.windowOrder.isTopmost(&rig.forms->get<SystTimeFrm>()));
}

void tst_SystTimeFrm::keepSetsTheTypedTime()
{
    SystemRig rig;
    SystTimeFrm& frm = rig.forms->get<SystTimeFrm>();
    frm.show();
    QTest::mouseClick(control<QLineEdit>(frm, "Text1"), Qt::LeftButton);
    retype(control<QLineEdit>(frm, "Text1"), u"14:05:09"_s);
    const QDate today = rig.fakes.clock.now().date();
    QTest::mouseClick(control<QPushButton>(frm, "Command1"), Qt::LeftButton);

    // The time of day on the computer's own date, in one setting.
    QCOMPARE(rig.fakes.clock.settings(), QList<QDateTime>{QDateTime(today, QTime(14, 5, 9))});
    QVERIFY(rig.fakes.dialogs.shown().isEmpty());
    QVERIFY(!rig.forms->loaded<SystTimeFrm>());
}

void tst_SystTimeFrm::keepRefusesWhatIsNoTime_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("hour 25") << u"25:10:00"_s;
    QTest::newRow("letters") << u"soon"_s;
    QTest::newRow("empty") << QString();
    // A date alone would set the clock to midnight.
    QTest::newRow("date only") << u"Dec 8 2026"_s;
}

void tst_SystTimeFrm::keepRefusesWhatIsNoTime()
{
    QFETCH(QString, typed);
    SystemRig rig;
    SystTimeFrm& frm = rig.forms->get<SystTimeFrm>();
    frm.show();
    QTest::mouseClick(control<QLineEdit>(frm, "Text1"), Qt::LeftButton);
    retype(control<QLineEdit>(frm, "Text1"), typed);
    QTest::mouseClick(control<QPushButton>(frm, "Command1"), Qt::LeftButton);

    QCOMPARE(rig.fakes.clock.setCount(), 0);
    QCOMPARE(rig.fakes.dialogs.shown().size(), 1);
    QCOMPARE(rig.fakes.dialogs.shown()[0].text, ProblemMessage);
    QCOMPARE(rig.fakes.dialogs.shown()[0].title, u"HUXO 5.1"_s);
    QCOMPARE(rig.fakes.dialogs.shown()[0].icon, Dialogs::Icon::None);
    QCOMPARE(rig.forms->loaded<SystTimeFrm>(), &frm);
    QVERIFY(frm.isVisible());
    QCOMPARE(control<QLineEdit>(frm, "Text1")->text(), typed);
}

void tst_SystTimeFrm::clickingTheTimeStopsItAtThatSecond()
{
    SystemRig rig;
    SystTimeFrm& frm = rig.forms->get<SystTimeFrm>();
    frm.show();
    rig.fakes.clock.advanceSeconds(1);
    fire(control<QTimer>(frm, "Timer1"));
    QTest::mouseClick(control<QLineEdit>(frm, "Text1"), Qt::LeftButton);
    QVERIFY(!control<QTimer>(frm, "Timer1")->isActive());

    rig.fakes.clock.advanceSeconds(7);
    QTest::mouseClick(control<QPushButton>(frm, "Command1"), Qt::LeftButton);
    QCOMPARE(rig.fakes.clock.settings().value(0).time(), QTime(9, 15, 31));
}

void tst_SystTimeFrm::aClockThatRefusesIsReportedAndTheWindowStays()
{
    SystemRig rig;
    SystTimeFrm& frm = rig.forms->get<SystTimeFrm>();
    frm.show();
    rig.fakes.clock.refuseNextSet(u"Setting the time is not allowed."_s);
    QTest::mouseClick(control<QPushButton>(frm, "Command1"), Qt::LeftButton);

    QCOMPARE(rig.fakes.clock.setCount(), 0);
    QCOMPARE(rig.fakes.dialogs.shown().size(), 1);
    const QString message = rig.fakes.dialogs.shown()[0].text;
    QVERIFY2(message.contains(u"Setting the time is not allowed."_s), qPrintable(message));
    QVERIFY(message != ProblemMessage);
    QCOMPARE(rig.forms->loaded<SystTimeFrm>(), &frm);
    QCOMPARE(control<QLineEdit>(frm, "Text1")->text(), u"09:15:30"_s);
}

void tst_SystTimeFrm::captionEditsTheLocalClockLive()
{
    SystemRig rig(storedCaption());
    SystTimeFrm& frm = rig.forms->get<SystTimeFrm>();
    frm.show();
    retype(control<QLineEdit>(frm, "Text2"), u"  PARIS "_s);
    QCOMPARE(rig.module->LocCaption, u"PARIS"_s);
    QCOMPARE(control<QLabel>(*rig.window, "LocCap")->text(), u"PARIS"_s);

    retype(control<QLineEdit>(frm, "Text2"), u"ABCDEFGHIJKLMNO"_s);
    QCOMPARE(rig.module->LocCaption, u"ABCDEFGHIJKL"_s);

    retype(control<QLineEdit>(frm, "Text2"), QString());
    QCOMPARE(rig.module->LocCaption, QString());
    QCOMPARE(control<QLabel>(*rig.window, "LocCap")->text(), QString());
}

void tst_SystTimeFrm::connectionIsTakenAtLoadOnly()
{
    Settings stored;
    stored.NetAccess = Connection::Proxy;
    stored.ProxyName = u"proxy.test:3128"_s;
    SystemRig rig(stored);
    SystTimeFrm& first = rig.forms->get<SystTimeFrm>();
    QCOMPARE(control<Inet>(first, "Inet1")->accessType(), Connection::Proxy);
    QCOMPARE(control<Inet>(first, "Inet1")->proxy(), u"proxy.test:3128"_s);

    PrefsFrm& prefs = rig.forms->get<PrefsFrm>();
    prefs.show();
    retype(control<QLineEdit>(prefs, "Text1"), u"other.test:8080"_s);
    choose(control<QRadioButton>(prefs, "DirectOpt"));
    QCOMPARE(rig.module->NetAccess, Connection::Direct);
    QCOMPARE(control<Inet>(first, "Inet1")->accessType(), Connection::Proxy);
    QCOMPARE(control<Inet>(first, "Inet1")->proxy(), u"proxy.test:3128"_s);

    first.close();
    choose(control<QRadioButton>(prefs, "Proxy"));
    SystTimeFrm& second = rig.forms->get<SystTimeFrm>();
    QVERIFY(&second != &first);
    QCOMPARE(control<Inet>(second, "Inet1")->accessType(), Connection::Proxy);
    QCOMPARE(control<Inet>(second, "Inet1")->proxy(), u"other.test:8080"_s);
}

void tst_SystTimeFrm::animationRunsTheFourFramesOnly()
{
    SystemRig rig;
    QVERIFY(QFile::copy(QStringLiteral(HUXO_ASSET_DIR "/link.png"), rig.module->programFile(u"link.png"_s)));
    SystTimeFrm& frm = rig.forms->get<SystTimeFrm>();
    QCOMPARE(control<PictureClip>(frm, "PictureClip1")->cols(), 6);
    for (int cell = 0; cell < 6; ++cell) {
        QVERIFY(!cellImage(frm, cell).isNull());
        for (int other = 0; other < cell; ++other) {
            QVERIFY2(cellImage(frm, cell) != cellImage(frm, other), "the strip's cells are told apart");
        }
    }

    QList<int> frames;
    for (int tick = 0; tick < 8; ++tick) {
        fire(control<QTimer>(frm, "LinkAniTimer"));
        frames << shownCell(frm);
    }
    QCOMPARE(frames, (QList<int>{1, 2, 3, 0, 1, 2, 3, 0}));

    for (NetOutcome result : {NetOutcome::Completed, NetOutcome::Failed}) {
        rig.module->NetStatus = result;
        frm.LinkShow();
        QCOMPARE(shownImage(frm), cellImage(frm, int(result)));
    }
}

void tst_SystTimeFrm::doubleClickOnTheLinkStopsTheTransfer()
{
    SystemRig rig;
    SystTimeFrm& frm = rig.forms->get<SystTimeFrm>();
    frm.show();
    QCOMPARE(control<QLabel>(frm, "LinkAniImg")->toolTip(), u"double-click to stop transfer"_s);
    QTest::mouseDClick(control<QLabel>(frm, "LinkAniImg"), Qt::LeftButton);
    QVERIFY(!control<QTimer>(frm, "LinkAniTimer")->isActive());

    control<QTimer>(frm, "LinkAniTimer")->start();
    QTest::mouseDClick(control<QLabel>(frm, "LinkAniImg"), Qt::LeftButton);
    QVERIFY(!control<QTimer>(frm, "LinkAniTimer")->isActive());
    QCOMPARE(control<Inet>(frm, "Inet1")->requestTimeout(), 1);
    QCOMPARE(rig.forms->loaded<SystTimeFrm>(), &frm);
}

void tst_SystTimeFrm::closingStopsTheLinkAndUnloads()
{
    SystemRig rig;
    SystTimeFrm& frm = rig.forms->get<SystTimeFrm>();
    frm.show();
    control<QTimer>(frm, "LinkAniTimer")->start();
    rig.fakes.sound.clear();
    QVERIFY(frm.close());

    QCOMPARE(control<Inet>(frm, "Inet1")->requestTimeout(), 1);
    QVERIFY(!control<QTimer>(frm, "LinkAniTimer")->isActive());
    QCOMPARE(rig.clicksPlayed(), 1);
    QVERIFY(!rig.forms->loaded<SystTimeFrm>());
}

void tst_SystTimeFrm::doubleClickOnTheLocalFaceOpensIt()
{
    SystemRig rig;
    QTest::mouseDClick(control<ClockFace>(*rig.window, "LC"), Qt::LeftButton);
    SystTimeFrm* frm = rig.forms->loaded<SystTimeFrm>();
    QVERIFY(frm);
    QVERIFY(frm->isVisible());
}

QTEST_MAIN(tst_SystTimeFrm)
#include "tst_SystTimeFrm.moc"
