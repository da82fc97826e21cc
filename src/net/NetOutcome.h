#pragma once

#include <QtGlobal>

// What the shared NetStatus says about the internet operation that ran last. The numbers are also the cells of
// the link picture that show the outcome.
namespace NetOutcome {

constexpr qint16 Pending = 0; // an operation has begun and has no outcome yet
constexpr qint16 Completed = 4;
constexpr qint16 Failed = 5;

} // namespace NetOutcome

// What the last internet time correction did with the computer's clock, for the daily note: NetStatus alone
// cannot tell a clock that was set from one that was only checked, nor say why a clock was left alone.
enum class ClockOutcome
{
    NotChecked, // no usable answer came
    Set,
    InStep,           // the system keeps it in step itself, and it agrees with the server
    OutOfStep,        // the system keeps it in step itself, but it does not agree with the server
    LargeStepNotMade, // nobody agreed to a large step
    NotAllowed,       // the rights to set it were missing
    Refused           // the system refused for another reason
};
