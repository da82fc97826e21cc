#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "InternetRig.h"
#include "support/UpdateServerFiles.h"
#include "support/UserInput.h"
#include "ui/alarms/AlarmFrm.h"
#include "ui/alarms/AlarmMsgFrm.h"
#include "ui/info/ACTdoneFrm.h"
#include "ui/info/AbtFrm.h"
#include "ui/info/HUXOhlp.h"
#include "ui/settings/SetTimeFrm.h"
#include "ui/system/CTimesFrm.h"
#include "ui/system/PrefsFrm.h"

using namespace Qt::StringLiterals;

namespace {

// A picture that never ends, and layout work that grows with every level of nesting.
const QByteArray EndlessPicture = "<img src='/dev/zero'>";
const QByteArray NestedTables = QByteArray("<table><tr><td>").repeated(20) + "deep";

void expectShownAsItStands(const QLabel* label, const QByteArray& text)
{
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QCOMPARE(label->text(), QString::fromLatin1(text));
}

} // namespace

class tst_ServerText : public QObject
{
    Q_OBJECT

private slots:
    void markupInTheNewsflashIsShownAsItStands_data();
    void markupInTheNewsflashIsShownAsItStands();
    void markupInTheNewsletterIsShownAsItStands();
    void everyLabelOfEveryWindowShowsPlainText();
};

void tst_ServerText::markupInTheNewsflashIsShownAsItStands_data()
{
    QTest::addColumn<QByteArray>("flash");
    QTest::newRow("endless picture") << EndlessPicture;
    QTest::newRow("nested tables") << NestedTables;
    QTest::newRow("restyling") << QByteArray("<b style='font-size:90pt'>press the fetch button</b>");
}

void tst_ServerText::markupInTheNewsflashIsShownAsItStands()
{
    QFETCH(QByteArray, flash);
    InternetRig rig;
    rig.answer(1, "Tue Dec  8 12:59:59 UTC 2026");
    rig.server.addBody(Flash.toLatin1(), flash);
    clickAt(control<QPushButton>(rig.frm, "AutoSetBtn"));

    QCOMPARE(rig.stat().last(), u"TIME SET COMPLETE."_s);
    expectShownAsItStands(control<QLabel>(rig.frm, "Label2"), flash);
}

void tst_ServerText::markupInTheNewsletterIsShownAsItStands()
{
    InternetRig rig;
    serveUpdates(rig.server, "/main/", NestedTables);
    rig.server.addBody("/main/x__c51/head.txt", EndlessPicture);
    doubleClickAt(control<QLabel>(rig.frm, "HUXOLBL_0")); // arms
    doubleClickAt(control<QLabel>(rig.frm, "HUXOLBL_0"));

    CTimesFrm* newsletter = rig.forms->loaded<CTimesFrm>();
    QVERIFY(newsletter && newsletter->isVisible());
    expectShownAsItStands(control<QLabel>(newsletter, "HeadLbl"), EndlessPicture);
    expectShownAsItStands(control<QLabel>(newsletter, "ParagLbl"), NestedTables);
}

// Captions come from the settings file and several labels from servers: no label of the program reads markup.
void tst_ServerText::everyLabelOfEveryWindowShowsPlainText()
{
    SystemRig rig;
    SetTimeFrm::showFor(*rig.forms, u"C"_s, u"RIO"_s);
    const QList<QWidget*> windows{rig.window.get(),
                                  &rig.forms->get<SystTimeFrm>(),
                                  &rig.forms->get<CTimesFrm>(),
                                  &rig.forms->get<PrefsFrm>(),
                                  &rig.forms->get<ACTdoneFrm>(),
                                  &rig.forms->get<AbtFrm>(),
                                  &rig.forms->get<HUXOhlp>(),
                                  &rig.forms->get<AlarmFrm>(),
                                  &rig.forms->get<AlarmMsgFrm>(),
                                  rig.forms->loaded<SetTimeFrm>()};
    int labels = 0;
    for (QWidget* window : windows) {
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            QVERIFY2(label->textFormat() == Qt::PlainText,
                     qPrintable(window->objectName() + u' ' + label->objectName() + u' ' + label->text()));
            ++labels;
        }
    }
    QVERIFY(labels > 50);
}

QTEST_MAIN(tst_ServerText)
#include "tst_ServerText.moc"
