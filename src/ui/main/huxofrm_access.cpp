// What a screen reader says of the main window's read-outs: which clock a time, a weekday or a caption
// belongs to, and what the unlabelled pictures of the calendar are.
#include "huxofrm.h"

#include <QLabel>

#include "core/DateFormat.h"
#include "core/Module1.h"
#include "platform/Clock.h"
#include "ui/GlyphButton.h"

void huxofrm::describeForScreenReaders()
{
    for (size_t i = 0; i < m_faces.size(); ++i) {
        const QString clock = i == 0   ? QStringLiteral("the local clock")
                              : i == 1 ? QStringLiteral("the GMT / UTC clock")
                                       : QStringLiteral("clock %1").arg(i + 1);
        m_timeLabels[i]->setAccessibleDescription(u"time of " + clock);
        m_dayLabels[i]->setAccessibleDescription(u"weekday of " + clock);
        // Captions with a tool-tip are described by it, as Qt does for any control.
        if (m_captions[i]->toolTip().isEmpty()) {
            m_captions[i]->setAccessibleDescription(u"caption of " + clock);
        }
    }
    Image3->setAccessibleName(QStringLiteral("today's date"));
    // The mouse-over sets this tip afresh before anyone sees it; until then it is what a screen reader reads.
    Image3->setToolTip(formatDate(m_module.services().clock.now(), u"dddd mmmm dd yyyy"));
    Image4->setAccessibleName(QStringLiteral("calendar page"));
    Image4->setAccessibleDescription(QStringLiteral("double-click to show the GMT / UTC clock again"));
    const std::pair<QLabel*, const char*> calendar[] = {{DayLbl, "weekday"},
                                                        {DateLbl, "day of the month"},
                                                        {MonthLbl, "month"},
                                                        {YrLbl, "year"},
                                                        {Xlbl, "program name"}};
    for (const auto& [label, role] : calendar) {
        label->setAccessibleDescription(QStringLiteral("calendar: %1").arg(QLatin1String(role)));
    }
}
