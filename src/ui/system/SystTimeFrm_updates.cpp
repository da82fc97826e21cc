// The update retrieval, armed by one double-click on a HUXO label and run by the next: the daylight-saving text,
// the newsletter with its picture, and the program file a newsflash may offer.
#include "SystTimeFrm.h"

#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include "core/DateFormat.h"
#include "core/Module1.h"
#include "core/NumberText.h"
#include "core/Pattern.h"
#include "core/WholeFile.h"
#include "net/Inet.h"
#include "net/SetMserver.h"
#include "platform/Clock.h"
#include "ui/Forms.h"
#include "ui/system/CTimesFrm.h"
#include "ui/system/ProgramDownload.h"
#include "zones/DstText.h"

namespace {

// Shorter news is no newsletter.
constexpr int MinimumNewsLength = 6;

bool offersDownload(const QString& news)
{
    return matchesPattern(news, u"*free*space*") || matchesPattern(news, u"*HUXO 5*saved*folder");
}

} // namespace

void SystTimeFrm::HUXOLBL_DblClick()
{
    setWindowTitle(QStringLiteral("HUXO Updates"));
    SetMserver(m_module);
    Inet1->setRequestTimeout(RequestTimeoutSeconds);
    if (LinkAniTimer->isActive()) {
        Stat->clear();
        addStat(QStringLiteral("BUSY - PLEASE WAIT."));
        return;
    }
    if (UpdArmed == 0) {
        addStat(QStringLiteral("Ready to retrieve updates"));
        addStat(QStringLiteral("double-click again to proceed."));
        UpdArmed = -1;
        return;
    }

    Stat->clear();
    addStat(QStringLiteral("Establishing connection..."));
    addStat(QStringLiteral("HUXO server ") + numberToText(int(m_module.MServer)));
    LinkAniTimer->start();
    StatusText = QStringLiteral("RETRIEVAL COMPLETE");
    m_module.NetStatus = Completed;
    addStat(QStringLiteral("Retrieving Updates..."));
    addStat(QStringLiteral("PLEASE WAIT"));

    const QString base = m_module.MServerBase + QStringLiteral("x__c51/");
    const std::optional<QString> dst = Inet1->FetchText(base + QStringLiteral("dst.txt"));
    if (!dst || !DstText::writeFile(m_module.programFile(QStringLiteral("dst.txt")), *dst)) {
        retrievalFailed();
        return;
    }
    Inet1->Cancel();
    const std::optional<QString> head = Inet1->FetchText(base + QStringLiteral("head.txt"));
    Inet1->Cancel();
    const std::optional<QString> news = head ? Inet1->FetchText(base + QStringLiteral("news.txt")) : std::nullopt;
    Inet1->Cancel();
    const std::optional<QByteArray> picture = news ? Inet1->FetchBytes(base + QStringLiteral("picc.gif")) : std::nullopt;
    if (!picture || !writeWholeFile(m_module.programFile(QStringLiteral("pic.gif")), *picture)) {
        retrievalFailed();
        return;
    }
    addStat(QStringLiteral("Retrieved dst.txt at ") + formatDate(m_module.services().clock.now(), u"hh:mm:ss") +
            QStringLiteral(" (local)"));

    if (news->size() < MinimumNewsLength) {
        addStat(QStringLiteral("No HUXO TIMES today."));
    } else {
        CTimesFrm& newsletter = m_forms.get<CTimesFrm>();
        newsletter.ParagLbl->setText(*news);
        newsletter.HeadLbl->setText(*head);
        newsletter.Image1->setPixmap(QPixmap(m_module.programFile(QStringLiteral("pic.gif"))));
        newsletter.DLDBtn->setVisible(offersDownload(*news));
        newsletter.show();
        // Closing ends the link and unloads this window; the newsletter stays.
        close();
        return;
    }
    Inet1->Cancel();
    addStat(StatusText);
    LinkAniTimer->stop();
    if (m_module.NetStatus >= 1 && m_module.NetStatus <= 5) {
        LinkShow();
    }
}

// The failed picture tells the user; the animation stops in any case, so that a retrieval that failed out of
// sight does not leave every later one refused as busy.
void SystTimeFrm::retrievalFailed()
{
    LinkAniTimer->stop();
    m_module.NetStatus = Failed;
    if (!isVisible()) {
        Inet1->Cancel();
        return;
    }
    StopLink();
    addStat(QStringLiteral("bad link"));
    LinkShow();
}

void SystTimeFrm::DownloadNewProgram()
{
    Stat->clear();
    WaitLbl->show();
    LinkAniTimer->start();
    addStat(QStringLiteral("DOWNLOADING PLEASE WAIT"));
    Label2->setText(QStringLiteral("- ").repeated(42) + u'-');
    Command2->setText(QStringLiteral("===="));

    Inet1->Cancel();
    const std::optional<QByteArray> bytes =
        Inet1->FetchBytes(m_module.MServerBase + QStringLiteral("x__c51/new.ex"));
    if (!bytes || !ProgramDownload::save(m_module, *bytes, QStringLiteral("new.exe"))) {
        WaitLbl->hide();
        retrievalFailed();
        return;
    }
    StopLink();
    WaitLbl->hide();
    LinkAniTimer->stop();
    m_module.NetStatus = Completed;
    LinkShow();
    Stat->clear();
    addStat(QStringLiteral("DOWNLOAD COMPLETE"));
    m_module.OffTop(this);
    ProgramDownload::tellArrived(m_module, QStringLiteral("new.exe"), this);
    close();
}
