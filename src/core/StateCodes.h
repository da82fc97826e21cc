#pragma once

#include <QtGlobal>

// The codes of the shared state, one type each. Every code keeps the 16-bit value it has always had: the stored
// ones are written to the settings file as these numbers, so files of every release read the same.

// A switch of the settings file.
enum class Flag : qint16
{
    Off = 0,
    On = -1
};

// ColourScheme: the background of the clock window.
enum class Colours : qint16
{
    System = 0,
    Black = 1
};

// NetAccess: how requests reach the internet.
enum class Connection : qint16
{
    SystemSettings = 0, // the system's proxy settings
    Direct = 1,
    Proxy = 2 // the proxy named in ProxyName
};

// MServer: which base address of the update server is in use.
enum class ServerBase : qint16
{
    Fresh = 0, // a fresh settings file: the primary address, as with Primary
    Primary = 1,
    Fallback = 2
};

// The base address to use after this one failed. A fresh file's address counts as the fallback, so its first
// failure leaves the primary address in use.
constexpr ServerBase otherServerBase(ServerBase failed)
{
    return failed == ServerBase::Primary ? ServerBase::Fallback : ServerBase::Primary;
}

// Redraw: what a window asks the next tick to redraw.
enum class RedrawRequest : qint16
{
    None = 0,
    ClockApplied = 1,  // the clock SetClock names was applied: its face starts afresh
    InsideTick = 2,    // the tick has redrawn the applied faces and ends there
    ColoursChanged = 3 // every hand is redrawn until the second hand comes round to 0
};

// NetStatus: the outcome of the internet operation that ran last. The numbers are also the cells of the link
// picture that show the outcome.
enum class NetOutcome : qint16
{
    Pending = 0, // none yet: at start-up, and from the start of an operation to its end
    Completed = 4,
    Failed = 5
};

// ACTState: what the daily correction of the clock has done today.
enum class SchedulerState : qint16
{
    Idle = 0,
    FirstAttemptMade = 1,
    AwaitingReport = 2 // the correction is over and its note is due
};

// LastClockOutcome: what the last internet time correction did with the computer's clock, for the daily note.
// NetStatus alone cannot tell a clock that was set from one that was only checked, nor say why a clock was left
// alone.
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
