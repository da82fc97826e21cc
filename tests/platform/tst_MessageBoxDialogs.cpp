#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

#include "platform/MessageBoxDialogs.h"

// The real message boxes, answered from the keyboard as a user would.
class tst_MessageBoxDialogs : public QObject
{
    Q_OBJECT

private slots:
    void enterAnswersTheSafeDefault_data();
    void enterAnswersTheSafeDefault();
    void textIsShownAsWritten();
};

using namespace Qt::Literals::StringLiterals;

namespace {

// Runs check on the message box once it shows; check presses the key that closes it.
void inNextBox(std::function<void(QMessageBox*)> check)
{
    QTimer::singleShot(0, [check = std::move(check)] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        check(box);
    });
}

} // namespace

void tst_MessageBoxDialogs::enterAnswersTheSafeDefault_data()
{
    QTest::addColumn<Dialogs::Buttons>("buttons");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Dialogs::Answer>("answer");
    QTest::newRow("ordinary question, Enter") << Dialogs::Buttons::YesNo << Qt::Key_Return << Dialogs::Answer::Yes;
    QTest::newRow("hard to undo, Enter") << Dialogs::Buttons::YesNoDefaultNo << Qt::Key_Return << Dialogs::Answer::No;
    QTest::newRow("hard to undo, Escape") << Dialogs::Buttons::YesNoDefaultNo << Qt::Key_Escape << Dialogs::Answer::No;
    QTest::newRow("hard to undo, Y") << Dialogs::Buttons::YesNoDefaultNo << Qt::Key_Y << Dialogs::Answer::Yes;
}

void tst_MessageBoxDialogs::enterAnswersTheSafeDefault()
{
    QFETCH(Dialogs::Buttons, buttons);
    QFETCH(Qt::Key, key);
    QFETCH(Dialogs::Answer, answer);
    MessageBoxDialogs dialogs;
    inNextBox([key](QMessageBox* box) { QTest::keyClick(box, key); });
    QCOMPARE(dialogs.ask(u"Set the clock?"_s, u"HUXO 5.1"_s, Dialogs::Icon::Question, buttons, nullptr), answer);
}

void tst_MessageBoxDialogs::textIsShownAsWritten()
{
    MessageBoxDialogs dialogs;
    QString seen;
    Qt::TextFormat format = Qt::AutoText;
    inNextBox([&seen, &format](QMessageBox* box) {
        seen = box->text();
        format = box->textFormat();
        QTest::keyClick(box, Qt::Key_Return);
    });
    dialogs.tell(u"<b>refused</b>"_s, u"HUXO 5.1"_s);
    QCOMPARE(seen, u"<b>refused</b>"_s);
    QCOMPARE(format, Qt::PlainText);
}

QTEST_MAIN(tst_MessageBoxDialogs)
#include "tst_MessageBoxDialogs.moc"
