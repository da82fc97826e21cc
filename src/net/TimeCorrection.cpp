#include "TimeCorrection.h"

#include <QTimeZone>

#include <cstdlib>

#include "core/DateFormat.h"
#include "core/Module1.h"
#include "core/NumberText.h"
#include "core/Pattern.h"
#include "net/ClockStep.h"
#include "net/ProxyName.h"
#include "net/SetMserver.h"
#include "net/TimeAnswer.h"
#include "platform/Clock.h"
#include "zones/ZoneHint.h"

namespace {

constexpr int FailedRequestsBeforeAdvice = 5;
const QString NoNewsflash = QStringLiteral("NO NEWSFLASH AVAILABLE RIGHT NOW");
const QString TimeNotSet = QStringLiteral(", time not set.");
constexpr int ServerCount = 3;

// The first try of a run, and the first after an answer, asks the server that answered last; each further try
// moves on 1, 2, 3, 1. A stored number out of range starts at server 1. Plain int, so that a number at the end of
// the 16-bit range cannot wrap past the checks.
int chooseTimeServer(int tries, int timeServer, int current)
{
    int server = tries == 1 ? timeServer - 1 : current;
    if (server < 0) {
        server = 0;
    }
    ++server;
    if (server > ServerCount) {
        server = 1;
    }
    return server;
}

QString readable(const QDateTime& when)
{
    return formatDate(when, u"dddd dd mmm yyyy hh:mm:ss");
}

// A moment as the computer's clock shows it: in the zone of its reading.
QDateTime asTheComputerShows(const QDateTime& moment, const QDateTime& reading)
{
    return reading.timeSpec() == Qt::LocalTime ? moment.toLocalTime() : moment.toTimeZone(reading.timeZone());
}

} // namespace

TimeCorrection::TimeCorrection(Module1& module, Inet& link, Progress progress, Question askUser)
    : m_module(module)
    , m_link(link)
    , m_progress(std::move(progress))
    , m_askUser(std::move(askUser))
{
}

bool TimeCorrection::offersProgramFile(const QString& newsflash)
{
    return matchesPattern(newsflash, u"*fetch button*") || matchesPattern(newsflash, u"*FETCH button*");
}

TimeCorrection::Result TimeCorrection::run(qint16 curServer, bool newsflashWanted)
{
    Result result;
    m_module.Tries = qint16(m_module.Tries + 1);
    SetMserver(m_module);
    m_link.setRequestTimeout(Inet::RequestTimeoutSeconds);
    result.server = qint16(chooseTimeServer(m_module.Tries, m_module.TimeServer, curServer));

    m_progress.clear();
    if (m_module.Tries > FailedRequestsBeforeAdvice && m_module.NetStatus == NetOutcome::Failed) {
        m_module.Tries = 0;
        result.outcome = Outcome::AdviceDue;
        return result;
    }
    // From here on no report may carry the outcome of an earlier operation.
    m_module.NetStatus = NetOutcome::Pending;
    m_module.LastClockOutcome = ClockOutcome::NotChecked;
    if (proxyNotSet()) {
        result.outcome = Outcome::ProxyNotSet;
        return result;
    }

    m_progress.add(QStringLiteral("Establishing connection..."));
    m_progress.add(QStringLiteral("Time server ") + numberToText(int(result.server)));
    m_progress.transferStarted();
    const std::optional<QString> answer = m_link.fetchText(
        m_module.NetEndpoints.timeServers.at(result.server - 1), Inet::Pages::Any, Inet::CertificateDates::Ignored);
    if (!answer) {
        fail(m_link.failureText());
        return result;
    }
    m_statusText = QStringLiteral("TIME SET COMPLETE.");
    m_module.NetStatus = NetOutcome::Completed;
    m_module.Tries = 0;
    m_module.TimeServer = result.server;

    result.clock = setClockFrom(*answer, result.server);
    m_module.LastClockOutcome = result.clock;
    if (m_module.NetStatus == NetOutcome::Completed) {
        m_link.cancel();
        if (newsflashWanted) {
            result.newsflash = fetchNewsflash();
        }
    }
    m_progress.add(m_statusText);
    result.outcome = Outcome::Finished;
    return result;
}

bool TimeCorrection::proxyNotSet() const
{
    const QString& proxy = m_module.ProxyName;
    return m_link.accessType() == Connection::Proxy && (proxy == ProxyPlaceholder || proxy.size() < 3);
}

