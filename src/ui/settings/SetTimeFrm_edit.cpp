// The clock settings window's editing: the map, the hour, minute and seasonal displays, the caption and Apply.
#include "SetTimeFrm.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

#include "core/ClockSettings.h"
#include "core/Module1.h"
#include "core/Twips.h"
#include "platform/Clock.h"
#include "ui/Colouring.h"
#include "ui/Forms.h"
#include "ui/MainWindow.h"
#include "ui/settings/PressLabel.h"
#include "zones/OffsetDisplay.h"
#include "zones/ZoneHint.h"
#include "zones/ZoneTable.h"

using namespace OffsetDisplay;

namespace {

const QString SavedTip = QStringLiteral("settings saved - use the X button to close this window.");

} // namespace

QString SetTimeFrm::clockNumber() const
{
    return QString::number(m_module.SetClock.at(0).unicode() - u'C' + 3);
}

void SetTimeFrm::Form_Activate()
{
    showStoredSettings();
}

void SetTimeFrm::showStoredSettings()
{
    m_ownWindowWasActive = false;
    const ClockSettings clock = settingsOf(m_module, m_module.SetClock);
    QString applyTip = ApplyBtn->toolTip();
    if (m_module.SetClock == u"B") {
        m_module.SetOffset = -m_module.BOffset;
        m_module.SetHourOn = qint16(-m_module.BHourOn);
        setWindowTitle(QStringLiteral("Settings for GMT / UTC Clock"));
        applyTip = QStringLiteral("save settings for GMT/UTC clock");
        GMTpanel1->show();
        InfoDisply->setText(
            QStringLiteral("USE THE SCROLL BAR TO FIND YOUR PRESENT LOCATION ON THE MAP THEN CLICK ON THAT AREA."));
    } else if (clock.offset) {
        m_module.SetOffset = *clock.offset;
        m_module.SetHourOn = *clock.hourOn;
        CityList->setEnabled(true);
        setWindowTitle(u"Settings for Clock " + clockNumber());
        applyTip = u"save changes to clock " + clockNumber();
        GMTpanel1->hide();
        InfoDisply->setText(QStringLiteral("USE THE SCROLL BAR TO FIND THE LOCATION ON THE MAP THEN CLICK THAT AREA."));
    }
    const int hours = wholeHours(m_module.SetOffset);
    setHourDisplay(QString::number(hours));
    HourOnLbl->setText(m_module.SetHourOn == 1 ? QStringLiteral("+1") : QString::number(m_module.SetHourOn));
    MinLbl->setText(minuteText(m_module.SetOffset));
    if (MinLbl->text() != u"00") {
        m_module.SetOffset = analyseTimeDiff(m_module.SetOffset, HourLbl->text(), MinLbl->text());
    }
    if (hours > 0) {
        setHourDisplay(hourText(hours));
    }
    DoCityList();
    // Rebuilding the displays from the stored settings is no new change, so the tip is set after it.
    ApplyBtn->setToolTip(applyTip);
    showZoneHint();
}

void SetTimeFrm::showZoneHint()
{
    const QDateTime now = m_module.services().clock.now();
    std::optional<ZoneHint> hint;
    if (m_module.SetClock == u"B") {
        // The window edits the zone itself; the GMT / UTC clock will keep it negated.
        hint = localZoneHint(statedLocalMinutes(-m_module.SetOffset, -m_module.SetHourOn), now);
    } else {
        hint = placeHint(LTxt->text(), m_module.SetOffset, m_module.SetHourOn, now);
    }
    ZoneHintLbl->setText(hint ? hint->text : QString());
    // A clock that does not show the database's time stands out in red.
    const bool disagrees = hint && hint->disagrees;
    colourLabel(ZoneHintLbl, disagrees ? QColor(192, 0, 0) : palette().color(QPalette::WindowText));
}

void SetTimeFrm::MapClik(float offset)
{
    m_module.playClick("a.wav");
    m_module.NoAutoScroll = Flag::On;
    m_module.SetOffset = offset;
    DoCityList();
    MinLbl->setText(minuteText(offset));
    setHourDisplay(hourText(wholeHours(offset)));
    LTxt->setText(CityList->count() > 0 ? CityList->item(0)->text() : QString());
    if (CityList->isEnabled()) {
        CityList->setFocus();
    }
}

