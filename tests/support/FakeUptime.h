#pragma once

#include "platform/Uptime.h"

// Uptime that moves only when the test says time has passed.
class FakeUptime final : public Uptime
{
public:
    qint64 msecsSinceBoot() const override { return m_msecs; }
    void advanceSeconds(int seconds) { m_msecs += qint64(seconds) * 1000; }

private:
    qint64 m_msecs = 3600 * 1000;
};
