#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "InternetRig.h"
#include "support/Control.h"
#include "support/UpdateServerFiles.h"
#include "support/UserInput.h"
#include "ui/alarms/AlarmFrm.h"
#include "ui/system/CTimesFrm.h"
#include "zones/DstText.h"

using namespace Qt::StringLiterals;

namespace {

QList<QByteArray> updateRequests(const QByteArray& base)
{
    QList<QByteArray> targets;
    for (const char* name : {"dst.txt", "head.txt", "news.txt", "picc.gif"}) {
        targets << base + "x__c51/" + name;
    }
    return targets;
}

Settings onServer(ServerBase mserver)
{
    Settings stored;
    stored.MServer = mserver;
    return stored;
}

void doubleClick(QWidget* control)
{
    QTest::mouseDClick(control, Qt::LeftButton);
}

} // namespace

class tst_Updates : public QObject
{
    Q_OBJECT

private slots:
    void theFirstDoubleClickArmsTheNextRetrieves();
    void newsMakesTheNewsletterAndClosesTheWindow();
    void theSecondServerServesEveryFile();
    void aRunningTransferRefusesARetrieval();
    void aTextTooLongForTheRecordKeepsTheOldFile();
    void theFetchButtonSavesTheNewProgramWithoutStartingIt();
    void newsletterPrintsUnlessADownloadRuns();
    void newsletterDownloadAsksBeforeCancellingAnAlarm();
    void aNewsletterDownloadThatFailsSaysSoAndMayBeTriedAgain();
    void closingTheNewsletterDuringItsDownloadStopsIt();
};

void tst_Updates::theFirstDoubleClickArmsTheNextRetrieves()
{
    InternetRig rig(onServer(ServerBase::Primary));
    serveUpdates(rig.server, "/main/", "tiny");
    doubleClick(control<QLabel>(rig.frm, "HUXOLBL_0"));
    QCOMPARE(rig.frm->windowTitle(), u"HUXO Updates"_s);
    QCOMPARE(rig.stat(), (QStringList{u"Ready to retrieve updates"_s, u"double-click again to proceed."_s}));
    QVERIFY(rig.requests().isEmpty());

    doubleClick(control<QLabel>(rig.frm, "HUXOLBL_0"));
    QCOMPARE(rig.requests(), updateRequests("/main/"));
    QCOMPARE(rig.stat(),
             (QStringList{u"Establishing connection..."_s,
                          u"HUXO server  1"_s,
                          u"Retrieving Updates..."_s,
                          u"PLEASE WAIT"_s,
                          u"Retrieved dst.txt at 12:59:40 (local)"_s,
                          u"No HUXO TIMES today."_s,
                          u"RETRIEVAL COMPLETE"_s}));
    QCOMPARE(DstText::readFile(rig.module->programFile(u"dst.txt"_s)), DstBody);
    QCOMPARE(fileBytes(rig.module->programFile(u"pic.gif"_s)), pictureBytes());
    QCOMPARE(rig.module->NetStatus, NetOutcome::Completed);
    QVERIFY(!rig.forms->loaded<CTimesFrm>());
    QVERIFY(!control<QTimer>(rig.frm, "LinkAniTimer")->isActive());

    // Armed for the window's life: one more double-click retrieves again.
    doubleClick(control<QLabel>(rig.frm, "HUXOLBL_1"));
    QCOMPARE(rig.requests().size(), 8);
}

void tst_Updates::newsMakesTheNewsletterAndClosesTheWindow()
{
    InternetRig rig(onServer(ServerBase::Primary));
    serveUpdates(rig.server, "/main/", "There is free disk space for everyone.");
    doubleClick(control<QLabel>(rig.frm, "HUXOLBL_0")); // arms
    doubleClick(control<QLabel>(rig.frm, "HUXOLBL_1"));

    CTimesFrm* newsletter = rig.forms->loaded<CTimesFrm>();
    QVERIFY(newsletter && newsletter->isVisible());
    QVERIFY(rig.forms->Forms::newsletterShown());
    QCOMPARE(control<QLabel>(newsletter, "HeadLbl")->text(), u"Big news"_s);
    QCOMPARE(control<QLabel>(newsletter, "ParagLbl")->text(), u"There is free disk space for everyone."_s);
    QCOMPARE(control<QLabel>(newsletter, "DateLbl")->text(), u"Tuesday 08 Dec 2026"_s);
    QCOMPARE(control<QLabel>(newsletter, "Image1")->pixmap().size(), QSize(8, 8));
    QVERIFY(!control<QPushButton>(newsletter, "DLDBtn")->isHidden());
    QVERIFY(!rig.forms->loaded<SystTimeFrm>());
}

