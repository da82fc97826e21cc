#include <QDBusVariant>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "alarms/AlarmRig.h"
#include "support/Control.h"
#include "support/DbusmockBus.h"

using namespace Qt::StringLiterals;

namespace {
const QString Path = u"/org/freedesktop/Notifications"_s;
const QString Interface = u"org.freedesktop.Notifications"_s;
} // namespace

class tst_DesktopNotifier : public QObject
{
    Q_OBJECT

private slots:
    void aRingingReminderReachesTheNotificationServiceAndComesForwardOnAClick();
};

void tst_DesktopNotifier::aRingingReminderReachesTheNotificationServiceAndComesForwardOnAClick()
{
    // The stand-in comes first: the program's services find its bus by name.
    DbusmockBus bus(u"notification_daemon"_s, Interface);
    if (!bus.unavailableReason().isEmpty()) {
        QSKIP(qPrintable(bus.unavailableReason()));
    }
    // The stand-in's own CloseNotification takes a signed number, not the standard's unsigned one.
    QDBusMessage close = bus.mockCall(Path, u"AddMethod"_s);
    close << Interface << u"CloseNotification"_s << u"u"_s << QString() << QString();
    QVERIFY(bus.connection().call(close).type() == QDBusMessage::ReplyMessage);
    AlarmRig rig;
    QSignalSpy shown(&rig.fakes.notifier, &DesktopNotifier::shown);
    control<QLineEdit>(rig.settings(), "Text1")->setText(u"Tea <now> & cake"_s);
    rig.setTimed("0", "1");
    rig.fakes.advanceSeconds(60);
    AlarmRig::tickTimer1(rig.settings());
    // Another notification of the program's, whose click must reach it alone.
    int otherClicks = 0;
    rig.fakes.notifier.notify(u"HUXO Reminder"_s, u"Leave"_s, [&otherClicks] { ++otherClicks; });

    QTRY_COMPARE(shown.size(), 2);
    const QVariantList notify = bus.methodCalls(Path, u"Notify"_s).value(0);
    QCOMPARE(notify.value(3).toString(), u"HUXO Reminder"_s);
    // The stand-in reads markup in the text, so the message goes escaped and shows as typed.
    QCOMPARE(notify.value(4).toString(), u"Tea &lt;now&gt; &amp; cake"_s);
    QVERIFY(notify.value(5).toStringList().contains(u"default"_s));

    const auto click = [&bus](uint id) {
        QDBusMessage emitSignal = bus.mockCall(Path, u"EmitSignal"_s);
        emitSignal << Interface << u"ActionInvoked"_s << u"us"_s
                   << QVariantList{QVariant::fromValue(QDBusVariant(id)),
                                   QVariant::fromValue(QDBusVariant(u"default"_s))};
        return bus.connection().call(emitSignal).type() == QDBusMessage::ReplyMessage;
    };
    // The user had gone elsewhere. The stand-in numbers notifications from 1; 7 is another program's. The signals
    // come in order, so when the other notification has its click, a wrong answer to 7 would have come already.
    rig.reminder()->showMinimized();
    QVERIFY(click(7));
    QVERIFY(click(2));
    QTRY_COMPARE(otherClicks, 1);
    QVERIFY(rig.reminder()->isMinimized());
    QVERIFY(click(1));
    QTRY_VERIFY(!rig.reminder()->isMinimized());

    // Put off for ten minutes, the reminder takes its notification away.
    QTest::mouseClick(control<QPushButton>(rig.reminder(), "TenMinBtn"), Qt::LeftButton);
    QTRY_COMPARE(bus.methodCalls(Path, u"CloseNotification"_s), QList<QVariantList>{{1u}});
}

QTEST_MAIN(tst_DesktopNotifier)
#include "tst_DesktopNotifier.moc"
