#include "PrefsFrm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "core/Module1.h"
#include "core/ProgramTitle.h"
#include "core/ScheduleTime.h"
#include "core/Twips.h"
#include "net/ProxyName.h"
#include "platform/Dialogs.h"
#include "ui/Controls.h"
#include "ui/DialogPreamble.h"
#include "ui/EventHooks.h"
#include "ui/Forms.h"
#include "ui/MainWindow.h"
#include "ui/StorableText.h"

namespace {

// Window geometry, twips.
constexpr int WindowWidth = 5280;
constexpr int Margin = 120;
constexpr int FullWidth = 5040;
constexpr int HalfWidth = 2460;
constexpr int RightColumn = 2700;
constexpr int ConnectionTop = 3030;
constexpr int OptionHeight = 255;
// The connection frame shows the proxy name box only when a proxy is chosen.
constexpr int ConnectionClosed = 630;
constexpr int ConnectionOpen = 1215;

QGroupBox* makeFrame(QWidget* parent, const char* name, const char* title, QRect twips)
{
    auto* frame = makeControl<QGroupBox>(parent, name);
    frame->setTitle(QLatin1String(title));
    placeInTwips(frame, twips.x(), twips.y(), twips.width(), twips.height());
    return frame;
}

QLabel* makeLabel(QWidget* frame, const char* text, QRect twips)
{
    auto* label = new QLabel(QLatin1String(text), frame);
    label->setTextFormat(Qt::PlainText);
    placeInTwips(label, twips.x(), twips.y(), twips.width(), twips.height());
    return label;
}

QCheckBox* makeCheckBox(QWidget* frame, const char* name, const char* caption, const char* toolTip, QRect twips)
{
    auto* box = makeControl<QCheckBox>(frame, name);
    box->setText(QLatin1String(caption));
    box->setToolTip(QLatin1String(toolTip));
    placeInTwips(box, twips.x(), twips.y(), twips.width(), twips.height());
    return box;
}

} // namespace

PrefsFrm::PrefsFrm(Module1& module, Forms& forms)
    : m_module(module)
    , m_forms(forms)
    , m_hooks(new EventHooks(this))
{
    beginDialog(*this, "PrefsFrm", QStringLiteral("HUXO Preferences"));
    buildFrames();
    buildOptions();
    buildSchedulerControls();
    buildProxyControls();
    setConnectionFrameHeight(ConnectionClosed);
    m_hooks->onMouseOver(this, [this] { Form_MouseMove(); });
    Form_Load();
}

PrefsFrm::~PrefsFrm() = default;

void PrefsFrm::buildFrames()
{
    Frame3 = makeFrame(this, "Frame3", "When on taskbar show...", QRect(Margin, 120, HalfWidth, 900));
    Frame1 = makeFrame(this, "Frame1", "Startup Position", QRect(RightColumn, 120, HalfWidth, 900));
    Frame7 = makeFrame(this, "Frame7", "Auto Scheduler", QRect(Margin, 1140, FullWidth, 1020));
    Frame7->setToolTip(
        QStringLiteral("Using the auto-sheduler is only recommended if you have a permanent internet connection."));
    Frame5 = makeFrame(this, "Frame5", "Display", QRect(Margin, 2280, FullWidth, 630));
    Frame4 = makeFrame(this, "Frame4", "Internet Connection", QRect(Margin, ConnectionTop, FullWidth, ConnectionOpen));
    m_hooks->onMouseOver(Frame7, [this] { Frame7_MouseMove(); });
}

