#pragma once

#include "platform/Uptime.h"

// The kernel's boot-time clock, which counts on through a suspend.
class SystemUptime final : public Uptime
{
public:
    qint64 msecsSinceBoot() const override;
};
