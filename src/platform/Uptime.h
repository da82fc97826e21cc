#pragma once

#include <QtGlobal>

// The time since the computer started, the time it slept included: real time elapsed, which no step of the clock
// changes and which a suspend does not stop.
class Uptime
{
public:
    virtual ~Uptime() = default;

    virtual qint64 msecsSinceBoot() const = 0;
};
