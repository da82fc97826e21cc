#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

#include "InternetRig.h"
#include "support/UserInput.h"
#include "ui/system/PrefsFrm.h"
#include "ui/system/SystTimeFrm.h"

using namespace Qt::StringLiterals;

namespace {

const QString NoFlash = u"NO NEWSFLASH AVAILABLE RIGHT NOW"_s;

Settings westOfGreenwich(float hours)
{
    Settings stored;
    stored.BOffset = hours;
    return stored;
}

} // namespace

class tst_AutoSet : public QObject
{
    Q_OBJECT

private slots:
    void setsTimeAndDateAndReportsEachStep();
    void zoneAndServerDecideTimeAndDate_data();
    void zoneAndServerDecideTimeAndDate();
    void aStatedZoneUnlikeTheComputersSetsNothing();
    void unusableAnswersSetNothing_data();
    void unusableAnswersSetNothing();
    void failuresRotateServersSwitchTheBaseAndEndInAdvice();
    void aPlaceholderProxyIsRefusedBeforeAnyRequest();
    void newsflashCases_data();
    void newsflashCases();
    void aRefusedClockIsReportedInTheSystemsWords();
    void aLargeStepIsAskedShowingBothTimes();
    void statCopiesToTheClipboard();
    void theLinkPictureStopsATransferInEitherView_data();
    void theLinkPictureStopsATransferInEitherView();
};

void tst_AutoSet::setsTimeAndDateAndReportsEachStep()
{
    InternetRig rig;
    rig.answer(1, "Tue Dec  8 12:59:59 UTC 2026\n");
    const int clicksAtLoad = rig.clicksPlayed();
    QTest::mouseClick(control<QPushButton>(rig.frm, "AutoSetBtn"), Qt::LeftButton);

    QCOMPARE(rig.clicksPlayed(), clicksAtLoad + 1); // the try is heard as it starts
    QCOMPARE(rig.fakes.clock.settings(), QList<QDateTime>{QDateTime(QDate(2026, 12, 8), QTime(13, 0, 0))});
    QCOMPARE(rig.stat(),
             (QStringList{u"UTC acquired at 12:59:59  (GMT)"_s,
                          u"Your system time was 12:59:40 (local)"_s,
                          u"System time now set at 13:00:00 (local)"_s,
                          u"Date confirmed"_s,
                          u"TIME SET COMPLETE."_s}));
    QVERIFY(control<QWidget>(rig.frm, "AutoPanel")->isVisible());
    QVERIFY(!control<QGroupBox>(rig.frm, "Frame1")->isVisible() && !control<QGroupBox>(rig.frm, "Frame2")->isVisible());
    QCOMPARE(rig.module->NetStatus, NetOutcome::Completed);
    QCOMPARE(rig.module->TimeServer, qint16(1));
    QCOMPARE(rig.module->Tries, qint16(0));
    QVERIFY(!control<QTimer>(rig.frm, "LinkAniTimer")->isActive());
    QCOMPARE(control<QLabel>(rig.frm, "Label2")->text(), u"All clocks are right today."_s);
    QCOMPARE(control<QLabel>(rig.frm, "Label2")->palette().color(QPalette::WindowText), QColor(192, 0, 0));

    // The newsflash is fetched once per load of the window; Retry asks the server that answered.
    QTest::mouseClick(control<QPushButton>(rig.frm, "Command2"), Qt::LeftButton);
    QCOMPARE(rig.requests(), (QList<QByteArray>{dateRoute(1), Flash.toLatin1(), dateRoute(1)}));
    QCOMPARE(rig.fakes.clock.setCount(), 2);
}

