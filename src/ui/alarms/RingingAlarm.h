#pragma once

#include <QString>

// The alarm as its reminder sees it. The settings window is the alarm and hands itself to the reminder when it
// rings, so the reminder never needs to know that window; before the settings window goes, it withdraws the
// reminder.
class RingingAlarm
{
public:
    virtual ~RingingAlarm() = default;

    // The message, and whether the alarm sounds, as they stand now: read anew, an edit made while ringing shows.
    virtual QString message() const = 0;
    virtual bool audible() const = 0;
    // Ends the alarm, and its settings with it, without asking.
    virtual void unloadWithoutQuestion() = 0;
    // Sets the alarm again, due the given minutes from now.
    virtual void setDelayAlarm(int minutes) = 0;
    // Ends the alarm and brings up fresh settings for a new one.
    virtual void startAfresh() = 0;
};
