// The daily correction of the computer's clock: at the minute the user chose, Auto Set runs in the system time
// window, once more at once if it failed, and the outcome is left on the screen in a note.
#include "huxofrm.h"

#include <QLabel>
#include <QWidget>

#include "core/DateFormat.h"
#include "core/Module1.h"
#include "net/NetOutcome.h"
#include "platform/Clock.h"
#include "ui/Forms.h"
#include "ui/info/ACTdoneFrm.h"
#include "ui/system/SystTimeFrm.h"

namespace {
// What the scheduler has done today.
constexpr qint16 Idle = 0;
constexpr qint16 FirstAttemptMade = 1;
constexpr qint16 AwaitingReport = 2;
} // namespace

void huxofrm::ACTTimer_Timer()
{
    qint16& state = m_module.ACTState;
    const bool schedulerOn = m_module.ACTOn == -1;
    if (state == Idle) {
        const QString now = formatDate(m_module.services().clock.now(), u"HH:MM");
        if (!schedulerOn || m_module.ACTime != now) {
            return;
        }
        runAutoSet();
        state = FirstAttemptMade;
    }
    if (state == AwaitingReport) {
        if (schedulerOn) {
            reportAutoCorrection();
        }
        return;
    }
    if (m_module.NetStatus == NetOutcome::Completed) {
        // The note follows at the next firing, so that it comes after the newsflash.
        state = AwaitingReport;
        return;
    }
    runAutoSet();
    state = AwaitingReport;
    reportAutoCorrection();
}

void huxofrm::runAutoSet()
{
    SystTimeFrm& systemTime = m_forms.get<SystTimeFrm>();
    systemTime.AutoPanel->show();
    systemTime.show();
    systemTime.AutoSetBtn_Click();
}

void huxofrm::reportAutoCorrection()
{
    ACTdoneFrm& note = m_forms.get<ACTdoneFrm>();
    note.show();
    if (m_module.NetStatus == NetOutcome::Completed) {
        const QDateTime setAt = m_module.services().clock.now().addSecs(-60);
        note.Label1->setText(QStringLiteral("HUXO automatically adjusted your system time at ")
                             + formatDate(setAt, u"HH:MMam/pm"));
    } else {
        note.Label1->setText(QStringLiteral("Please note: HUXO didn't get to check the system time."));
    }
    // The window is asked for afresh each time: a retrieval that brings a newsletter closes it, and the second
    // double-click then goes to a window loaded anew, hidden, which it arms.
    if (m_module.ACTUpdates == -1) {
        m_forms.get<SystTimeFrm>().HUXOLBL_DblClick();
        m_forms.get<SystTimeFrm>().HUXOLBL_DblClick();
    }
    m_module.ACTState = Idle;
}