void tst_AutoSet::zoneAndServerDecideTimeAndDate_data()
{
    QTest::addColumn<float>("bOffset");
    QTest::addColumn<int>("bHourOn");
    QTest::addColumn<int>("timeServer");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QDateTime>("set"); // at Greenwich
    QTest::addColumn<bool>("dated");
    QTest::addColumn<QString>("acquired");

    const auto utc = [](int month, int day, int hour, int minute, int second) {
        return QDateTime(QDate(2026, month, day), QTime(hour, minute, second), Qt::UTC);
    };
    // The computer reads 12:00 on 8 December in the stated zone. East of Greenwich the local date is the next day
    // in Greenwich's last hours, and the server's date is taken all the same.
    QTest::newRow("east with summer time") << -1.0f << -1 << 1 << QByteArray("Tue Dec  8 22:30:10 UTC 2026")
                                           << utc(12, 8, 22, 30, 11) << true << u"UTC acquired at 22:30:10  (GMT)"_s;
    QTest::newRow("west, evening before") << 5.0f << 0 << 2 << QByteArray("Wed Dec  9 00:00:00 UTC 2026")
                                          << utc(12, 9, 0, 0, 1) << true << u"UTC acquired at 00:00:00  (GMT)"_s;
    QTest::newRow("server 3 gives the time of day")
        << 5.0f << 0 << 3 << QByteArray("Wed Dec  9 23:59:00 UTC 2026") << utc(12, 8, 23, 59, 1) << false
        << u"UTC acquired at 23:59:00  (GMT)"_s;
    QTest::newRow("summer time answer") << 0.0f << 0 << 1 << QByteArray("Tue Jul  7 13:00:00 BST 2026")
                                        << utc(12, 8, 12, 0, 1) << false << u"UTC Time acquired ok."_s;
}

void tst_AutoSet::zoneAndServerDecideTimeAndDate()
{
    QFETCH(float, bOffset);
    QFETCH(int, bHourOn);
    QFETCH(int, timeServer);
    QFETCH(QByteArray, line);
    QFETCH(QDateTime, set);
    QFETCH(bool, dated);
    QFETCH(QString, acquired);

    Settings stored;
    stored.BOffset = bOffset;
    stored.BHourOn = qint16(bHourOn);
    stored.TimeServer = qint16(timeServer);
    const int secondsEast = int(-(bOffset + float(bHourOn)) * 3600);
    InternetRig rig(stored, QDateTime(QDate(2026, 12, 8), QTime(12, 0), Qt::OffsetFromUTC, secondsEast));
    rig.answer(timeServer, line);
    QTest::mouseClick(control<QPushButton>(rig.frm, "AutoSetBtn"), Qt::LeftButton);

    QCOMPARE(rig.fakes.clock.settings(), QList<QDateTime>{set});
    QCOMPARE(rig.stat().first(), acquired);
    QVERIFY(rig.stat().contains(u"System time now set at "_s + set.toOffsetFromUtc(secondsEast).toString(u"HH:mm:ss"_s)
                                + u" (local)"_s));
    QCOMPARE(rig.stat().contains(u"Date confirmed"_s), dated);
    QCOMPARE(rig.stat().last(), u"TIME SET COMPLETE."_s);
}

void tst_AutoSet::aStatedZoneUnlikeTheComputersSetsNothing()
{
    InternetRig rig(westOfGreenwich(5)); // the computer's clock runs at Greenwich
    rig.answer(1, "Tue Dec  8 12:00:00 UTC 2026");
    QTest::mouseClick(control<QPushButton>(rig.frm, "AutoSetBtn"), Qt::LeftButton);

    QCOMPARE(rig.fakes.clock.setCount(), 0);
    QCOMPARE(rig.stat(),
             (QStringList{
                 u"UTC acquired at 12:00:00  (GMT)"_s,
                 u"Your GMT / UTC clock puts this computer at GMT-5, but the computer's own zone is at GMT+0 now."_s,
                 u"Set the GMT / UTC clock to GMT+0 (double-click its face), then try again."_s,
                 u"Zones differ, time not set."_s}));
    QCOMPARE(rig.module->NetStatus, NetOutcome::Failed);
    QCOMPARE(rig.module->Tries, qint16(0));
}