void PrefsFrm::buildOptions()
{
    struct Row
    {
        QRadioButton* PrefsFrm::*member;
        QGroupBox* PrefsFrm::*frame;
        const char* name;
        const char* caption;
        const char* toolTip;
        int left;
        int top;
        int width;
        void (PrefsFrm::*selected)();
    };
    // clang-format off
    const Row rows[] = {
        {&PrefsFrm::Option3, &PrefsFrm::Frame3, "Option3", "Local time",
         "local time shown on taskbar button", 150, 300, 2200, &PrefsFrm::Option3_Click},
        {&PrefsFrm::Option1, &PrefsFrm::Frame3, "Option1", "Clock 3 time",
         "clock 3 time zone shown on taskbar button", 150, 570, 2200, &PrefsFrm::Option1_Click},
        {&PrefsFrm::MinOpt, &PrefsFrm::Frame1, "MinOpt", "On taskbar",
         "start HUXO as a button on the taskbar", 150, 300, 2200, &PrefsFrm::MinOpt_Click},
        {&PrefsFrm::NormOpt, &PrefsFrm::Frame1, "NormOpt", "On desktop",
         "start HUXO with the clock window on the desktop", 150, 570, 2200, &PrefsFrm::NormOpt_Click},
        {&PrefsFrm::Option2, &PrefsFrm::Frame5, "Option2", "System colours",
         "clock window background set to system colours", 150, 300, 2200, &PrefsFrm::Option2_Click},
        {&PrefsFrm::Black, &PrefsFrm::Frame5, "Black", "Black",
         "clock window background black", RightColumn, 300, 2000, &PrefsFrm::Black_Click},
        {&PrefsFrm::SystemOpt, &PrefsFrm::Frame4, "SystemOpt", "System",
         "use system defaults", 150, 300, 1400, &PrefsFrm::SystemOpt_Click},
        {&PrefsFrm::DirectOpt, &PrefsFrm::Frame4, "DirectOpt", "Direct",
         "connect directly to internet", 1650, 300, 1400, &PrefsFrm::DirectOpt_Click},
        {&PrefsFrm::Proxy, &PrefsFrm::Frame4, "Proxy", "Proxy",
         "connect via proxy server", 3150, 300, 1400, &PrefsFrm::Proxy_Click},
    };
    // clang-format on
    for (const Row& row : rows) {
        auto* option = makeControl<QRadioButton>(this->*row.frame, row.name);
        option->setText(QLatin1String(row.caption));
        option->setToolTip(QLatin1String(row.toolTip));
        placeInTwips(option, row.left, row.top, row.width, OptionHeight);
        // An option acts when it becomes selected, whether by the user or by the load.
        connect(option, &QRadioButton::toggled, this, [this, selected = row.selected](bool checked) {
            if (checked) {
                (this->*selected)();
            }
        });
        this->*row.member = option;
    }
    m_hooks->onMouseOver(Black, [this] { ColArmed = Flag::On; });
    // The keyboard reaches Black without the mouse (arrow keys from Option2, or a blank on Black); a key pressed on
    // either arms it as the mouse does.
    Option2->installEventFilter(this);
    Black->installEventFilter(this);
}

bool PrefsFrm::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == Option2 || watched == Black) && event->type() == QEvent::KeyPress) {
        ColArmed = Flag::On;
    }
    return QWidget::eventFilter(watched, event);
}

void PrefsFrm::buildSchedulerControls()
{
    AutoChk =
        makeCheckBox(Frame7, "AutoChk", "", "Auto-scheduling is activated when checked", QRect(150, 330, 270, 255));
    makeLabel(Frame7, "Auto-correct at", QRect(450, 330, 1400, 255));
    AutCorrTime = makeControl<QLineEdit>(Frame7, "AutCorrTime");
    placeInTwips(AutCorrTime, 1900, 285, 750, 330);
    AutCorrTime->setText(ScheduleTime::fallback());
    AutCorrTime->setToolTip(QStringLiteral("local time (24hr clock)"));
    makeLabel(Frame7, "daily", QRect(2740, 330, 700, 255));
    GetCTchk = makeCheckBox(Frame7,
                            "GetCTchk",
                            "Get HUXO TIMES automatically also",
                            "Check to get HUXO TIMES and DST updates automatically also.",
                            QRect(150, 690, 4700, 255));
    connect(AutoChk, &QCheckBox::clicked, this, &PrefsFrm::AutoChk_Click);
}

void PrefsFrm::buildProxyControls()
{
    makeLabel(Frame4, "Proxy Server Configuration...", QRect(150, 720, 2400, 255));
    Text1 = makeControl<QLineEdit>(Frame4, "Text1");
    placeInTwips(Text1, 2640, 675, 2250, 330);
    Text1->setMaxLength(30);
    Text1->setText(ProxyPlaceholder);
    Text1->setToolTip(QStringLiteral("only required if you connect via a proxy server"));
    acceptOnlyStorableText(Text1);
    connect(Text1, &QLineEdit::textChanged, this, &PrefsFrm::Text1_Change);
}

void PrefsFrm::Form_Load()
{
    if (MainWindow* mainWindow = m_forms.mainWindow()) {
        mainWindow->releaseOnTop();
    }
    if (m_module.ColourScheme == Colours::System) {
        Option2->setChecked(true);
    } else if (m_module.ColourScheme == Colours::Black) {
        Black->setChecked(true);
    }
    ColArmed = Flag::Off;
    if (m_module.StartMin == Flag::Off) {
        NormOpt->setChecked(true);
    } else if (m_module.StartMin == Flag::On) {
        MinOpt->setChecked(true);
    }
    if (m_module.TaskbarClock3 == Flag::On) {
        Option1->setChecked(true);
    } else if (m_module.TaskbarClock3 == Flag::Off) {
        Option3->setChecked(true);
    }
    AutoChk->setChecked(m_module.ACTOn == Flag::On);
    GetCTchk->setChecked(m_module.ACTUpdates == Flag::On);
    AutoChk_Click();
    m_module.ACTime = ScheduleTime::shownAtLoad(m_module.ACTime.value_or(QString()));
    AutCorrTime->setText(*m_module.ACTime);
    if (m_module.NetAccess == Connection::SystemSettings) {
        SystemOpt->setChecked(true);
    } else if (m_module.NetAccess == Connection::Proxy) {
        Proxy->setChecked(true);
    } else if (m_module.NetAccess == Connection::Direct) {
        DirectOpt->setChecked(true);
    }
    if (m_module.ProxyName.isEmpty()) {
        m_module.ProxyName = ProxyPlaceholder;
    }
    Text1->setText(m_module.ProxyName);
}