ClockOutcome TimeCorrection::setClockFrom(const QString& answer, int server)
{
    const TimeAnswer read = readTimeAnswer(answer, server);
    if (read.outcome == TimeAnswer::Outcome::NotATimeLine) {
        return dataError(u"01");
    }
    m_progress.clear();
    if (read.outcome == TimeAnswer::Outcome::NotATime) {
        m_progress.add(QStringLiteral("Result = ") + read.timeField);
        m_progress.add(QStringLiteral("(the result may be useful)"));
        return dataError(u"02");
    }
    if (read.outcome == TimeAnswer::Outcome::UnknownZone) {
        m_progress.add(QStringLiteral("The time server gave its time in the zone \"%1\"; HUXO reads UTC, GMT and BST "
                                      "only.")
                           .arg(read.zone));
        return dataError(u"03");
    }
    m_progress.add(read.summerTime ? QStringLiteral("UTC Time acquired ok.")
                                   : QStringLiteral("UTC acquired at ") + read.timeField + QStringLiteral(" (GMT)"));
    if (localZoneDisagrees()) {
        return ClockOutcome::NotChecked;
    }

    Clock& clock = m_module.services().clock;
    const QDateTime computerTime = clock.now();
    const ServerTime answered{ClockStep::serverTime(read, computerTime), read.moment.has_value()};
    m_progress.add(QStringLiteral("Your system time was ") + formatDate(computerTime, u"hh:mm:ss")
                   + QStringLiteral(" (local)"));
    // Whoever we are, a system that keeps its clock in step with the network knows the time better than one
    // answer to the second, and would undo or refuse the setting.
    if (clock.keptInStepBySystem()) {
        return compareOnly(computerTime, answered.moment);
    }
    if (ClockStep::isLarge(computerTime.msecsTo(answered.moment)) && !largeStepAgreed(computerTime, answered)) {
        m_statusText = QStringLiteral("Large step") + TimeNotSet;
        m_module.NetStatus = NetOutcome::Failed;
        return ClockOutcome::LargeStepNotMade;
    }
    // The server's time moves on with the clock while the system is asked and the user answers.
    return setClock({answered.moment.addMSecs(computerTime.msecsTo(clock.now())), answered.dated});
}

ClockOutcome TimeCorrection::dataError(QStringView code)
{
    m_statusText = QStringLiteral("Data error %1, time not set.").arg(code);
    m_module.NetStatus = NetOutcome::Failed;
    return ClockOutcome::NotChecked;
}

ClockOutcome TimeCorrection::compareOnly(const QDateTime& computerTime, const QDateTime& serverTime)
{
    m_progress.add(QStringLiteral("The system keeps its clock in step with network time itself; HUXO only compares."));
    const qint64 difference = computerTime.msecsTo(serverTime);
    if (std::llabs(difference) <= ClockStep::AgreementMs) {
        m_progress.add(QStringLiteral("It agrees with the time server within 2 seconds."));
        m_statusText = QStringLiteral("TIME CHECKED COMPLETE.");
        return ClockOutcome::InStep;
    }
    m_progress.add(QStringLiteral("It is %1 %2 the time server.")
                       .arg(ClockStep::durationText(difference),
                            difference > 0 ? QStringLiteral("behind") : QStringLiteral("ahead of")));
    m_statusText = QStringLiteral("Clocks differ") + TimeNotSet;
    m_module.NetStatus = NetOutcome::Failed;
    return ClockOutcome::OutOfStep;
}

bool TimeCorrection::largeStepAgreed(const QDateTime& computerTime, const ServerTime& server)
{
    const qint64 step = computerTime.msecsTo(server.moment);
    const QString distance =
        QStringLiteral("The time server's time is %1 %2 the computer's clock.")
            .arg(ClockStep::durationText(step), step > 0 ? QStringLiteral("ahead of") : QStringLiteral("behind"));
    m_progress.add(distance);
    if (!m_askUser) {
        m_progress.add(QStringLiteral("A step of more than 15 minutes is made only when you press Auto Set."));
        return false;
    }
    // A date the server is not trusted for is never shown as its.
    const QDateTime shown = asTheComputerShows(server.moment, computerTime);
    const QString serverLines =
        server.dated ? QStringLiteral("Time server: ") + readable(shown)
                           + QStringLiteral("\n(local time)\n\nSet the computer's clock to the time server's time?")
                     : QStringLiteral("Time server: %1, its date not checked\n(local time)\n\nSet the computer's "
                                      "clock to %1 on the day nearest its own, %2?")
                           .arg(formatDate(shown, u"hh:mm:ss"), formatDate(shown, u"dddd dd mmm yyyy"));
    const bool agreed =
        m_askUser(distance + QStringLiteral("\n\nThis computer: ") + readable(computerTime) + u'\n' + serverLines);
    if (!agreed) {
        m_progress.add(QStringLiteral("You kept the computer's time."));
    }
    return agreed;
}

