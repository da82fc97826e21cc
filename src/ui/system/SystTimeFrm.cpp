#include "SystTimeFrm.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "core/DateFormat.h"
#include "core/DateTimeRecognition.h"
#include "core/Module1.h"
#include "core/ProgramTitle.h"
#include "core/Twips.h"
#include "net/Inet.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "ui/Controls.h"
#include "ui/DesignFont.h"
#include "ui/DialogPreamble.h"
#include "ui/EventHooks.h"
#include "ui/Forms.h"
#include "ui/MainWindow.h"
#include "ui/PictureClip.h"
#include "ui/StorableText.h"

namespace {

// Window geometry, twips.
constexpr int WindowWidth = 5400;
constexpr int WindowHeight = 3300;
constexpr int FrameLeft = 120;
constexpr int FrameWidth = 5160;

constexpr int LastAnimationCell = 3;

} // namespace

SystTimeFrm::SystTimeFrm(Module1& module, Forms& forms)
    : m_module(module)
    , m_forms(forms)
    , m_hooks(new EventHooks(this))
{
    beginDialog(*this, "SystTimeFrm", QStringLiteral("Set Local System Time"));
    setFixedSize(Twips::toPixels(WindowWidth), Twips::toPixels(WindowHeight));
    buildManualView();
    buildInternetView();
    Form_Load();
}

SystTimeFrm::~SystTimeFrm() = default;

void SystTimeFrm::buildManualView()
{
    Frame1 = makeControl<QGroupBox>(this, "Frame1");
    placeInTwips(Frame1, FrameLeft, 120, FrameWidth, 1680);

    Label1 = makeControl<QLabel>(Frame1, "Label1");
    placeInTwips(Label1, 120, 180, 4920, 285);
    Label1->setText(QStringLiteral("To manually adjust your computer's clock, enter the new time..."));

    Text1 = makeControl<QLineEdit>(Frame1, "Text1");
    placeInTwips(Text1, 120, 540, 1800, 345);
    Text1->setToolTip(QStringLiteral("Click here to enter the time via your keyboard."));

    Command1 = makeControl<QPushButton>(Frame1, "Command1");
    placeInTwips(Command1, 2100, 510, 2100, 405);
    Command1->setText(QStringLiteral("&Keep This Setting"));

    auto* captionLabel = new QLabel(QStringLiteral("Local clock caption:"), Frame1);
    captionLabel->setTextFormat(Qt::PlainText);
    placeInTwips(captionLabel, 120, 1140, 1800, 285);
    Text2 = makeControl<QLineEdit>(Frame1, "Text2");
    placeInTwips(Text2, 2100, 1110, 2100, 345);
    Text2->setMaxLength(12);
    Text2->setToolTip(QStringLiteral("caption for local clock"));
    acceptOnlyStorableText(Text2);

    Timer1 = makeControl<QTimer>(this, "Timer1");
    Timer1->setInterval(1000);

    connect(Timer1, &QTimer::timeout, this, &SystTimeFrm::Timer1_Timer);
    m_hooks->onMouseDown(Text1, [this] { Text1_Click(); });
    // Typing into the box while it still follows the clock would see the next second overwrite the keystroke.
    connect(Text1, &QLineEdit::textEdited, this, &SystTimeFrm::Text1_Click);
    connect(Text2, &QLineEdit::textChanged, this, &SystTimeFrm::Text2_Change);
    connect(Command1, &QPushButton::clicked, this, &SystTimeFrm::Command1_Click);
}