void SetTimeFrm::DoCityList()
{
    CityList->clear();
    CityList->addItems(placeListFor(m_module.SetOffset));
}

void SetTimeFrm::AnalyseTimeDiff()
{
    m_module.SetOffset = analyseTimeDiff(m_module.SetOffset, HourLbl->text(), MinLbl->text());
}

void SetTimeFrm::AutoScrollMap()
{
    HScroll1->setValue(autoScrollValue(hourValue(HourLbl->text())));
}

void SetTimeFrm::HourLbl_MouseDown(Qt::MouseButton button)
{
    // Any other button leaves the hours as they are, and still clicks.
    stepHours(button == Qt::RightButton ? 1 : button == Qt::LeftButton ? -1 : 0);
}

void SetTimeFrm::stepHours(int step)
{
    m_module.NoAutoScroll = Flag::Off;
    setHourDisplay(steppedHour(HourLbl->text(), step));
    MinLbl->setText(minutesWithin(HourLbl->text(), MinLbl->text()));
    m_module.SetOffset = float(hourValue(HourLbl->text()));
    AnalyseTimeDiff();
    m_module.playClick("a.wav");
    DoCityList();
}

void SetTimeFrm::setHourDisplay(const QString& text)
{
    if (HourLbl->text() == text) {
        return;
    }
    HourLbl->setText(text);
    HourLbl_Change();
}

void SetTimeFrm::HourLbl_Change()
{
    if (m_module.NoAutoScroll == Flag::Off) {
        AutoScrollMap();
    }
    markUnsavedChange();
}

void SetTimeFrm::MinLbl_Click()
{
    stepMinutes(1);
}

void SetTimeFrm::stepMinutes(int step)
{
    m_module.playClick("a.wav");
    MinLbl->setText(steppedMinutes(HourLbl->text(), MinLbl->text(), step));
    m_module.SetOffset = float(hourValue(HourLbl->text()));
    AnalyseTimeDiff();
    DoCityList();
    markUnsavedChange();
}

void SetTimeFrm::HourOnLbl_Click()
{
    m_module.playClick("a.wav");
    if (HourOnLbl->text() == u"0") {
        HourOnLbl->setText(QStringLiteral("+1"));
        m_module.SetHourOn = 1;
    } else if (HourOnLbl->text() == u"+1") {
        HourOnLbl->setText(QStringLiteral("0"));
        m_module.SetHourOn = 0;
    } else {
        return;
    }
    markUnsavedChange();
}

void SetTimeFrm::LTxt_Change()
{
    m_module.SetCaption = LTxt->text();
    markUnsavedChange();
}

void SetTimeFrm::CityList_Click()
{
    m_module.playClick("a.wav");
    if (QListWidgetItem* place = CityList->currentItem()) {
        LTxt->setText(place->text());
    }
}

void SetTimeFrm::HScroll1_Change()
{
    const int wrapped = wrappedScrollValue(HScroll1->value());
    if (wrapped != HScroll1->value()) {
        HScroll1->setValue(wrapped); // runs this handler again with the wrapped value
        return;
    }
    Map->move(Twips::toPixels(wrapped), Map->y());
}

void SetTimeFrm::ApplyBtn_Click()
{
    AnalyseTimeDiff();
    if (m_module.SetClock == u"B") {
        // The GMT / UTC clock keeps the user's own zone negated, and its caption never changes.
        m_module.BOffset = -m_module.SetOffset;
        m_module.BHourOn = qint16(-m_module.SetHourOn);
    } else if (const ClockSettings clock = settingsOf(m_module, m_module.SetClock); clock.offset) {
        *clock.caption = m_module.SetCaption;
        *clock.hourOn = m_module.SetHourOn;
        *clock.offset = m_module.SetOffset;
    }
    m_module.ShowCaptions();
    m_module.playClick();
    if (MainWindow* main = m_forms.mainWindow()) {
        main->refreshCaptionsAndZoneHints();
    }
    m_module.SaveSettings();
    m_module.Redraw = RedrawRequest::ClockApplied;
    ApplyBtn->setToolTip(SavedTip);
    m_applied = true;
}

void SetTimeFrm::markUnsavedChange()
{
    if (m_applied) {
        ApplyBtn->setToolTip(QStringLiteral("save new changes"));
    }
}
