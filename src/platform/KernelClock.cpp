#include "KernelClock.h"

#include <sys/timex.h>

namespace {

// The kernel itself gives up on a clock whose estimated error has grown to 16 s and marks it unsynchronised; a
// larger figure than that is no synchronisation worth the name.
constexpr long MaxErrorMicroseconds = 16'000'000;

} // namespace

bool kernelClockSynchronised()
{
    timex reading{}; // modes 0: only read, which needs no right
    const int state = adjtimex(&reading);
    return state != -1 && state != TIME_ERROR && (reading.status & STA_UNSYNC) == 0
           && reading.maxerror < MaxErrorMicroseconds;
}