void tst_AutoSet::unusableAnswersSetNothing_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QStringList>("stat");

    QTest::newRow("not a time line") << QByteArray("<html>sorry</html>")
                                     << QStringList{u"Establishing connection..."_s,
                                                    u"Time server  1"_s,
                                                    u"Data error 01, time not set."_s};
    QTest::newRow("no time in its place")
        << QByteArray("Tue Dec  8 25:61:00 UTC 2026")
        << QStringList{u"Result = 25:61:00 "_s, u"(the result may be useful)"_s, u"Data error 02, time not set."_s};
}

void tst_AutoSet::unusableAnswersSetNothing()
{
    QFETCH(QByteArray, line);
    QFETCH(QStringList, stat);

    InternetRig rig;
    rig.answer(1, line);
    QTest::mouseClick(control<QPushButton>(rig.frm, "AutoSetBtn"), Qt::LeftButton);
    QCOMPARE(rig.stat(), stat);
    QCOMPARE(rig.fakes.clock.setCount(), 0);
    QCOMPARE(rig.module->NetStatus, NetOutcome::Failed);
    QCOMPARE(rig.module->Tries, qint16(0));
    QCOMPARE(rig.requests(), QList<QByteArray>{dateRoute(1)}); // no newsflash after a failure
}

void tst_AutoSet::failuresRotateServersSwitchTheBaseAndEndInAdvice()
{
    Settings stored;
    stored.TimeServer = 2;
    stored.MServer = ServerBase::Primary;
    InternetRig rig(stored);
    rig.unplugTimeServers();

    QStringList asked;
    QList<ServerBase> bases;
    for (int click = 0; click < 5; ++click) {
        QTest::mouseClick(click == 0 ? control<QPushButton>(rig.frm, "AutoSetBtn")
                                     : control<QPushButton>(rig.frm, "Command2"),
                          Qt::LeftButton);
        asked << rig.serverAsked();
        bases << rig.module->MServer;
        QCOMPARE(rig.stat().last(), u"bad link"_s);
        QCOMPARE(rig.module->NetStatus, NetOutcome::Failed);
    }
    QCOMPARE(
        asked,
        (QStringList{
            u"Time server  2"_s, u"Time server  3"_s, u"Time server  1"_s, u"Time server  2"_s, u"Time server  3"_s}));
    QCOMPARE(bases,
             (QList<ServerBase>{ServerBase::Fallback,
                                ServerBase::Primary,
                                ServerBase::Fallback,
                                ServerBase::Primary,
                                ServerBase::Fallback}));
    QCOMPARE(rig.module->Tries, qint16(5));

    // The sixth click gives advice instead of a request.
    rig.fakes.dialogs.clear();
    QTest::mouseClick(control<QPushButton>(rig.frm, "Command2"), Qt::LeftButton);
    QCOMPARE(rig.fakes.dialogs.shown().size(), 1);
    QVERIFY(rig.fakes.dialogs.shown().first().text.startsWith(u"If you are continuously having difficulty"_s));
    QVERIFY(rig.forms->loaded<PrefsFrm>() && rig.forms->loaded<PrefsFrm>()->isVisible());
    QCOMPARE(rig.module->Tries, qint16(0));
    QVERIFY(rig.stat().isEmpty());

    // The next request starts again from the server used last; the newsflash then comes from the mirror.
    rig.module->NetEndpoints.timeServers.at(2) = rig.server.hostAndPort() + QString::fromLatin1(dateRoute(3));
    rig.answer(3, "Tue Dec  8 12:59:59 UTC 2026");
    rig.module->TimeServer = 3;
    QTest::mouseClick(control<QPushButton>(rig.frm, "Command2"), Qt::LeftButton);
    QCOMPARE(rig.stat().last(), u"TIME SET COMPLETE."_s);
    QCOMPARE(control<QLabel>(rig.frm, "Label2")->text(), u"From the mirror."_s);
}

