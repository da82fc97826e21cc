// The internet setting of the computer's clock: a time server's answer, checked, converted to the user's local
// time and set, each step in the progress list; then the newsflash of the update server.
#include "SystTimeFrm.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "core/DateFormat.h"
#include "core/Module1.h"
#include "core/NumberText.h"
#include "core/Pattern.h"
#include "core/ProgramTitle.h"
#include "net/Inet.h"
#include "net/ProxyName.h"
#include "net/SetMserver.h"
#include "net/TimeAnswer.h"
#include "net/TimeServerChoice.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "zones/ZoneHint.h"
#include "ui/Forms.h"
#include "ui/PictureClip.h"
#include "ui/main/huxofrm.h"
#include "ui/system/PrefsFrm.h"

namespace {

constexpr int FailedRequestsBeforeAdvice = 5;
// Label2 holds its design text, of this length, until the first newsflash of the window's life arrives.
constexpr int NewsflashDesignLength = 85;

} // namespace

void SystTimeFrm::addStat(const QString& line)
{
    Stat->addItem(line);
    Stat->scrollToBottom();
}

void SystTimeFrm::AutoSetBtn_Click()
{
    // A second operation started while one waits for its answer would tangle both in one progress list.
    if (LinkAniTimer->isActive()) {
        return;
    }
    AutoPanel->show();
    m_module.Tries = qint16(m_module.Tries + 1);
    SetMserver(m_module);
    Inet1->setRequestTimeout(RequestTimeoutSeconds);
    PictureClip1->setCols(LinkCells);
    Frame1->hide();
    Frame2->hide();

    CurServer = qint16(chooseTimeServer(m_module.Tries, m_module.TimeServer, CurServer));

    playClick();
    Stat->clear();
    if (adviseOnRepeatedFailure() || refuseUnsetProxy()) {
        return;
    }

    addStat(QStringLiteral("Establishing connection..."));
    addStat(QStringLiteral("Time server ") + numberToText(int(CurServer)));
    LinkAniTimer->start();
    const std::optional<QString> answer = Inet1->FetchText(m_module.NetEndpoints.timeServers.at(CurServer - 1));
    if (!answer) {
        autoSetFailed(Inet1->lastFailureText());
        return;
    }
    StatusText = QStringLiteral("TIME SET COMPLETE.");
    m_module.NetStatus = Completed;
    m_module.Tries = 0;
    m_module.TimeServer = CurServer;

    const ClockSetting setting = setClockFrom(*answer);
    if (setting == ClockSetting::Refused) {
        return;
    }
    if (setting == ClockSetting::Set) {
        if (huxofrm* mainWindow = m_forms.mainWindow()) {
            mainWindow->DoCalDate();
        }
        Inet1->Cancel();
        if (!fetchNewsflash()) {
            autoSetFailed(Inet1->lastFailureText());
            return;
        }
    }
    finishAutoSet();
}

bool SystTimeFrm::adviseOnRepeatedFailure()
{
    if (m_module.Tries <= FailedRequestsBeforeAdvice || m_module.NetStatus != Failed) {
        return false;
    }
    auto& prefs = m_forms.get<PrefsFrm>();
    prefs.show();
    m_module.OffTop(this);
    m_module.OffTop(&prefs);
    m_module.services().dialogs.tell(
        QStringLiteral("If you are continuously having difficulty connecting, you may need to alter the "
                       "'Internet Connection' settings in 'HUXO Preferences'."),
        ProgramTitle(),
        Dialogs::Icon::None,
        this);
    m_module.Tries = 0;
    return true;
}

bool SystTimeFrm::refuseUnsetProxy()
{
    const QString& proxy = m_module.ProxyName;
    if (Inet1->accessType() != 2 || (proxy != ProxyPlaceholder && proxy.size() >= 3)) {
        return false;
    }
    m_forms.get<PrefsFrm>().show();
    m_module.services().dialogs.tell(
        QStringLiteral("You are attempting to connect via a proxy server but you have not configured the server "
                       "path correctly. Alter the 'Internet Connection' settings in 'HUXO Preferences'."),
        ProgramTitle(),
        Dialogs::Icon::None,
        this);
    return true;
}