void SystTimeFrm::buildInternetView()
{
    Frame2 = makeControl<QGroupBox>(this, "Frame2");
    placeInTwips(Frame2, FrameLeft, 1920, FrameWidth, 1260);

    auto* note = new QLabel(
        QStringLiteral("or if you have an internet connection you can use the Auto Set and Update features."), Frame2);
    note->setTextFormat(Qt::PlainText);
    note->setWordWrap(true);
    placeInTwips(note, 120, 150, 4920, 510);

    AutoSetBtn = makeControl<QPushButton>(Frame2, "AutoSetBtn");
    placeInTwips(AutoSetBtn, 120, 720, 2700, 405);
    AutoSetBtn->setText(QStringLiteral("&Auto Set and Updates"));
    AutoSetBtn->setToolTip(QStringLiteral("internet updates"));

    Inet1 = new Inet(this);
    Inet1->setObjectName(QStringLiteral("Inet1"));

    LinkAniTimer = makeControl<QTimer>(this, "LinkAniTimer");
    LinkAniTimer->setInterval(40);

    PictureClip1 = new PictureClip(this);
    PictureClip1->setObjectName(QStringLiteral("PictureClip1"));
    PictureClip1->load(m_module.assetFile(QStringLiteral("link.png")));
    PictureClip1->setCols(LinkCells);

    // The picture belongs to the window, not to a frame, so that it stays in view when the frames give way to
    // the progress panel.
    LinkAniImg = makeControl<QLabel>(this, "LinkAniImg");
    placeInTwips(LinkAniImg, FrameLeft + 4440, 2580, 480, 480);
    LinkAniImg->setToolTip(QStringLiteral("double-click to stop transfer"));
    LinkAniImg->setPixmap(PictureClip1->GraphicCell(AniFrame));

    HUXOLBL[0] = makeProductLabel(Frame2, "HUXOLBL_0");
    placeInTwips(HUXOLBL[0], 3000, 720, 1200, 405);

    connect(LinkAniTimer, &QTimer::timeout, this, &SystTimeFrm::LinkAniTimer_Timer);
    m_hooks->onDoubleClick(LinkAniImg, [this] { LinkAniImg_DblClick(); });
    connect(AutoSetBtn, &QPushButton::clicked, this, [this] { AutoSetBtn_Click(); });
    buildAutoPanel();
    // The progress panel spans the window; the picture must stay above it to take its stop double-click.
    LinkAniImg->raise();
}

void SystTimeFrm::buildAutoPanel()
{
    AutoPanel = makeControl<QWidget>(this, "AutoPanel");
    placeInTwips(AutoPanel, FrameLeft, 120, FrameWidth, 3060);
    AutoPanel->hide();

    Stat = makeControl<QListWidget>(AutoPanel, "Stat");
    placeInTwips(Stat, 0, 0, 3720, 2040);
    Stat->setToolTip(QStringLiteral("progress; Ctrl+C copies it"));
    Stat->setWordWrap(true);
    Stat->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The progress lines are what a user sends along when asking for help with a connection.
    auto* copy = new QAction(QStringLiteral("&Copy"), Stat);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    Stat->addAction(copy);
    Stat->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(copy, &QAction::triggered, this, [this] {
        QStringList lines;
        for (int row = 0; row < Stat->count(); ++row) {
            lines << Stat->item(row)->text();
        }
        QGuiApplication::clipboard()->setText(lines.join(u'\n'));
    });

    HUXOLBL[1] = makeProductLabel(AutoPanel, "HUXOLBL_1");
    placeInTwips(HUXOLBL[1], 3900, 0, 1200, 405);

    Command2 = makeControl<QPushButton>(AutoPanel, "Command2");
    placeInTwips(Command2, 3900, 540, 1200, 405);
    offerOnCommand2(Command2Offer::Retry);

    WaitLbl = makeControl<QLabel>(AutoPanel, "WaitLbl");
    placeInTwips(WaitLbl, 3900, 1080, 1200, 405);
    WaitLbl->setText(QStringLiteral("WAIT"));
    WaitLbl->setAlignment(Qt::AlignCenter);
    WaitLbl->hide();

    Label2 = makeControl<QLabel>(AutoPanel, "Label2");
    placeInTwips(Label2, 0, 2160, 4200, 900);
    Label2->setWordWrap(true);
    Label2->setToolTip(QStringLiteral("Newsflash Area"));
    Label2->setText(
        QStringLiteral("Newsflashes, when available, appear here  when using Auto-Set to set the system time."));

    connect(Command2, &QPushButton::clicked, this, &SystTimeFrm::Command2_Click);
    for (QLabel* label : HUXOLBL) {
        m_hooks->onDoubleClick(label, [this] { HUXOLBL_DblClick(); });
    }
}

