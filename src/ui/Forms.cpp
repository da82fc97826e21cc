#include "Forms.h"

#include "core/Module1.h"
#include "platform/WindowOrder.h"
#include "ui/MainWindow.h"
#include "ui/WindowPlacement.h"
#include "ui/alarms/AlarmFrm.h"
#include "ui/alarms/AlarmMsgFrm.h"
#include "ui/system/CTimesFrm.h"

void Forms::placeNewWindow(QWidget& window) const
{
    if (!m_mainWindow) {
        return;
    }
    if (m_module.services().windowOrder.desktopPlacesWindows()) {
        WindowPlacement::belongTo(window, m_mainWindow->widget());
    } else {
        WindowPlacement::placeBeside(window, m_mainWindow->widget());
    }
}

bool Forms::alarmSet() const
{
    const AlarmFrm* settings = loaded<AlarmFrm>();
    return settings && settings->pending();
}

bool Forms::alarmSettingsShown() const
{
    const AlarmFrm* settings = loaded<AlarmFrm>();
    return settings && settings->isVisible();
}

bool Forms::reminderShown() const
{
    const AlarmMsgFrm* reminder = loaded<AlarmMsgFrm>();
    return reminder && reminder->isVisible();
}

bool Forms::newsletterShown() const
{
    const CTimesFrm* newsletter = loaded<CTimesFrm>();
    return newsletter && newsletter->isVisible();
}