void tst_Updates::theSecondServerServesEveryFile()
{
    InternetRig rig(onServer(ServerBase::Fallback));
    serveUpdates(rig.server, "/mirror/", "No download offered in this issue, only news.");
    doubleClick(control<QLabel>(rig.frm, "HUXOLBL_0")); // arms
    doubleClick(control<QLabel>(rig.frm, "HUXOLBL_0"));
    QCOMPARE(rig.requests(), updateRequests("/mirror/"));
    CTimesFrm* newsletter = rig.forms->loaded<CTimesFrm>();
    QVERIFY(newsletter);
    QVERIFY(control<QPushButton>(newsletter, "DLDBtn")->isHidden());
}

void tst_Updates::aRunningTransferRefusesARetrieval()
{
    InternetRig rig(onServer(ServerBase::Primary));
    doubleClick(control<QLabel>(rig.frm, "HUXOLBL_0")); // arms
    control<QTimer>(rig.frm, "LinkAniTimer")->start();
    doubleClick(control<QLabel>(rig.frm, "HUXOLBL_0"));
    QCOMPARE(rig.stat(), QStringList{u"BUSY - PLEASE WAIT."_s});
    QVERIFY(rig.requests().isEmpty());
}

void tst_Updates::aTextTooLongForTheRecordKeepsTheOldFile()
{
    InternetRig rig(onServer(ServerBase::Primary));
    const QString dstPath = rig.module->programFile(u"dst.txt"_s);
    QVERIFY(DstText::writeFile(dstPath, DstBody));
    rig.server.addBody("/main/x__c51/dst.txt", QByteArray(DstText::MaxTextLength + 1, 'x'));
    doubleClick(control<QLabel>(rig.frm, "HUXOLBL_0")); // arms
    doubleClick(control<QLabel>(rig.frm, "HUXOLBL_0"));

    QCOMPARE(rig.stat().last(), u"bad link"_s);
    QCOMPARE(rig.module->NetStatus, NetOutcome::Failed);
    QCOMPARE(rig.module->MServer, ServerBase::Primary);
    QCOMPARE(DstText::readFile(dstPath), DstBody);
    QCOMPARE(rig.requests().size(), 1);
    QVERIFY(!control<QTimer>(rig.frm, "LinkAniTimer")->isActive());
}

void tst_Updates::theFetchButtonSavesTheNewProgramWithoutStartingIt()
{
    InternetRig rig(onServer(ServerBase::Primary));
    rig.answer(1, "Tue Dec  8 12:59:59 UTC 2026");
    rig.server.addBody(Flash.toLatin1(), "A new version: press the fetch button.");
    rig.server.addBody("/main/x__c51/new.ex", "MZ new program");
    QTest::mouseClick(control<QPushButton>(rig.frm, "AutoSetBtn"), Qt::LeftButton);
    QCOMPARE(control<QPushButton>(rig.frm, "Command2")->text(), u"FETCH"_s);

    rig.fakes.dialogs.clear();
    QTest::mouseClick(control<QPushButton>(rig.frm, "Command2"), Qt::LeftButton);
    const QString saved = rig.module->programFile(u"new.exe"_s);
    QCOMPARE(fileBytes(saved), QByteArray("MZ new program"));
    QVERIFY(!(QFile::permissions(saved) & (QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther)));
    QVERIFY(rig.fakes.launcher.started().isEmpty());
    // One message says it arrived, where it is, that it was not run and how to run it.
    QCOMPARE(rig.fakes.dialogs.shown().size(), 1);
    const QString told = rig.fakes.dialogs.shown().at(0).text;
    QVERIFY2(told.startsWith(u"Your new file 'new.exe' has arrived.\n"_s), qPrintable(told));
    QVERIFY2(told.contains(u"saved in "_s + rig.dir.path() + u", and HUXO has not run it"_s), qPrintable(told));
    QVERIFY2(told.contains(u"chmod u+x new.exe\n./new.exe"_s), qPrintable(told));
    QVERIFY(!rig.forms->loaded<SystTimeFrm>());
}

void tst_Updates::newsletterPrintsUnlessADownloadRuns()
{
    SystemRig rig;
    CTimesFrm& newsletter = rig.forms->get<CTimesFrm>();
    newsletter.show();
    doubleClick(control<QLabel>(newsletter, "Label4"));
    QCOMPARE(rig.fakes.printer.printed().size(), 1);
    QCOMPARE(rig.fakes.printer.printed().first().size(), newsletter.grab().toImage().size());

    rig.fakes.printer.setFails(true);
    doubleClick(control<QLabel>(newsletter, "Label4"));
    QCOMPARE(rig.fakes.dialogs.shown().size(), 1);
    QCOMPARE(rig.fakes.dialogs.shown().first().text, u"Sorry - could not print"_s);

    rig.fakes.printer.setFails(false);
    control<QLabel>(newsletter, "WaitLbl")->show();
    doubleClick(control<QLabel>(newsletter, "Label4"));
    QCOMPARE(rig.fakes.printer.printed().size(), 1);
}

