#pragma once

#include <QDateTime>
#include <QString>

// The computer's clock: read by every tick, set by the time windows.
class Clock
{
public:
    // Whether the system may ask the user for the right to set the clock (the desktop's password dialog): only
    // when the user asked for the setting and is there to answer.
    enum class Asking
    {
        MayAsk,
        MustNotAsk
    };
    // How a request to set the clock ended.
    enum class Setting
    {
        Done,
        RightsMissing, // the user may not set the clock, or only after a question that could not be asked
        Refused
    };

    virtual ~Clock() = default;

    // The present local date and time.
    virtual QDateTime now() const = 0;

    // Whether the system keeps its clock in step with network time by itself; false when it cannot tell.
    virtual bool keptInStepBySystem() const = 0;

    // Set the time of day, keeping today's date; the time is local. Unless it is Done, errorMessage says why, in
    // the system's own words where it gave any.
    [[nodiscard]] virtual Setting setSystemTime(const QTime& localTime, Asking asking, QString* errorMessage) = 0;

    // Set the date, keeping the time of day.
    [[nodiscard]] virtual Setting setSystemDate(const QDate& localDate, Asking asking, QString* errorMessage) = 0;
};
