// The daily correction of the computer's clock: once a day, when the minute the user chose has come, Auto Set runs
// in the system time window, once more at once if it failed, and the outcome is left on the screen in a note.
#include "huxofrm.h"

#include <QTimer>
#include <QWidget>

#include "core/DateFormat.h"
#include "core/Module1.h"
#include "core/StateCodes.h"
#include "platform/Clock.h"
#include "ui/Forms.h"
#include "ui/info/ACTdoneFrm.h"
#include "ui/system/SystTimeFrm.h"

void huxofrm::ACTTimer_Timer()
{
    SchedulerState& state = m_module.ACTState;
    const bool schedulerOn = m_module.ACTOn == Flag::On;
    const std::optional<QDate> dayDue = m_dailyRun.dayDueAt(m_module.services().clock.now());
    if (state == SchedulerState::Idle) {
        if (!schedulerOn || !dayDue) {
            return;
        }
        // Remembered before the run: whatever the run does to the clock, the day has had its run.
        m_dailyRun.markRun(*dayDue);
        runAutoSet();
        state = SchedulerState::FirstAttemptMade;
    }
    if (state == SchedulerState::AwaitingReport) {
        if (schedulerOn) {
            reportAutoCorrection();
        }
        return;
    }
    if (m_module.NetStatus == NetOutcome::Completed) {
        // The note follows at the next firing, so that it comes after the newsflash.
        state = SchedulerState::AwaitingReport;
        return;
    }
    runAutoSet();
    state = SchedulerState::AwaitingReport;
    reportAutoCorrection();
}

void huxofrm::runAutoSet()
{
    m_forms.get<SystTimeFrm>().runScheduledAutoSet();
}

void huxofrm::followSchedulerSetting()
{
    if (m_module.ACTOn != Flag::On) {
        ACTTimer->stop();
        m_dailyRun.stopLooking();
    } else if (!ACTTimer->isActive()) {
        ACTTimer->start();
    }
}

QString huxofrm::autoCorrectionNote() const
{
    const QString at = formatDate(m_module.services().clock.now().addSecs(-60), u"HH:MMam/pm");
    if (m_module.NetStatus == NetOutcome::Completed) {
        return m_module.LastClockOutcome == ClockOutcome::InStep
                   ? QStringLiteral("HUXO checked your system time at %1: it was right.").arg(at)
                   : QStringLiteral("HUXO automatically adjusted your system time at ") + at;
    }
    switch (m_module.LastClockOutcome) {
    case ClockOutcome::OutOfStep:
        return QStringLiteral("Please note: HUXO found the system time off; the system sets it itself.");
    case ClockOutcome::LargeStepNotMade:
        return QStringLiteral("Please note: the time server's time was far off. Use Auto Set to decide.");
    case ClockOutcome::NotAllowed:
        return QStringLiteral("Please note: HUXO was not allowed to set the system time.");
    case ClockOutcome::Refused:
        return QStringLiteral("Please note: the system refused to let HUXO set the time.");
    case ClockOutcome::NotChecked:
    case ClockOutcome::Set:
    case ClockOutcome::InStep:
        break;
    }
    return QStringLiteral("Please note: HUXO didn't get to check the system time.");
}

void huxofrm::reportAutoCorrection()
{
    m_forms.get<ACTdoneFrm>().showNote(autoCorrectionNote());
    if (m_module.ACTUpdates == Flag::On) {
        m_forms.get<SystTimeFrm>().retrieveUpdates();
    }
    m_module.ACTState = SchedulerState::Idle;
}