void tst_AutoSet::aPlaceholderProxyIsRefusedBeforeAnyRequest()
{
    for (const QString& proxy : {u"www.proxy."_s, u"ab"_s}) {
        Settings stored;
        stored.NetAccess = Connection::Proxy;
        stored.ProxyName = proxy;
        InternetRig rig(stored);
        rig.fakes.dialogs.clear();
        QTest::mouseClick(control<QPushButton>(rig.frm, "AutoSetBtn"), Qt::LeftButton);
        QVERIFY(rig.requests().isEmpty());
        QCOMPARE(rig.fakes.dialogs.shown().size(), 1);
        QVERIFY(rig.fakes.dialogs.shown().first().text.startsWith(u"You are attempting to connect via a proxy"_s));
        QVERIFY(rig.forms->loaded<PrefsFrm>());
        QCOMPARE(rig.module->NetStatus, NetOutcome::Pending);
    }
}

void tst_AutoSet::newsflashCases_data()
{
    QTest::addColumn<bool>("served");
    QTest::addColumn<QByteArray>("flash");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("command2");

    QTest::newRow("empty") << true << QByteArray() << NoFlash << u"&Retry"_s;
    QTest::newRow("missing file page") << false << QByteArray() << NoFlash << u"&Retry"_s;
    QTest::newRow("fetch button") << true << QByteArray("New version: press the fetch button.")
                                  << u"New version: press the fetch button."_s << u"FETCH"_s;
    QTest::newRow("FETCH button") << true << QByteArray("Press the FETCH button.") << u"Press the FETCH button."_s
                                  << u"FETCH"_s;
    QTest::newRow("other capitals") << true << QByteArray("Press the Fetch Button.") << u"Press the Fetch Button."_s
                                    << u"&Retry"_s;
}

void tst_AutoSet::newsflashCases()
{
    QFETCH(bool, served);
    QFETCH(QByteArray, flash);
    QFETCH(QString, shown);
    QFETCH(QString, command2);

    InternetRig rig;
    rig.server.addBody(Flash.toLatin1(), flash, served ? 200 : 404);
    if (!served) {
        rig.server.addBody(Flash.toLatin1(), LoopbackHttpServer::NotFoundPage, 404);
    }
    rig.answer(1, "Tue Dec  8 12:59:59 UTC 2026");
    QTest::mouseClick(control<QPushButton>(rig.frm, "AutoSetBtn"), Qt::LeftButton);
    QCOMPARE(control<QLabel>(rig.frm, "Label2")->text(), shown);
    QCOMPARE(control<QPushButton>(rig.frm, "Command2")->text(), command2);
    QCOMPARE(control<QPushButton>(rig.frm, "Command2")->toolTip().isEmpty(), command2 == u"FETCH"_s);
}

void tst_AutoSet::aRefusedClockIsReportedInTheSystemsWords()
{
    Settings stored;
    stored.MServer = ServerBase::Fallback;
    InternetRig rig(stored);
    rig.answer(1, "Tue Dec  8 12:59:59 UTC 2026");
    rig.fakes.clock.refuseNextSet(u"The system refused to set the clock: Read-only file system"_s);
    QTest::mouseClick(control<QPushButton>(rig.frm, "AutoSetBtn"), Qt::LeftButton);

    // The network did not fail: no "bad link", and the update server keeps its address.
    QCOMPARE(
        rig.stat().mid(rig.stat().size() - 2),
        (QStringList{u"The system refused to set the clock: Read-only file system"_s, u"Refused, time not set."_s}));
    QCOMPARE(rig.module->NetStatus, NetOutcome::Failed);
    QCOMPARE(rig.module->MServer, ServerBase::Fallback);
    QVERIFY(!control<QTimer>(rig.frm, "LinkAniTimer")->isActive());
    QCOMPARE(rig.fakes.clock.askings(), QList<Clock::Asking>{Clock::Asking::MayAsk});
}