void tst_Updates::newsletterDownloadAsksBeforeCancellingAnAlarm()
{
    InternetRig rig(onServer(ServerBase::Primary));
    rig.server.addBody("/main/x__c51/self.ex", "MZ accessory");
    rig.module->MServerBase = rig.module->NetEndpoints.primaryBase;
    rig.forms->alarm = true;
    QTimer* alarmTimer = control<QTimer>(rig.forms->get<AlarmFrm>(), "Timer1");
    control<QPushButton>(rig.forms->get<AlarmFrm>(), "Command1")->click();
    QCOMPARE(rig.window->windowTitle(), u"HUXO 5.1 (alarm set)"_s);
    CTimesFrm& newsletter = rig.forms->get<CTimesFrm>();
    newsletter.show();

    rig.fakes.dialogs.setNextAnswer(Dialogs::Answer::No);
    control<QPushButton>(newsletter, "DLDBtn")->show();
    QTest::mouseClick(control<QPushButton>(newsletter, "DLDBtn"), Qt::LeftButton);
    QCOMPARE(rig.fakes.dialogs.shown().size(), 1);
    QCOMPARE(rig.fakes.dialogs.shown().first().title, u"Warning"_s);
    QVERIFY(alarmTimer->isActive());
    QVERIFY(rig.requests().isEmpty());

    rig.fakes.dialogs.clear();
    control<QPushButton>(newsletter, "DLDBtn")->show();
    QTest::mouseClick(control<QPushButton>(newsletter, "DLDBtn"), Qt::LeftButton); // an empty queue answers Yes
    QVERIFY(!alarmTimer->isActive());
    QCOMPARE(rig.window->windowTitle(), u"HUXO 5.1"_s);
    QCOMPARE(fileBytes(rig.module->programFile(u"inst.exe"_s)), QByteArray("MZ accessory"));
    QCOMPARE(rig.fakes.dialogs.shown().size(), 2);
    QVERIFY(rig.fakes.dialogs.shown().at(1).text.startsWith(u"Your new file 'inst.exe' has arrived."_s));
    QVERIFY(rig.fakes.launcher.started().isEmpty());
    QVERIFY(control<QLabel>(newsletter, "WaitLbl")->isHidden());
}

void tst_Updates::aNewsletterDownloadThatFailsSaysSoAndMayBeTriedAgain()
{
    InternetRig rig(onServer(ServerBase::Primary));
    rig.module->MServerBase = rig.module->NetEndpoints.primaryBase; // self.ex is not served: a 404 page comes
    CTimesFrm& newsletter = rig.forms->get<CTimesFrm>();
    control<QPushButton>(newsletter, "DLDBtn")->show();
    newsletter.show();
    clickAt(control<QPushButton>(newsletter, "DLDBtn"));

    QVERIFY(!QFile::exists(rig.module->programFile(u"inst.exe"_s)));
    QCOMPARE(rig.fakes.dialogs.shown().size(), 1);
    const QString told = rig.fakes.dialogs.shown().first().text;
    QVERIFY2(told.startsWith(u"Your file 'inst.exe' did not arrive. "_s) && told.contains(u"404"_s), qPrintable(told));
    QVERIFY(control<QLabel>(newsletter, "WaitLbl")->isHidden());
    QVERIFY(!control<QPushButton>(newsletter, "DLDBtn")->isHidden());
    QCOMPARE(control<QPushButton>(newsletter, "DLDBtn")->text(), u"&Download"_s);
}

void tst_Updates::closingTheNewsletterDuringItsDownloadStopsIt()
{
    InternetRig rig(onServer(ServerBase::Primary));
    rig.server.addSilent("/main/x__c51/self.ex");
    rig.module->MServerBase = rig.module->NetEndpoints.primaryBase;
    const QString older = rig.module->programFile(u"inst.exe"_s);
    QFile file(older);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("MZ the older accessory");
    file.close();
    QPointer<CTimesFrm> newsletter = &rig.forms->get<CTimesFrm>();
    control<QPushButton>(newsletter, "DLDBtn")->show();
    newsletter->show();

    QTimer::singleShot(100, newsletter, [newsletter] { closeFromTitleBar(newsletter); });
    clickAt(control<QPushButton>(newsletter, "DLDBtn"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QVERIFY(!newsletter);
    QTRY_COMPARE(rig.server.hangUps(), 1);
    QCOMPARE(fileBytes(older), QByteArray("MZ the older accessory"));
    QVERIFY(rig.fakes.dialogs.shown().isEmpty());
}

QTEST_MAIN(tst_Updates)
#include "tst_Updates.moc"
