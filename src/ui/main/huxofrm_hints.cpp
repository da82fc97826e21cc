// What the computer's time-zone database says about the clocks: a tool-tip on each time, a mark beside a caption
// whose clock does not show the database's time (a click on it offers to set the clock so), and the clocks copied
// as one line of text.
#include "huxofrm.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QTimeZone>

#include "core/ClockSettings.h"
#include "core/Module1.h"
#include "core/ProgramTitle.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "ui/Colouring.h"
#include "ui/Controls.h"
#include "ui/DesignFont.h"
#include "ui/EventHooks.h"
#include "ui/Forms.h"
#include "ui/main/MainLayout.h"
#include "ui/settings/SetTimeFrm.h"
#include "zones/ZoneHint.h"

namespace {
constexpr int GmtSlot = 2;
constexpr int FirstSetSlot = 3;
// Orange reads on the system colours and on black, and is none of the fixed label colours.
const QColor MarkColour(255, 140, 0);
} // namespace

void huxofrm::buildZoneHints()
{
    for (int slot = GmtSlot; slot <= ClockModel::SlotCount; ++slot) {
        const QLabel* caption = m_captions[size_t(slot - 1)];
        auto* mark = new QLabel(QStringLiteral("\u25CF"), Cpanel);
        mark->setObjectName(QStringLiteral("ZoneMark_%1").arg(slot));
        mark->setTextFormat(Qt::PlainText);
        mark->setFont(designFont(QStringLiteral("Arial"), 8));
        colourLabel(mark, MarkColour);
        mark->setAlignment(Qt::AlignRight | Qt::AlignTop);
        mark->setGeometry(caption->geometry().right() - 7, caption->y(), 8, 8);
        mark->hide();
        // The calendar page covers the GMT / UTC column, its mark included.
        mark->stackUnder(DateFrame);
        mark->setCursor(Qt::PointingHandCursor);
        m_hooks->onMouseDown(mark, [this, slot] { ZoneMark_Click(slot); });
        m_zoneMarks[size_t(slot - 1)] = mark;
    }

    CopyClocks = new QAction(QStringLiteral("&Copy the clocks"), this);
    CopyClocks->setObjectName(QStringLiteral("CopyClocks"));
    CopyClocks->setShortcut(QKeySequence::Copy);
    CopyClocks->setShortcutContext(Qt::WindowShortcut);
    connect(CopyClocks, &QAction::triggered, this, [this] { QApplication::clipboard()->setText(clocksLine()); });
    addAction(CopyClocks);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void huxofrm::refreshZoneHints()
{
    const QDateTime now = m_module.services().clock.now();
    showZoneHint(GmtSlot, localZoneHint(statedLocalMinutes(m_module.BOffset, m_module.BHourOn), now));
    for (int slot = FirstSetSlot; slot <= ClockModel::SlotCount; ++slot) {
        const ClockSettings clock = settingsOf(m_module, QString(QChar(u'C' + slot - FirstSetSlot)));
        showZoneHint(slot, placeHint(*clock.caption, *clock.offset, *clock.hourOn, now));
    }
    if (SetTimeFrm* settings = m_forms.loaded<SetTimeFrm>()) {
        settings->showZoneHint();
    }
}

void huxofrm::refreshCaptionsAndZoneHints()
{
    UpdateCaptions();
    refreshZoneHints();
}

void huxofrm::showZoneHint(int slot, const std::optional<ZoneHint>& hint)
{
    QLabel* mark = m_zoneMarks[size_t(slot - 1)];
    const QString text = hint ? hint->text : QString();
    m_timeLabels[size_t(slot - 1)]->setToolTip(text);
    mark->setToolTip(text);
    mark->setVisible(hint && hint->disagrees);
}

void huxofrm::ZoneMark_Click(int slot)
{
    const QDateTime now = m_module.services().clock.now();
    const QString letter = ClockModel::slotLetter(slot);
    const ClockSettings clock = settingsOf(m_module, letter);
    // The GMT / UTC clock states the computer's own zone, negated; the others the zone of the place they name.
    const std::optional<ZoneSetting> wanted =
        clock.offset ? placeSetting(*clock.caption, now) : databaseSetting(QTimeZone::systemTimeZone(), now);
    if (!wanted) {
        return;
    }
    const float offset = clock.offset ? *clock.offset : -m_module.BOffset;
    const int summerHour = clock.offset ? *clock.hourOn : -m_module.BHourOn;
    const QString which = clock.offset ? u"clock " + QString::number(slot) + u" (" + *clock.caption + u')'
                                       : QStringLiteral("your local time zone on the GMT / UTC clock");
    const QString question = u"Set " + which + u" to " + settingText(wanted->offsetHours, wanted->summerHour)
                             + u", as the time-zone database has it now?\n\nIt is set to "
                             + settingText(offset, summerHour) + u'.';
    if (m_module.services().dialogs.ask(
            question, ProgramTitle(), Dialogs::Icon::Question, Dialogs::Buttons::YesNo, this)
        != Dialogs::Answer::Yes) {
        return;
    }
    if (clock.offset) {
        *clock.offset = wanted->offsetHours;
        *clock.hourOn = wanted->summerHour;
    } else {
        m_module.BOffset = -wanted->offsetHours;
        m_module.BHourOn = qint16(-wanted->summerHour);
    }
    // As Apply in the clock settings window: the sound, the captions, the settings file and the faces anew.
    m_module.playClick();
    refreshCaptionsAndZoneHints();
    m_module.SaveSettings();
    m_clockModel.LastMin = -1;
    if (SetTimeFrm* settings = m_forms.loaded<SetTimeFrm>(); settings && m_module.SetClock == letter) {
        settings->showStoredSettings();
    }
}

QString huxofrm::clocksLine() const
{
    // The columns in view: those left of the control panel, less the GMT / UTC one while the calendar covers it.
    const QString localDay = LocDay->text();
    QStringList clocks;
    for (size_t i = 0; i < m_captions.size(); ++i) {
        const bool covered = i == GmtSlot - 1 && DateFrame->isVisible();
        if (m_captions[i]->x() >= CtrlPanel1->x() || covered) {
            continue;
        }
        QString clock = m_timeLabels[i]->text() + u' ' + m_captions[i]->text();
        const QString day = m_dayLabels[i]->text();
        if (!day.isEmpty() && day != localDay) {
            clock += u" (" + day + u')';
        }
        clocks << clock;
    }
    return localDay + u' ' + clocks.join(u" \u00B7 ");
}
