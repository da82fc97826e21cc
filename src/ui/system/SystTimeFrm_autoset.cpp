// The internet setting of the computer's clock as the window shows it: the progress list and the link picture, the
// newsflash, and the advice given instead of a request.
#include "SystTimeFrm.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "core/Module1.h"
#include "core/ProgramTitle.h"
#include "core/StateCodes.h"
#include "net/Progress.h"
#include "net/TimeCorrection.h"
#include "platform/Dialogs.h"
#include "ui/Forms.h"
#include "ui/MainWindow.h"
#include "ui/PictureClip.h"
#include "ui/system/PrefsFrm.h"

void SystTimeFrm::addStat(const QString& line)
{
    Stat->addItem(line);
    Stat->scrollToBottom();
}

Progress SystTimeFrm::progress()
{
    const QPointer<SystTimeFrm> window(this);
    return Progress{[window] {
                        if (window) {
                            window->Stat->clear();
                        }
                    },
                    [window](const QString& line) {
                        if (window) {
                            window->addStat(line);
                        }
                    },
                    [window] {
                        if (window) {
                            window->LinkAniTimer->start();
                        }
                    }};
}

void SystTimeFrm::showOutcome()
{
    LinkAniTimer->stop();
    LinkShow();
}

void SystTimeFrm::AutoSetBtn_Click(StartedBy startedBy)
{
    // A second operation started while one waits for its answer would tangle both in one progress list.
    if (LinkAniTimer->isActive()) {
        return;
    }
    AutoPanel->show();
    PictureClip1->setCols(LinkCells);
    Frame1->hide();
    Frame2->hide();

    // The window may be closed while the operation waits for an answer.
    const QPointer<SystTimeFrm> alive(this);
    TimeCorrection::Question askUser;
    if (startedBy == StartedBy::User) {
        askUser = [&dialogs = m_module.services().dialogs, alive](const QString& question) {
            // A step of hours or years is hard to undo: a reflexive Enter keeps the computer's time.
            return dialogs.ask(question,
                               ProgramTitle(),
                               Dialogs::Icon::Question,
                               Dialogs::Buttons::YesNoDefaultNo,
                               alive.data())
                   == Dialogs::Answer::Yes;
        };
    }
    TimeCorrection correction(m_module, *Inet1, progress(), std::move(askUser));
    m_module.playClick(); // each try is heard as it starts, the daily run's included
    const TimeCorrection::Result result = correction.run(CurServer, !m_newsflashShown);
    if (!alive) {
        return;
    }
    CurServer = result.server;
    switch (result.outcome) {
    case TimeCorrection::Outcome::AdviceDue:
        adviseOnRepeatedFailure();
        return;
    case TimeCorrection::Outcome::ProxyNotSet:
        adviseOnUnsetProxy();
        return;
    case TimeCorrection::Outcome::Failed:
    case TimeCorrection::Outcome::Finished:
        break;
    }
    if (m_module.NetStatus == NetOutcome::Completed) {
        if (MainWindow* mainWindow = m_forms.mainWindow()) {
            mainWindow->DoCalDate();
        }
        if (result.newsflash) {
            showNewsflash(*result.newsflash);
        }
        if (m_programFileOffered) {
            offerOnCommand2(Command2Offer::Fetch);
        }
    }
    showOutcome();
}

void SystTimeFrm::runScheduledAutoSet()
{
    AutoPanel->show();
    show();
    AutoSetBtn_Click(StartedBy::Scheduler);
}

void SystTimeFrm::adviseOnRepeatedFailure()
{
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
}

void SystTimeFrm::adviseOnUnsetProxy()
{
    m_forms.get<PrefsFrm>().show();
    m_module.services().dialogs.tell(
        QStringLiteral("You are attempting to connect via a proxy server but you have not configured the server "
                       "path correctly. Alter the 'Internet Connection' settings in 'HUXO Preferences'."),
        ProgramTitle(),
        Dialogs::Icon::None,
        this);
}

void SystTimeFrm::showNewsflash(const QString& flash)
{
    Label2->setText(flash);
    Label2->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0);"));
    m_newsflashShown = true;
    m_programFileOffered = TimeCorrection::offersProgramFile(flash);
}

void SystTimeFrm::offerOnCommand2(Command2Offer offer)
{
    m_command2Offer = offer;
    switch (offer) {
    case Command2Offer::Retry:
        Command2->setText(QStringLiteral("&Retry"));
        Command2->setToolTip(QStringLiteral("click here to try again if necessary."));
        break;
    case Command2Offer::Fetch:
        Command2->setText(QStringLiteral("FETCH"));
        Command2->setToolTip(QString());
        break;
    case Command2Offer::Downloading:
        Command2->setText(QStringLiteral("===="));
        break;
    }
}

void SystTimeFrm::Command2_Click()
{
    if (m_command2Offer == Command2Offer::Fetch) {
        DownloadNewProgram();
    } else {
        AutoSetBtn_Click();
    }
}