ClockOutcome TimeCorrection::setClock(const ServerTime& target)
{
    QString reason;
    const Clock::Setting setting = m_module.services().clock.setSystemDateTime(target.moment, asking(), &reason);
    if (setting != Clock::Setting::Done) {
        return refused(setting, reason);
    }
    const QDateTime shown = asTheComputerShows(target.moment, m_module.services().clock.now());
    m_progress.add(QStringLiteral("System time now set at ") + formatDate(shown, u"hh:mm:ss")
                   + QStringLiteral(" (local)"));
    if (target.dated) {
        m_progress.add(QStringLiteral("Date confirmed"));
    }
    return ClockOutcome::Set;
}

// The system's refusal is no failure of the link: it is reported in the system's words, and the update server
// keeps its address.
ClockOutcome TimeCorrection::refused(Clock::Setting setting, const QString& reason)
{
    const bool rightsMissing = setting == Clock::Setting::RightsMissing;
    m_progress.add(reason);
    if (rightsMissing && !m_askUser) {
        m_progress.add(QStringLiteral("The daily correction never asks for a password; press Auto Set to set the "
                                      "clock yourself."));
    }
    m_statusText = (rightsMissing ? QStringLiteral("Not allowed") : QStringLiteral("Refused")) + TimeNotSet;
    m_module.NetStatus = NetOutcome::Failed;
    return rightsMissing ? ClockOutcome::NotAllowed : ClockOutcome::Refused;
}

Clock::Asking TimeCorrection::asking() const
{
    return m_askUser ? Clock::Asking::MayAsk : Clock::Asking::MustNotAsk;
}

// The answer is turned into local time by the zone the user gave the GMT / UTC clock, but the computer's clock runs
// in the computer's own zone: where the two differ, setting it would move the clock by the difference.
bool TimeCorrection::localZoneDisagrees()
{
    const int statedMinutes = statedLocalMinutes(m_module.BOffset, m_module.BHourOn);
    const int computerMinutes = m_module.services().clock.now().offsetFromUtc() / 60;
    if (statedMinutes == computerMinutes) {
        return false;
    }
    m_progress.add(
        QStringLiteral("Your GMT / UTC clock puts this computer at %1, but the computer's own zone is at %2 now.")
            .arg(gmtOffsetName(statedMinutes), gmtOffsetName(computerMinutes)));
    m_progress.add(QStringLiteral("Set the GMT / UTC clock to %1 (double-click its face), then try again.")
                       .arg(gmtOffsetName(computerMinutes)));
    m_statusText = QStringLiteral("Zones differ, time not set.");
    m_module.NetStatus = NetOutcome::Failed;
    return true;
}

// The clock is set by now: a newsflash that does not come is reported, and the setting stays a success. The
// update server failed, though, so the next operation asks its other address.
std::optional<QString> TimeCorrection::fetchNewsflash()
{
    const std::optional<QString> flash = m_link.fetchText(m_module.MServerBase + QStringLiteral("x__c51/flash51.txt"));
    m_link.cancel();
    if (!flash) {
        m_progress.add(QStringLiteral("Newsflash not fetched: ") + m_link.failureText());
        m_module.MServer = otherServerBase(m_module.MServer);
        return std::nullopt;
    }
    return flash->isEmpty() || matchesPattern(*flash, u"*404*") ? NoNewsflash : *flash;
}

// A transfer that failed or was stopped: the next operation tries the update server's other address.
void TimeCorrection::fail(const QString& reason)
{
    m_link.stop();
    if (!reason.isEmpty()) {
        m_progress.add(reason);
    }
    m_progress.add(QStringLiteral("bad link"));
    m_module.NetStatus = NetOutcome::Failed;
    m_module.MServer = otherServerBase(m_module.MServer);
}
