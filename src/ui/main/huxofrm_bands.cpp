// The main window's size: the band arrows, the five or seven clock switch and the resize rule.
#include "huxofrm.h"

#include <QPushButton>
#include <QResizeEvent>

#include "core/Module1.h"
#include "core/ProgramTitle.h"
#include "core/Twips.h"
#include "ui/Forms.h"
#include "ui/GlyphButton.h"
#include "ui/main/MainLayout.h"

using namespace MainLayout;

int huxofrm::windowHeight() const
{
    // The twips last set, unless the window has since taken another size in pixels.
    if (Twips::toPixels(m_heightTwips - FrameHeight) == height()) {
        return m_heightTwips;
    }
    return Twips::fromPixels(height()) + FrameHeight;
}

int huxofrm::windowWidth() const
{
    if (Twips::toPixels(m_widthTwips - FrameWidth) == width()) {
        return m_widthTwips;
    }
    return Twips::fromPixels(width()) + FrameWidth;
}

void huxofrm::setWindowHeight(int twips)
{
    m_heightTwips = twips;
    resize(width(), qMax(1, Twips::toPixels(twips - FrameHeight)));
}

void huxofrm::setWindowWidth(int twips)
{
    m_widthTwips = twips;
    resize(qMax(1, Twips::toPixels(twips - FrameWidth)), height());
}

void huxofrm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void huxofrm::Form_Resize()
{
    m_module.WinHeight = qint16(windowHeight());
    setWindowTitle(m_forms.alarmSet() ? ProgramTitle() + u" (alarm set)" : ProgramTitle());
}

void huxofrm::ApplyArrows()
{
    if (m_module.AnaloguesHidden == Flag::On) {
        Cpanel->move(Cpanel->x(), Twips::toPixels(PanelTopAnaloguesHidden));
        upgreen->hide();
        dngreen->show();
        dngreen->setToolTip(QStringLiteral("show analogues"));
    } else {
        Cpanel->move(Cpanel->x(), Twips::toPixels(PanelTop));
        dngreen->setToolTip(QStringLiteral("show digitals"));
    }
    (void)m_module.SaveSettings();
}

void huxofrm::showArrowsForHeight(int height)
{
    if (height < 1600) {
        upgreen->hide();
        dngreen->show();
    }
    if (height >= 1901 && height <= 2099) {
        dnred->show();
    }
    if (height >= 2102) {
        dnred->hide();
    }
    if (height < 1050) {
        dnred->show();
    }
}

void huxofrm::upgrey_Click()
{
    const int height = windowHeight();
    m_module.WinHeight = qint16(height);
    if (m_module.AnaloguesHidden == Flag::Off) {
        const int lower = height <= 1900 ? HiddenAnaloguesHeight : height - AnalogueBand;
        m_module.WinHeight = qint16(lower);
        setWindowHeight(lower);
        m_module.AnaloguesHidden = Flag::On;
        if (lower < 1050) {
            dnred->show();
        }
        ApplyArrows();
    }
    m_module.playClick();
}

void huxofrm::dngreen_Click()
{
    dnred->show();
    if (m_module.AnaloguesHidden == Flag::Off) {
        setWindowHeight(DigitalsShownHeight);
    } else if (m_module.AnaloguesHidden == Flag::On) {
        Cpanel->move(Cpanel->x(), Cpanel->y() + Twips::toPixels(AnalogueBand));
        const int taller = windowHeight() + AnalogueBand;
        setWindowHeight(taller);
        m_module.AnaloguesHidden = Flag::Off;
        if (taller > 2100) {
            dnred->hide();
        }
        ApplyArrows();
    }
    upgreen->show();
    dngreen->hide();
    m_module.playClick();
}

void huxofrm::upgreen_Click()
{
    setWindowHeight(AnaloguesOnlyHeight);
    dngreen->show();
    upgreen->hide();
    m_module.playClick();
}

void huxofrm::dnred_Click()
{
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))) {
        setWindowHeight(m_module.AnaloguesHidden == Flag::Off ? AllBandsHeight : HiddenAnaloguesWithDaysHeight);
        dnred->hide();
    }
    m_module.playClick();
}

void huxofrm::upred_Click()
{
    setWindowHeight(m_module.AnaloguesHidden == Flag::Off ? NoDaysHeight : HiddenAnaloguesHeight);
    dnred->show();
    m_module.playClick();
}

void huxofrm::OntopBtn_Click()
{
    m_module.playClick();
    // The test is on the stored width: a stored 7501 shows seven clocks, yet switches to 7625 and not to 5495.
    const bool seven = m_module.WinWidth > 7600;
    setWindowWidth(seven ? FiveClockWidth : SevenClockWidth);
    OntopBtn->setToolTip(seven ? QStringLiteral("more clocks") : QStringLiteral("less clocks"));
    parkFocusAfter(OntopBtn);
    CtrlPanel1->move(Twips::toPixels(seven ? FiveClockPanelLeft : SevenClockPanelLeft), CtrlPanel1->y());
    m_module.WinWidth = qint16(windowWidth());
}