SystTimeFrm::ClockSetting SystTimeFrm::setClockFrom(const QString& answer)
{
    const TimeAnswer read = readTimeAnswer(answer, CurServer, m_module.BOffset, m_module.BHourOn);
    if (read.outcome == TimeAnswer::Outcome::NotATimeLine) {
        StatusText = QStringLiteral("Data error 01, time not set.");
        m_module.NetStatus = Failed;
        return ClockSetting::NotSet;
    }
    Stat->clear();
    if (read.outcome == TimeAnswer::Outcome::NotATime) {
        StatusText = QStringLiteral("Data error 02, time not set.");
        addStat(QStringLiteral("Result = ") + read.timeField);
        addStat(QStringLiteral("(the result may be useful)"));
        m_module.NetStatus = Failed;
        return ClockSetting::NotSet;
    }
    addStat(read.summerTime ? QStringLiteral("UTC Time acquired ok.")
                            : QStringLiteral("UTC acquired at ") + read.timeField + QStringLiteral(" (GMT)"));
    if (localZoneDisagrees()) {
        return ClockSetting::NotSet;
    }

    Clock& clock = m_module.services().clock;
    const QString newTime = read.localTime.toString(QStringLiteral("HH:mm:ss"));
    addStat(QStringLiteral("Your system time was ") + formatDate(clock.now(), u"hh:mm:ss") +
            QStringLiteral(" (local)"));
    QString refusal;
    if (!clock.setSystemTime(read.localTime, &refusal)) {
        autoSetFailed(refusal);
        return ClockSetting::Refused;
    }
    addStat(QStringLiteral("System time now set at ") + newTime + QStringLiteral(" (local)"));
    if (read.date) {
        if (!clock.setSystemDate(*read.date, &refusal)) {
            autoSetFailed(refusal);
            return ClockSetting::Refused;
        }
        addStat(QStringLiteral("Date confirmed"));
    }
    return ClockSetting::Set;
}

// The answer is turned into local time by the zone the user gave the GMT / UTC clock, but the computer's clock
// runs in the computer's own zone: where the two differ, setting it would move the clock by the difference.
bool SystTimeFrm::localZoneDisagrees()
{
    const int statedMinutes = statedLocalMinutes(m_module.BOffset, m_module.BHourOn);
    const int computerMinutes = m_module.services().clock.now().offsetFromUtc() / 60;
    if (statedMinutes == computerMinutes) {
        return false;
    }
    addStat(QStringLiteral("Your GMT / UTC clock puts this computer at %1, but the computer's own zone is at %2 now.")
                .arg(gmtOffsetName(statedMinutes), gmtOffsetName(computerMinutes)));
    addStat(QStringLiteral("Set the GMT / UTC clock to %1 (double-click its face), then try again.")
                .arg(gmtOffsetName(computerMinutes)));
    StatusText = QStringLiteral("Zones differ, time not set.");
    m_module.NetStatus = Failed;
    return true;
}

bool SystTimeFrm::fetchNewsflash()
{
    if (Label2->text().size() == NewsflashDesignLength) {
        const std::optional<QString> flash = Inet1->FetchText(m_module.MServerBase + QStringLiteral("x__c51/flash51.txt"));
        if (!flash) {
            return false;
        }
        Label2->setText(flash->isEmpty() || matchesPattern(*flash, u"*404*")
                            ? QStringLiteral("NO NEWSFLASH AVAILABLE RIGHT NOW")
                            : *flash);
        Label2->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0);"));
        Inet1->Cancel();
    }
    const QString caption = Label2->text();
    if (matchesPattern(caption, u"*fetch button*") || matchesPattern(caption, u"*FETCH button*")) {
        Command2->setText(QStringLiteral("FETCH"));
        Command2->setToolTip(QString());
    }
    return true;
}

void SystTimeFrm::finishAutoSet()
{
    addStat(StatusText);
    LinkAniTimer->stop();
    if (m_module.NetStatus >= 0 && m_module.NetStatus <= 5) {
        LinkShow();
    }
}

// A transfer that failed or was cancelled, or a clock that refused the new time: the next operation tries the
// update server's other address.
void SystTimeFrm::autoSetFailed(const QString& reason)
{
    StopLink();
    if (!reason.isEmpty()) {
        addStat(reason);
    }
    addStat(QStringLiteral("bad link"));
    LinkAniTimer->stop();
    m_module.NetStatus = Failed;
    if (isVisible()) {
        LinkShow();
    }
    m_module.MServer = m_module.MServer == 1 ? 2 : 1;
}

void SystTimeFrm::Command2_Click()
{
    if (Command2->text() == QStringLiteral("FETCH")) {
        DownloadNewProgram();
    } else {
        AutoSetBtn_Click();
    }
}