QLabel* SystTimeFrm::makeProductLabel(QWidget* parent, const char* name)
{
    auto* label = makeControl<QLabel>(parent, name);
    label->setText(QStringLiteral("HUXO"));
    label->setFont(designFont(QStringLiteral("MS Sans Serif"), 18, true));
    label->setAlignment(Qt::AlignCenter);
    label->setToolTip(QStringLiteral("quadruple-click for HUXO TIMES and file updates."));
    return label;
}

void SystTimeFrm::Form_Load()
{
    MainWindow* mainWindow = m_forms.mainWindow();
    if (mainWindow) {
        setWindowIcon(mainWindow->widget().windowIcon());
    }
    if (!m_forms.alarmSettingsShown() && !m_forms.reminderShown()) {
        m_module.OnTop(this);
    }
    if (mainWindow) {
        Text2->setText(mainWindow->localCaption());
    }
    Inet1->setAccessType(m_module.NetAccess);
    Inet1->setAuthorities(m_module.NetEndpoints.authorities);
    if (m_module.NetAccess == Connection::Proxy) {
        Inet1->setProxy(m_module.ProxyName);
    }
    Timer1->start();
    m_module.playClick();
    Text1->setText(formatDate(m_module.services().clock.now(), u"HH:MM:SS"));
    CurServer = 0;
    UpdArmed = Flag::Off;
}

void SystTimeFrm::Form_QueryUnload()
{
    Inet1->setRequestTimeout(1);
    m_module.playClick();
    LinkAniTimer->stop();
    Inet1->Cancel();
}

void SystTimeFrm::closeEvent(QCloseEvent* event)
{
    Form_QueryUnload();
    event->accept();
    m_forms.unload(this);
}

void SystTimeFrm::Timer1_Timer()
{
    Text1->setText(systemTimeText(m_module.services().clock.now().time()));
}

void SystTimeFrm::Text1_Click()
{
    Timer1->stop();
}

void SystTimeFrm::Text2_Change()
{
    m_module.LocCaption = Text2->text().trimmed();
    if (MainWindow* mainWindow = m_forms.mainWindow()) {
        mainWindow->showLocalCaption(m_module.LocCaption);
    }
}

void SystTimeFrm::Command1_Click()
{
    // Only the time of day is ever set here, on today's date: a date alone would put the clock back to midnight.
    const auto recognized = recognizeDateTime(Text1->text());
    Dialogs& dialogs = m_module.services().dialogs;
    if (!recognized || !recognized->time) {
        dialogs.tell(QStringLiteral("There is a problem with the way you have entered the new time."),
                     ProgramTitle(),
                     Dialogs::Icon::None,
                     this);
        return;
    }
    Clock& clock = m_module.services().clock;
    QString reason;
    if (clock.setSystemDateTime(QDateTime(clock.now().date(), *recognized->time), Clock::Asking::MayAsk, &reason)
        != Clock::Setting::Done) {
        dialogs.tell(QStringLiteral("The computer's clock was not changed.\n\n") + reason,
                     ProgramTitle(),
                     Dialogs::Icon::Exclamation,
                     this);
        return;
    }
    close();
    m_module.playClick();
}

void SystTimeFrm::LinkAniTimer_Timer()
{
    if (AniFrame > 4) {
        AniFrame = 0;
    }
    const int shown = AniFrame;
    AniFrame = shown == LastAnimationCell ? 0 : shown + 1;
    LinkAniImg->setPixmap(PictureClip1->GraphicCell(AniFrame));
}

void SystTimeFrm::LinkShow()
{
    LinkAniImg->setPixmap(PictureClip1->GraphicCell(int(m_module.NetStatus)));
}

void SystTimeFrm::StopLink()
{
    Inet1->setRequestTimeout(1);
    Inet1->Cancel();
}

void SystTimeFrm::LinkAniImg_DblClick()
{
    StopLink();
    LinkAniTimer->stop();
}
