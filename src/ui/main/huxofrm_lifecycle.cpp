// The main window's start-up and shut-down.
#include "huxofrm.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "core/Module1.h"
#include "core/ProgramTitle.h"
#include "core/Twips.h"
#include "platform/Dialogs.h"
#include "platform/Launcher.h"
#include "platform/WindowOrder.h"
#include "ui/Forms.h"
#include "ui/GlyphButton.h"
#include "ui/info/HUXOhlp.h"
#include "ui/main/ClockFace.h"
#include "ui/main/MainLayout.h"

using namespace MainLayout;

namespace {
// An accessory file of this size or less is a placeholder that keeps its button hidden.
constexpr qint64 PlaceholderSize = 50;
// How far below the top of the window's frame a title bar can be taken with the mouse.
constexpr int TitleBarReach = 8;
} // namespace

void huxofrm::Form_Load()
{
    for (QLabel* day : {GMTDay, CDay, DDay, EDay, FDay, GDay}) {
        day->clear();
    }
    DoCalDate();

    m_module.LoadSettings();
    if (m_module.WinWidth < NarrowestWidth) {
        m_module.WinWidth = FiveClockWidth;
    }
    if (m_module.WinHeight < LowestHeight) {
        m_module.WinHeight = FirstRunHeight;
    }
    LocCap->setText(m_module.LocCaption);
    if (m_module.SetupDone == Flag::Off) {
        m_module.WinHeight = FirstRunHeight;
        m_module.WinWidth = SevenClockWidth;
        CtrlPanel1->move(Twips::toPixels(SevenClockPanelLeft), CtrlPanel1->y());
        setWindowHeight(FirstRunHeight);
        m_module.CalShown = Flag::Off;
    }
    ApplyArrows();

    setWindowHeight(m_module.WinHeight);
    if (m_module.WinWidth > 7500) {
        CtrlPanel1->move(Twips::toPixels(SevenClockPanelLeft), CtrlPanel1->y());
        OntopBtn->setToolTip(QStringLiteral("less clocks"));
    }
    setWindowWidth(m_module.WinWidth);
    placeOnScreen();
    if (m_module.services().windowOrder.desktopPlacesWindows()) {
        leaveOnTopToTheDesktop();
    }
    if (m_module.SetupDone == Flag::Off) {
        // Opened once the window has its place, so that the licence opens beside it rather than under it.
        m_forms.get<HUXOhlp>().showLicence();
    }

    ColChg();
    DateFrame->setVisible(m_module.CalShown != Flag::Off);

    setWindowHeight(m_module.WinHeight);
    showArrowsForHeight(m_module.WinHeight);
    m_clockModel.LastMin = -1;
    UpdateCaptions();
    if (DCap->text().isEmpty() && m_module.SetupDone == Flag::Off) {
        // The greeting lives only in the caption row: the captions themselves stay empty.
        DCap->setText(QStringLiteral("TO"));
        ECap->setText(QStringLiteral("HUXO"));
        FCap->setText(QStringLiteral("WORLD"));
        GCap->setText(QStringLiteral("CLOCKS"));
    }
    if (m_module.StartMin == Flag::On) {
        setWindowState(windowState() | Qt::WindowMinimized);
    }
    m_module.ACTState = SchedulerState::Idle;
    if (m_module.ACTOn == Flag::On) {
        ACTTimer->start();
    }
    m_module.AppPath = m_module.AppDir();
    showAccessories();
    Timer1_Timer();
}

void huxofrm::placeOnScreen()
{
    QPoint topLeft(Twips::toPixels(m_module.WinLeft), Twips::toPixels(m_module.WinTop));
    // A position saved on a screen that is no longer there would put the window out of reach.
    const QRect window(topLeft, size());
    const QList<QScreen*> screens = QGuiApplication::screens();
    const auto shownOn = std::find_if(screens.begin(), screens.end(), [&](const QScreen* screen) {
        return screen->availableGeometry().intersects(window);
    });
    // So is a title bar above the screen, where a Wayland run of an earlier version could leave the window's place.
    const QPoint titleBar(window.center().x(), topLeft.y() + TitleBarReach);
    const bool titleBarShown = std::any_of(screens.begin(), screens.end(), [&](const QScreen* screen) {
        return screen->availableGeometry().contains(titleBar);
    });
    if (shownOn == screens.end()) {
        if (QGuiApplication::primaryScreen()) {
            topLeft = QGuiApplication::primaryScreen()->availableGeometry().topLeft();
        }
    } else if (!titleBarShown) {
        topLeft.setY(std::max(topLeft.y(), (*shownOn)->availableGeometry().top()));
    }
    move(topLeft);
}