bool PrefsFrm::Form_QueryUnload()
{
    ColArmed = Flag::Off;
    m_module.ACTime = ScheduleTime::fromTyped(AutCorrTime->text());
    const bool valid = ScheduleTime::isValid(*m_module.ACTime);
    if (!valid) {
        m_module.services().dialogs.tell(
            QStringLiteral("The time set in the Auto Scheduler must be in the form HH:MM (24 hour clock)."),
            ProgramTitle(),
            Dialogs::Icon::None,
            this);
        m_module.ACTime = ScheduleTime::fallback();
    }
    m_module.ACTOn = AutoChk->isChecked() ? Flag::On : Flag::Off;
    m_module.ACTUpdates = GetCTchk->isChecked() ? Flag::On : Flag::Off;
    followSchedulerSetting();
    return valid;
}

void PrefsFrm::Form_Unload()
{
    // A failed write is reported by SaveSettings itself, and the values in memory are kept.
    m_module.SaveSettings();
}

void PrefsFrm::closeEvent(QCloseEvent* event)
{
    if (!Form_QueryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
    m_forms.unload(this);
    Form_Unload();
}

void PrefsFrm::Option3_Click()
{
    m_module.TaskbarClock3 = Flag::Off;
}

void PrefsFrm::Option1_Click()
{
    m_module.TaskbarClock3 = Flag::On;
}

void PrefsFrm::AutoChk_Click()
{
    const bool on = AutoChk->isChecked();
    GetCTchk->setEnabled(on);
    AutCorrTime->setEnabled(on);
}

void PrefsFrm::Option2_Click()
{
    m_module.ColourScheme = Colours::System;
    m_module.Redraw = RedrawRequest::ColoursChanged;
    if (MainWindow* mainWindow = m_forms.mainWindow()) {
        mainWindow->ColChg();
    }
}

void PrefsFrm::Black_Click()
{
    if (ColArmed != Flag::On) {
        return;
    }
    m_module.ColourScheme = Colours::Black;
    if (MainWindow* mainWindow = m_forms.mainWindow()) {
        mainWindow->ColChg();
    }
    m_module.Redraw = RedrawRequest::ColoursChanged;
}

void PrefsFrm::SystemOpt_Click()
{
    m_module.NetAccess = Connection::SystemSettings;
    setConnectionFrameHeight(ConnectionClosed);
}

void PrefsFrm::DirectOpt_Click()
{
    m_module.NetAccess = Connection::Direct;
    setConnectionFrameHeight(ConnectionClosed);
}

void PrefsFrm::Proxy_Click()
{
    m_module.NetAccess = Connection::Proxy;
    setConnectionFrameHeight(ConnectionOpen);
}

void PrefsFrm::Text1_Change()
{
    m_module.ProxyName = Text1->text().trimmed();
}

void PrefsFrm::MinOpt_Click()
{
    m_module.StartMin = Flag::On;
}

void PrefsFrm::NormOpt_Click()
{
    m_module.StartMin = Flag::Off;
}

void PrefsFrm::Frame7_MouseMove()
{
    followSchedulerSetting();
}

void PrefsFrm::Form_MouseMove()
{
    if (MainWindow* mainWindow = m_forms.mainWindow()) {
        mainWindow->markPreferencesHotSpot(false);
    }
}

void PrefsFrm::setConnectionFrameHeight(int twips)
{
    Frame4->resize(Frame4->width(), Twips::toPixels(twips));
    // The window grows and shrinks with the frame, so no empty band is left below it.
    setFixedSize(Twips::toPixels(WindowWidth), Twips::toPixels(ConnectionTop + twips + Margin));
}

// The main window's scheduler runs exactly while the daily auto-correct is on. A running timer is left alone, so
// that passing the mouse over the frame does not put off its next firing.
void PrefsFrm::followSchedulerSetting()
{
    if (MainWindow* mainWindow = m_forms.mainWindow()) {
        mainWindow->followSchedulerSetting();
    }
}
