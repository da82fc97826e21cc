#include "TimeCorrection.h"

#include "core/DateFormat.h"
#include "core/Module1.h"
#include "core/NumberText.h"
#include "core/Pattern.h"
#include "net/NetOutcome.h"
#include "net/ProxyName.h"
#include "net/SetMserver.h"
#include "net/TimeAnswer.h"
#include "platform/Clock.h"
#include "zones/ZoneHint.h"

namespace {

constexpr int FailedRequestsBeforeAdvice = 5;
const QString NoNewsflash = QStringLiteral("NO NEWSFLASH AVAILABLE RIGHT NOW");
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

} // namespace

TimeCorrection::TimeCorrection(Module1& module, Inet& link, Progress progress)
    : m_module(module)
    , m_link(link)
    , m_progress(std::move(progress))
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

    m_module.PlayWav(m_module.programFile(QStringLiteral("b.wav")));
    m_progress.clear();
    if (m_module.Tries > FailedRequestsBeforeAdvice && m_module.NetStatus == NetOutcome::Failed) {
        m_module.Tries = 0;
        result.outcome = Outcome::AdviceDue;
        return result;
    }
    // From here on no report may carry the outcome of an earlier operation.
    m_module.NetStatus = NetOutcome::Pending;
    if (proxyNotSet()) {
        result.outcome = Outcome::ProxyNotSet;
        return result;
    }

    m_progress.add(QStringLiteral("Establishing connection..."));
    m_progress.add(QStringLiteral("Time server ") + numberToText(int(result.server)));
    m_progress.transferStarted();
    const std::optional<QString> answer = m_link.fetchText(m_module.NetEndpoints.timeServers.at(result.server - 1));
    if (!answer) {
        fail(m_link.failureText());
        return result;
    }
    m_statusText = QStringLiteral("TIME SET COMPLETE.");
    m_module.NetStatus = NetOutcome::Completed;
    m_module.Tries = 0;
    m_module.TimeServer = result.server;

    const ClockSetting setting = setClockFrom(*answer, result.server);
    if (setting == ClockSetting::Refused) {
        return result;
    }
    if (setting == ClockSetting::Set) {
        result.clockSet = true;
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
    return m_link.accessType() == 2 && (proxy == ProxyPlaceholder || proxy.size() < 3);
}

TimeCorrection::ClockSetting TimeCorrection::setClockFrom(const QString& answer, int server)
{
    const TimeAnswer read = readTimeAnswer(answer, server, m_module.BOffset, m_module.BHourOn);
    if (read.outcome == TimeAnswer::Outcome::NotATimeLine) {
        m_statusText = QStringLiteral("Data error 01, time not set.");
        m_module.NetStatus = NetOutcome::Failed;
        return ClockSetting::NotSet;
    }
    m_progress.clear();
    if (read.outcome == TimeAnswer::Outcome::NotATime) {
        m_statusText = QStringLiteral("Data error 02, time not set.");
        m_progress.add(QStringLiteral("Result = ") + read.timeField);
        m_progress.add(QStringLiteral("(the result may be useful)"));
        m_module.NetStatus = NetOutcome::Failed;
        return ClockSetting::NotSet;
    }
    m_progress.add(read.summerTime ? QStringLiteral("UTC Time acquired ok.")
                                   : QStringLiteral("UTC acquired at ") + read.timeField + QStringLiteral(" (GMT)"));
    if (localZoneDisagrees()) {
        return ClockSetting::NotSet;
    }

    Clock& clock = m_module.services().clock;
    m_progress.add(QStringLiteral("Your system time was ") + formatDate(clock.now(), u"hh:mm:ss")
                   + QStringLiteral(" (local)"));
    QString refusal;
    if (!clock.setSystemTime(read.localTime, &refusal)) {
        return refused(refusal);
    }
    m_progress.add(QStringLiteral("System time now set at ") + read.localTime.toString(QStringLiteral("HH:mm:ss"))
                   + QStringLiteral(" (local)"));
    if (read.date) {
        if (!clock.setSystemDate(*read.date, &refusal)) {
            return refused(refusal);
        }
        m_progress.add(QStringLiteral("Date confirmed"));
    }
    return ClockSetting::Set;
}

TimeCorrection::ClockSetting TimeCorrection::refused(const QString& reason)
{
    fail(reason);
    return ClockSetting::Refused;
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
        m_module.MServer = m_module.MServer == 1 ? 2 : 1;
        return std::nullopt;
    }
    return flash->isEmpty() || matchesPattern(*flash, u"*404*") ? NoNewsflash : *flash;
}

// A transfer that failed or was stopped, or a clock that refused the new time: the next operation tries the
// update server's other address.
void TimeCorrection::fail(const QString& reason)
{
    m_link.stop();
    if (!reason.isEmpty()) {
        m_progress.add(reason);
    }
    m_progress.add(QStringLiteral("bad link"));
    m_module.NetStatus = NetOutcome::Failed;
    m_module.MServer = m_module.MServer == 1 ? 2 : 1;
}