void tst_AutoSet::aLargeStepIsAskedShowingBothTimes()
{
    InternetRig rig;
    rig.answer(1, "Tue Dec  8 18:30:09 UTC 2026");
    rig.fakes.dialogs.setNextAnswer(Dialogs::Answer::No);
    clickAt(control<QPushButton>(rig.frm, "AutoSetBtn"));

    QCOMPARE(rig.fakes.dialogs.shown().size(), 1);
    const FakeDialogs::Shown question = rig.fakes.dialogs.shown().first();
    QCOMPARE(question.title, u"HUXO 5.1"_s);
    QCOMPARE(question.buttons, Dialogs::Buttons::YesNoDefaultNo);
    QCOMPARE(question.icon, Dialogs::Icon::Question);
    QCOMPARE(question.text,
             u"The time server's time is 5 hours 30 minutes ahead of the computer's clock.\n\n"
             u"This computer: Tuesday 08 Dec 2026 12:59:40\nTime server: Tuesday 08 Dec 2026 18:30:10\n"
             u"(local time)\n\nSet the computer's clock to the time server's time?"_s);
    QCOMPARE(rig.fakes.clock.setCount(), 0);
    QCOMPARE(rig.stat().last(), u"Large step, time not set."_s);

    // Asked again, the user agrees.
    clickAt(control<QPushButton>(rig.frm, "Command2"));
    QCOMPARE(rig.fakes.clock.settings(), QList<QDateTime>{QDateTime(QDate(2026, 12, 8), QTime(18, 30, 10))});
    QCOMPARE(rig.stat().last(), u"TIME SET COMPLETE."_s);
}

void tst_AutoSet::statCopiesToTheClipboard()
{
    InternetRig rig;
    rig.answer(1, "Tue Dec  8 12:59:59 UTC 2026");
    QTest::mouseClick(control<QPushButton>(rig.frm, "AutoSetBtn"), Qt::LeftButton);
    control<QListWidget>(rig.frm, "Stat")->setFocus();
    QTest::keyClick(control<QListWidget>(rig.frm, "Stat"), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), rig.stat().join(u'\n'));
}

void tst_AutoSet::theLinkPictureStopsATransferInEitherView_data()
{
    QTest::addColumn<bool>("fromProgressPanel");
    QTest::newRow("Auto Set, over the progress panel") << true;
    QTest::newRow("update retrieval, over the first view") << false;
}

void tst_AutoSet::theLinkPictureStopsATransferInEitherView()
{
    QFETCH(bool, fromProgressPanel);
    InternetRig rig;
    rig.server.addSilent(dateRoute(1));
    rig.server.addSilent("/main/x__c51/dst.txt");
    if (!fromProgressPanel) {
        doubleClickAt(control<QLabel>(rig.frm, "HUXOLBL_0")); // arms
    }

    // The user double-clicks where the picture is seen while the answer is awaited.
    QTimer::singleShot(200, rig.frm, [&rig] {
        QVERIFY(control<QTimer>(rig.frm, "LinkAniTimer")->isActive());
        doubleClickAt(control<QLabel>(rig.frm, "LinkAniImg"));
    });
    if (fromProgressPanel) {
        clickAt(control<QPushButton>(rig.frm, "AutoSetBtn"));
        QVERIFY(control<QWidget>(rig.frm, "AutoPanel")->isVisible());
    } else {
        doubleClickAt(control<QLabel>(rig.frm, "HUXOLBL_0"));
        QVERIFY(control<QGroupBox>(rig.frm, "Frame2")->isVisible());
    }

    QCOMPARE(rig.stat().mid(rig.stat().size() - 2), (QStringList{u"The transfer was stopped."_s, u"bad link"_s}));
    QVERIFY(!control<QTimer>(rig.frm, "LinkAniTimer")->isActive());
    QCOMPARE(rig.module->NetStatus, NetOutcome::Failed);
    QTRY_COMPARE(rig.server.hangUps(), 1);
}

QTEST_MAIN(tst_AutoSet)
#include "tst_AutoSet.moc"
