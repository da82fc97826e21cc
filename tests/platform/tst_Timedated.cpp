#include <QCoreApplication>
#include <QTest>

#include <cstdio>
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "platform/SystemClock.h"
#include "platform/Timedated.h"
#include "support/MockTimedatedBus.h"

using namespace Qt::StringLiterals;

namespace {

constexpr unsigned ClockRight = 1U << CAP_SYS_TIME;

bool mayStillSetTheClock()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0) {
        return true;
    }
    return ((data[0].effective | data[0].permitted) & ClockRight) != 0;
}

// This process runs SystemClock for real, so before anything else it gives up the right to set the clock: its
// clock_settime then fails with EPERM and the D-Bus path is taken, as for a desktop user.
bool dropTheRightToSetTheClock()
{
    prctl(PR_CAPBSET_DROP, CAP_SYS_TIME, 0, 0, 0); // fails harmlessly without the right to change the bounding set
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0) {
        return false;
    }
    if (((data[0].effective | data[0].permitted) & ClockRight) != 0) {
        data[0].effective &= ~ClockRight;
        data[0].permitted &= ~ClockRight;
        data[0].inheritable &= ~ClockRight;
        if (syscall(SYS_capset, &header, data) != 0) {
            return false;
        }
    }
    return !mayStillSetTheClock();
}

} // namespace

class tst_Timedated : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void setTimeSendsTheMicrosecondsAndWhetherTheDesktopMayAsk();
    void refusalsComeInTheSystemsWords();
    void aPasswordIsAskedForOnlyWhereAllowed();
    void automaticTimeIsTimedatedsToSay();
    void noTimedatedOrNoBusIsAFailure();
    void systemClockWithoutTheRightAsksTimedated();

private:
    std::unique_ptr<MockTimedatedBus> m_bus;
};

void tst_Timedated::init()
{
    m_bus = std::make_unique<MockTimedatedBus>();
    if (!m_bus->unavailableReason().isEmpty()) {
        QSKIP(qPrintable(m_bus->unavailableReason()));
    }
}

void tst_Timedated::cleanup()
{
    m_bus.reset();
}

void tst_Timedated::setTimeSendsTheMicrosecondsAndWhetherTheDesktopMayAsk()
{
    constexpr qint64 micros = 1'796'700'323'123'456;
    QString error;
    QCOMPARE(setTimeThroughTimedated(m_bus->connection(), micros, Clock::Asking::MayAsk, &error), Clock::Setting::Done);
    QVERIFY(error.isEmpty());
    QCOMPARE(setTimeThroughTimedated(m_bus->connection(), micros, Clock::Asking::MustNotAsk, &error),
             Clock::Setting::Done);

    // Absolute each time; the desktop may ask for a password only the first time.
    const QList<QVariantList> expected{{micros, false, true}, {micros, false, false}};
    QCOMPARE(m_bus->setTimeCalls(), expected);
}

void tst_Timedated::refusalsComeInTheSystemsWords()
{
    struct Refusal
    {
        QString name;
        QString message;
        Clock::Setting setting;
        QStringList shownTexts;
    };
    const QList<Refusal> refusals{
        {u"org.freedesktop.timedate1.AutomaticTimeSyncEnabled"_s,
         u"Automatic time synchronization is enabled"_s,
         Clock::Setting::Refused,
         {u"sets its clock automatically"_s}},
        {u"org.freedesktop.DBus.Error.AccessDenied"_s,
         u"Permission denied"_s,
         Clock::Setting::RightsMissing,
         {u"not allowed"_s, u"Permission denied"_s}},
        {u"org.freedesktop.DBus.Error.InteractiveAuthorizationRequired"_s,
         u"Interactive authentication required."_s,
         Clock::Setting::RightsMissing,
         {u"not allowed"_s, u"Interactive authentication required."_s}},
        {u"org.example.Unforeseen"_s,
         u"an unforeseen reason"_s,
         Clock::Setting::Refused,
         {u"refused"_s, u"an unforeseen reason"_s}},
    };
    for (const Refusal& refusal : refusals) {
        QVERIFY(m_bus->refuseSetTime(refusal.name, refusal.message));
        QString error;
        QCOMPARE(setTimeThroughTimedated(m_bus->connection(), 1'000'000, Clock::Asking::MayAsk, &error),
                 refusal.setting);
        for (const QString& shown : refusal.shownTexts) {
            QVERIFY2(error.contains(shown), qPrintable(error));
        }
    }
}

