// The update retrieval as the window shows it, armed by one double-click on a HUXO label and run by the next; and
// the program file a newsflash may offer.
#include "SystTimeFrm.h"

#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "core/Module1.h"
#include "core/StateCodes.h"
#include "net/Inet.h"
#include "net/UpdateRetrieval.h"
#include "ui/Forms.h"
#include "ui/system/CTimesFrm.h"
#include "ui/system/ProgramDownload.h"

void SystTimeFrm::HUXOLBL_DblClick()
{
    setWindowTitle(QStringLiteral("HUXO Updates"));
    if (LinkAniTimer->isActive()) {
        Stat->clear();
        addStat(QStringLiteral("BUSY - PLEASE WAIT."));
        return;
    }
    if (UpdArmed == Flag::Off) {
        addStat(QStringLiteral("Ready to retrieve updates"));
        addStat(QStringLiteral("double-click again to proceed."));
        UpdArmed = Flag::On;
        return;
    }

    // The window may be closed while the retrieval waits for an answer.
    const QPointer<SystTimeFrm> alive(this);
    UpdateRetrieval retrieval(m_module, *Inet1, progress());
    const UpdateRetrieval::Result result = retrieval.run();
    if (!alive) {
        return;
    }
    showOutcome();
    if (result.newsletter) {
        m_forms.get<CTimesFrm>().showNewsletter(
            result.newsletter->headline, result.newsletter->text, result.newsletter->offersDownload);
        // Closing ends the link and unloads this window; the newsletter stays.
        close();
    }
}

void SystTimeFrm::retrieveUpdates()
{
    // A retrieval that brings a newsletter closes this window; the second double-click then goes to the window
    // loaded anew, unseen, which it arms.
    Forms& forms = m_forms;
    HUXOLBL_DblClick();
    forms.get<SystTimeFrm>().HUXOLBL_DblClick();
}

bool SystTimeFrm::downloadProgramFile(const QString& serverName, const QString& bareName, QString* failure)
{
    Inet1->Cancel();
    return fetchProgramFile(m_module, *Inet1, serverName, bareName, failure);
}

void SystTimeFrm::DownloadNewProgram()
{
    Stat->clear();
    WaitLbl->show();
    LinkAniTimer->start();
    addStat(QStringLiteral("DOWNLOADING PLEASE WAIT"));
    // The dashes stand in for the newsflash, which the next Auto Set fetches again.
    Label2->setText(QStringLiteral("- ").repeated(42) + u'-');
    m_newsflashShown = false;
    m_programFileOffered = false;
    offerOnCommand2(Command2Offer::Downloading);

    const QPointer<SystTimeFrm> alive(this);
    QString failure;
    const bool saved = downloadProgramFile(QStringLiteral("new.ex"), QStringLiteral("new.exe"), &failure);
    if (!alive) {
        return;
    }
    StopLink();
    WaitLbl->hide();
    if (!saved) {
        addStat(failure);
        addStat(QStringLiteral("bad link"));
        m_module.NetStatus = NetOutcome::Failed;
        showOutcome();
        return;
    }
    m_module.NetStatus = NetOutcome::Completed;
    showOutcome();
    Stat->clear();
    addStat(QStringLiteral("DOWNLOAD COMPLETE"));
    m_module.OffTop(this);
    ProgramDownload::tellArrived(m_module, QStringLiteral("new.exe"), this);
    if (alive) {
        close();
    }
}
