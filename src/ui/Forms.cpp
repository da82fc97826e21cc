#include "Forms.h"

#include <QTimer>

#include "alarms/AlarmFrm.h"
#include "alarms/AlarmMsgFrm.h"
#include "ui/system/CTimesFrm.h"

bool Forms::alarmSet() const
{
    const AlarmFrm* settings = loaded<AlarmFrm>();
    return settings && settings->Timer1->isActive();
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