void tst_Timedated::aPasswordIsAskedForOnlyWhereAllowed()
{
    QVERIFY(m_bus->requireAskingForSetTime());
    QString error;
    QCOMPARE(setTimeThroughTimedated(m_bus->connection(), 1'000'000, Clock::Asking::MustNotAsk, &error),
             Clock::Setting::RightsMissing);
    QVERIFY2(error.contains(u"not allowed"_s), qPrintable(error));
    // Where the user is there to type the password, the system lets the setting through.
    QCOMPARE(setTimeThroughTimedated(m_bus->connection(), 1'000'000, Clock::Asking::MayAsk, &error),
             Clock::Setting::Done);
}

void tst_Timedated::automaticTimeIsTimedatedsToSay()
{
    // The kernel's clock is not synchronised here; where it is, the end-to-end test of Auto Set has it.
    const auto kernelUnsynchronised = [] { return false; };
    QVERIFY(timedatedKeepsTimeInStep(m_bus->connection()));
    QVERIFY(m_bus->setAutomaticTime(false));
    QVERIFY(!timedatedKeepsTimeInStep(m_bus->connection()));
    QVERIFY(m_bus->setAutomaticTime(true));
    QVERIFY(SystemClock(m_bus->connection(), kernelUnsynchronised).keptInStepBySystem());

    // Nobody to say so: the program sets the clock itself, as before.
    QVERIFY(!timedatedKeepsTimeInStep(QDBusConnection(u"huxo-no-such-connection"_s)));
    m_bus->stopTimedated();
    QVERIFY(!SystemClock(m_bus->connection(), kernelUnsynchronised).keptInStepBySystem());
}

void tst_Timedated::noTimedatedOrNoBusIsAFailure()
{
    m_bus->stopTimedated();
    QString error;
    QCOMPARE(setTimeThroughTimedated(m_bus->connection(), 1'000'000, Clock::Asking::MayAsk, &error),
             Clock::Setting::Refused);
    QVERIFY2(error.contains(u"systemd-timedated"_s), qPrintable(error));

    error.clear();
    QCOMPARE(setTimeThroughTimedated(
                 QDBusConnection(u"huxo-no-such-connection"_s), 1'000'000, Clock::Asking::MayAsk, &error),
             Clock::Setting::Refused);
    QVERIFY2(error.contains(u"systemd-timedated"_s), qPrintable(error));
}

void tst_Timedated::systemClockWithoutTheRightAsksTimedated()
{
    QVERIFY2(!mayStillSetTheClock(), "this test must never run with the right to set the clock");
    SystemClock clock(m_bus->connection());
    // Date and time in one call, the moment in microseconds at Greenwich.
    const QDateTime moment(QDate(2026, 12, 9), QTime(0, 0, 24, 789), Qt::OffsetFromUTC, 3600);
    QString error;
    QVERIFY2(clock.setSystemDateTime(moment, Clock::Asking::MustNotAsk, &error) == Clock::Setting::Done,
             qPrintable(error));
    const QList<QVariantList> expected{{qint64(1'796'770'824'789'000), false, false}};
    QCOMPARE(m_bus->setTimeCalls(), expected);

    QVERIFY(m_bus->refuseSetTime(u"org.freedesktop.timedate1.AutomaticTimeSyncEnabled"_s, u"on"_s));
    QCOMPARE(clock.setSystemDateTime(moment, Clock::Asking::MayAsk, &error), Clock::Setting::Refused);
    QVERIFY2(error.contains(u"automatically"_s), qPrintable(error));

    // Nothing invalid, or before 1970, may reach the bus.
    for (const QDateTime& invalid : {QDateTime(), QDateTime(QDate(1969, 12, 31), QTime(23, 59), Qt::UTC)}) {
        QCOMPARE(clock.setSystemDateTime(invalid, Clock::Asking::MayAsk, &error), Clock::Setting::Refused);
        QCOMPARE(error, u"The new time is not valid."_s);
    }
    QCOMPARE(m_bus->setTimeCalls().size(), 2);
}

int main(int argc, char** argv)
{
    if (!dropTheRightToSetTheClock()) {
        std::fputs("tst_Timedated: could not give up the right to set the clock; not running\n", stderr);
        return 1;
    }
    QCoreApplication app(argc, argv);
    tst_Timedated test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Timedated.moc"
