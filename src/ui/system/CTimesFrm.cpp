#include "CTimesFrm.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "core/DateFormat.h"
#include "core/Module1.h"
#include "core/PictureFile.h"
#include "core/ProgramTitle.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Printer.h"
#include "ui/Colouring.h"
#include "ui/Controls.h"
#include "ui/DesignFont.h"
#include "ui/DialogPreamble.h"
#include "ui/EventHooks.h"
#include "ui/Forms.h"
#include "ui/MainWindow.h"
#include "ui/alarms/AlarmFrm.h"
#include "ui/system/ProgramDownload.h"
#include "ui/system/ProgramLink.h"

CTimesFrm::CTimesFrm(Module1& module, Forms& forms)
    : m_module(module)
    , m_forms(forms)
    , m_hooks(new EventHooks(this))
{
    beginDialog(*this, "CTimesFrm", QStringLiteral("HUXO TIMES Newsletter"));
    placeInTwips(this, 0, 0, 6000, 6300);
    setFixedSize(size());
    setBackground(this, QColor(250, 247, 238));

    Label1 = makeControl<QLabel>(this, "Label1");
    placeInTwips(Label1, 240, 120, 4440, 600);
    Label1->setFont(designFont(QStringLiteral("Times New Roman"), 34, true));
    Label1->setText(QStringLiteral("HUXO TIMES"));

    Label4 = makeControl<QLabel>(this, "Label4");
    placeInTwips(Label4, 4800, 180, 960, 285);
    Label4->setText(QStringLiteral("PRINT"));
    Label4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label4->setToolTip(QStringLiteral("double-click here to print"));

    Label3 = makeControl<QLabel>(this, "Label3");
    placeInTwips(Label3, 240, 720, 2880, 285);
    Label3->setText(QStringLiteral("The one and only..."));

    DateLbl = makeControl<QLabel>(this, "DateLbl");
    placeInTwips(DateLbl, 3120, 720, 2640, 285);
    DateLbl->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    Line1 = makeControl<QFrame>(this, "Line1");
    placeInTwips(Line1, 240, 1035, 5520, 30);
    Line1->setFrameShape(QFrame::HLine);

    HeadLbl = makeControl<QLabel>(this, "HeadLbl");
    placeInTwips(HeadLbl, 240, 1110, 5520, 495);
    HeadLbl->setFont(designFont(QStringLiteral("Times New Roman"), 19, true));
    HeadLbl->setText(QStringLiteral("What's New?"));

    Image1 = makeControl<QLabel>(this, "Image1");
    placeInTwips(Image1, 240, 1665, 1800, 1800);
    Image1->setScaledContents(true);

    ParagLbl = makeControl<QLabel>(this, "ParagLbl");
    placeInTwips(ParagLbl, 2160, 1665, 3600, 3840);
    ParagLbl->setWordWrap(true);
    ParagLbl->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    DLDBtn = makeControl<QPushButton>(this, "DLDBtn");
    placeInTwips(DLDBtn, 240, 3600, 1800, 405);
    DLDBtn->setText(QStringLiteral("&Download"));
    DLDBtn->setToolTip(QStringLiteral("click here to commence download"));
    DLDBtn->hide();

    Label2 = makeControl<QLabel>(this, "Label2");
    placeInTwips(Label2, 240, 5580, 5520, 285);
    Label2->setText(QStringLiteral("Edited by the HUXO team, for everyone who keeps the world's time."));

    WaitLbl = makeControl<QLabel>(this, "WaitLbl");
    placeInTwips(WaitLbl, 240, 5880, 5520, 285);
    WaitLbl->setText(QStringLiteral("PLEASE WAIT FOR YOUR FILE TO ARRIVE"));
    WaitLbl->hide();

    m_hooks->onDoubleClick(Label4, [this] { Label4_DblClick(); });
    connect(DLDBtn, &QPushButton::clicked, this, &CTimesFrm::DLDBtn_Click);
    Form_Load();
}

void CTimesFrm::Form_Load()
{
    // Off the main window's on-top state, so that the newsletter can come to the front.
    if (MainWindow* mainWindow = m_forms.mainWindow()) {
        mainWindow->releaseOnTop();
    }
    DateLbl->setText(formatDate(m_module.services().clock.now(), u"dddd dd mmm yyyy"));
}

void CTimesFrm::showNewsletter(const QString& headline, const QString& text, bool offersDownload)
{
    ParagLbl->setText(text);
    HeadLbl->setText(headline);
    Image1->setPixmap(QPixmap::fromImage(readPictureFile(m_module.programFile(QStringLiteral("pic.gif")))));
    DLDBtn->setVisible(offersDownload);
    show();
}

void CTimesFrm::closeEvent(QCloseEvent* event)
{
    // Closing the window that waits for the file is how the user gives up on it.
    if (m_downloading) {
        ProgramLink::stop(m_forms);
    }
    showMinimized();
    event->accept();
    m_forms.unload(this);
}

void CTimesFrm::Label4_DblClick()
{
    if (WaitLbl->isVisible()) {
        return;
    }
    QString reason;
    if (!m_module.services().printer.print(grab().toImage(), &reason)) {
        m_module.services().dialogs.tell(
            QStringLiteral("Sorry - could not print"), ProgramTitle(), Dialogs::Icon::None, this);
    }
}

// The newsletter may be closed while a question or the download waits; from then on nothing more happens.
// A failure is told, and the button comes back, so that the user may try again.
void CTimesFrm::DLDBtn_Click()
{
    DLDBtn->hide();
    WaitLbl->show();
    const QPointer<CTimesFrm> alive(this);
    if (m_forms.alarmSet()) {
        const auto answer = m_module.services().dialogs.ask(
            QStringLiteral("A HUXO reminder alarm has been set. If you proceed the alarm will be cancelled, do you "
                           "want to proceed?"),
            QStringLiteral("Warning"),
            Dialogs::Icon::Critical,
            Dialogs::Buttons::YesNo,
            this);
        if (!alive || answer != Dialogs::Answer::Yes) {
            return;
        }
        m_forms.get<AlarmFrm>().cancelPending();
    }
    DLDBtn->setText(QStringLiteral("WAIT"));

    m_downloading = true;
    QString failure;
    const bool saved = ProgramLink::fetch(m_forms, QStringLiteral("self.ex"), QStringLiteral("inst.exe"), &failure);
    if (!alive || m_forms.loaded<CTimesFrm>() != this) {
        return;
    }
    m_downloading = false;
    ProgramLink::stop(m_forms);
    WaitLbl->hide();
    if (!saved) {
        DLDBtn->setText(QStringLiteral("&Download"));
        DLDBtn->show();
        ProgramDownload::tellNotArrived(m_module, QStringLiteral("inst.exe"), failure, this);
        return;
    }
    ProgramDownload::tellArrived(m_module, QStringLiteral("inst.exe"), this);
}
