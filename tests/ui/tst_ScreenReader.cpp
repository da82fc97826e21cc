#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include "support/MainWindowRig.h"
#include "ui/AccessibleNames.h"
#include "ui/settings/SetTimeFrm.h"

using namespace Qt::StringLiterals;

namespace {

// What a user reads or works, whatever it is; panels and fillers only hold the controls, unless they take the focus.
const QStringList ControlRoles =
    u"push button,toggle button,check box,radio button,spin button,list,list item,entry,text,scroll bar,image"_s.split(
        u',');

// Runs the screen reader's side, which asks this process over the accessibility bus: it is answered only while this
// process's event loop runs, so the wait keeps the loop going. The distribution's Python has the accessibility client.
QByteArray askTheScreenReader(const QStringList& arguments)
{
    QProcess reader;
    reader.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    reader.start(u"/usr/bin/python3"_s,
                 QStringList{QStringLiteral(HUXO_ATSPI_TREE), QString::number(QCoreApplication::applicationPid())}
                     + arguments);
    if (!QTest::qWaitFor([&reader] { return reader.state() == QProcess::NotRunning; }, 90000)
        || reader.exitStatus() != QProcess::NormalExit || reader.exitCode() != 0) {
        reader.kill();
        reader.waitForFinished();
        return "failed";
    }
    return reader.readAllStandardOutput();
}

} // namespace

class tst_ScreenReader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyControlHasANameAndThePinWorksByIt();

private:
    AccessibleNames m_names;
};

void tst_ScreenReader::initTestCase()
{
    if (QGuiApplication::platformName() != u"xcb") {
        QSKIP("runs in the screen reader's session of support/screen_reader_session.sh");
    }
    qApp->installEventFilter(&m_names);
}

void tst_ScreenReader::everyControlHasANameAndThePinWorksByIt()
{
    Settings stored;
    stored.SetupDone = Flag::On; // no licence to read first
    MainWindowRig rig(&stored);
    SetTimeFrm& settings = SetTimeFrm::showFor(*rig.forms, u"C"_s, u"WELCOME"_s);
    QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
    QVERIFY(QTest::qWaitForWindowExposed(&settings));

    const QByteArray view = askTheScreenReader({});
    QVERIFY(view != "failed");
    QSet<QString> internal;
    for (const QObject* control : rig.window->findChildren<QObject*>() + settings.findChildren<QObject*>()) {
        internal.insert(control->objectName());
    }
    internal.remove(QString());
    QStringList faults;
    QStringList names;
    for (const QByteArray& line : view.split('\n')) {
        const QJsonObject found = QJsonDocument::fromJson(line).object();
        const QString name = found[u"name"_s].toString();
        const QString where = found[u"window"_s].toString() + u": "_s + found[u"role"_s].toString();
        const bool control = found[u"focusable"_s].toBool() || ControlRoles.contains(found[u"role"_s].toString());
        if (control && name.trimmed().isEmpty()) {
            faults << where + u" without a name"_s;
        } else if (internal.contains(name)) {
            faults << where + u" called by its code name "_s + name;
        }
        names << name;
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u"\n"_s)));
    // Both windows were read: the main window's pin and the settings window's map and hours.
    QVERIFY(names.contains(u"click to keep HUXO on top"_s));
    QVERIFY(names.contains(u"GMT+5:30, BOMBAY"_s));
    QVERIFY(names.contains(u"hours difference from GMT"_s));

    // The pin's toggle, as a screen reader's command does it, keeps the window on top and lets it go.
    QVERIFY(askTheScreenReader({u"click to keep HUXO on top"_s, u"toggle"_s}) != "failed");
    QVERIFY(rig.window->keptOnTop());
    QVERIFY(rig.fakes.windowOrder.isTopmost(rig.window.get()));

    QVERIFY(askTheScreenReader({u"double-click to release"_s, u"toggle"_s}) != "failed");
    QVERIFY(!rig.window->keptOnTop());
    QVERIFY(!rig.fakes.windowOrder.isTopmost(rig.window.get()));
}

QTEST_MAIN(tst_ScreenReader)
#include "tst_ScreenReader.moc"
