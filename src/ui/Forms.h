#pragma once

// The secondary windows, one instance of each, as the main window needs to know them. Each question answers for
// a window that has not been opened as "not shown"; the windows themselves join here as they are built.
class Forms
{
public:
    virtual ~Forms() = default;

    // An alarm is pending exactly while the alarm settings window's timer runs.
    virtual bool alarmSet() const { return false; }
    virtual bool alarmSettingsShown() const { return false; }
    virtual bool reminderShown() const { return false; }
    virtual bool newsletterShown() const { return false; }
};
