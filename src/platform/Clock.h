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

    // Whether the system keeps its clock in step with network time by itself, through any time service; false when
    // it cannot tell.
    virtual bool keptInStepBySystem() const = 0;

    // Sets the clock to this moment, date and time in one step, so that no moment passes in which the clock reads a
    // wrong day; the computer shows it in its own zone. Unless it is Done, errorMessage says why, in the system's
    // own words where it gave any.
    [[nodiscard]] virtual Setting setSystemDateTime(const QDateTime& moment, Asking asking, QString* errorMessage) = 0;
};
