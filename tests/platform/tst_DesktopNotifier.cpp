#include <QDBusVariant>
#include <QSignalSpy>
#include <QTest>

#include "platform/DesktopNotifier.h"
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
    void theReminderReachesTheNotificationServiceAndComesBackOnAClick();
};

void tst_DesktopNotifier::theReminderReachesTheNotificationServiceAndComesBackOnAClick()
{
    DbusmockBus bus(u"notification_daemon"_s, Interface);
    if (!bus.unavailableReason().isEmpty()) {
        QSKIP(qPrintable(bus.unavailableReason()));
    }
    DesktopNotifier notifier(bus.connection());
    QSignalSpy shown(&notifier, &DesktopNotifier::shown);
    int firstClicks = 0;
    int secondClicks = 0;
    notifier.notify(u"HUXO Reminder"_s, u"Tea <now> & cake"_s, [&firstClicks] { ++firstClicks; });
    notifier.notify(u"HUXO Reminder"_s, u"Leave"_s, [&secondClicks] { ++secondClicks; });

    QTRY_COMPARE(shown.size(), 2);
    QCOMPARE(bus.methodCalls(Path, u"Notify"_s).size(), 2);
    const QVariantList notify = bus.methodCalls(Path, u"Notify"_s).constFirst();
    QCOMPARE(notify.at(3).toString(), u"HUXO Reminder"_s);
    // The stand-in reads markup in the text, so the message goes escaped and shows as typed.
    QCOMPARE(notify.at(4).toString(), u"Tea &lt;now&gt; &amp; cake"_s);
    QVERIFY(notify.at(5).toStringList().contains(u"default"_s));

    const auto click = [&bus](uint id) {
        QDBusMessage emitSignal = bus.mockCall(Path, u"EmitSignal"_s);
        emitSignal << Interface << u"ActionInvoked"_s << u"us"_s
                   << QVariantList{QVariant::fromValue(QDBusVariant(id)),
                                   QVariant::fromValue(QDBusVariant(u"default"_s))};
        return bus.connection().call(emitSignal).type() == QDBusMessage::ReplyMessage;
    };
    // The stand-in numbers notifications from 1; 7 is another program's. The signals come in order, so when the
    // second notification has its click, any wrong answer to the other two would have come already.
    QVERIFY(click(7));
    QVERIFY(click(2));
    QTRY_COMPARE(secondClicks, 1);
    QCOMPARE(firstClicks, 0);
}

QTEST_GUILESS_MAIN(tst_DesktopNotifier)
#include "tst_DesktopNotifier.moc"
