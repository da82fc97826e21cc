// What the computer's time-zone database says about the clocks: a tool-tip on each time, a mark beside a caption
// whose clock does not show the database's time, and the clocks copied as one line of text.
#include "huxofrm.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>

#include "core/ClockSettings.h"
#include "core/Module1.h"
#include "platform/Clock.h"
#include "ui/Colouring.h"
#include "ui/Controls.h"
#include "ui/DesignFont.h"
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

void huxofrm::showZoneHint(int slot, const std::optional<ZoneHint>& hint)
{
    QLabel* mark = m_zoneMarks[size_t(slot - 1)];
    const QString text = hint ? hint->text : QString();
    m_timeLabels[size_t(slot - 1)]->setToolTip(text);
    mark->setToolTip(text);
    mark->setVisible(hint && hint->disagrees);
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