void huxofrm::showAccessories()
{
    // The platform has no hidden attribute to give the files; a missing file is simply no accessory.
    Command1->setVisible(QFileInfo(m_module.assetFile(QStringLiteral("a1.exe"))).size() > PlaceholderSize);
    Command2->setVisible(QFileInfo(m_module.assetFile(QStringLiteral("a2.exe"))).size() > PlaceholderSize);
}

void huxofrm::startAccessory(GlyphButton* button, const QString& fileName, const QString& failure)
{
    QString error;
    if (m_module.services().launcher.start(m_module.assetFile(fileName), &error)) {
        parkFocusAfter(button);
        return;
    }
    // The window's own title may carry " (alarm set)"; a message names the program.
    m_module.services().dialogs.tell(failure, ProgramTitle(), Dialogs::Icon::None, this);
    button->hide();
}

void huxofrm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        Form_Resize();
    } else if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        refreshZoneHints();
    }
}

bool huxofrm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange
        && m_module.ColourScheme != Colours::Black) {
        // The desktop switched between light and dark: the system colours follow it, as a change of scheme does.
        ColChg();
        m_module.Redraw = RedrawRequest::ColoursChanged;
    }
    return QWidget::eventFilter(watched, event);
}

void huxofrm::closeEvent(QCloseEvent* event)
{
    if (!Form_QueryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
    Form_Unload();
}

bool huxofrm::Form_QueryUnload()
{
    const auto answeredNo = [this](const QString& question, const QString& title, Dialogs::Icon icon) {
        return m_module.services().dialogs.ask(question, title, icon, Dialogs::Buttons::YesNo, this)
               == Dialogs::Answer::No;
    };
    if (m_forms.alarmSet()
        && answeredNo(QStringLiteral("A reminder alarm has been set in HUXO.  If you exit HUXO now that alarm will not "
                                     "occur. Are you sure you want to exit?  If you click 'Yes' the alarm will NOT "
                                     "occur."),
                      QStringLiteral("Warning"),
                      Dialogs::Icon::Critical)) {
        return false;
    }
    if (m_forms.newsletterShown()
        && answeredNo(QStringLiteral("If you exit HUXO now your HUXO TIMES will be lost, you could print it by "
                                     "double-clicking PRINT in the top right-hand corner.  Are you sure you want to "
                                     "exit?"),
                      QStringLiteral("Be Careful"),
                      Dialogs::Icon::Exclamation)) {
        return false;
    }
    keepWindowState();
    return true;
}

void huxofrm::endWithoutQuestions()
{
    keepWindowState();
    // Not Form_Unload: the program's end would close the windows, and a close asks.
    saveAtExit();
}

void huxofrm::keepWindowState()
{
    if (isMinimized()) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
    }
    m_module.LocCaption = LocCap->text();
    // Where the desktop places the window, it never says where: the place the window was given stays.
    if (!m_module.services().windowOrder.desktopPlacesWindows()) {
        m_module.WinTop = float(Twips::fromPixels(y()));
        m_module.WinLeft = float(Twips::fromPixels(x()));
    }
    m_module.WinHeight = qint16(windowHeight());
    m_module.WinWidth = qint16(windowWidth());
}

void huxofrm::Form_Unload()
{
    saveAtExit();
    emit unloaded();
}

void huxofrm::saveAtExit()
{
    Timer1->stop();
    ACTTimer->stop();
    m_module.SetupDone = Flag::On;
    (void)m_module.SaveSettings(Module1::SavingAt::Exit);
}
