#include "SystemUptime.h"

#include <ctime>

qint64 SystemUptime::msecsSinceBoot() const
{
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}
