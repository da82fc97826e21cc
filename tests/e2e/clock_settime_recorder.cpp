// Preloaded into the real binary by the end-to-end test: every setting of the clock succeeds without touching
// it, and the time asked for is appended, as "clock-id seconds nanoseconds", to the file named by
// HUXO_CLOCK_SETTIME_LOG. The kernel's synchronisation state is the test's to say as well, whatever this machine's
// is: unsynchronised, or synchronised where HUXO_KERNEL_CLOCK_SYNCHRONISED is set.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sys/timex.h>

extern "C" int clock_settime(clockid_t clock, const timespec* target)
{
    const char* path = std::getenv("HUXO_CLOCK_SETTIME_LOG");
    std::FILE* log = path != nullptr ? std::fopen(path, "a") : nullptr;
    if (log == nullptr) {
        // Without its record the test cannot tell what was asked for: refuse as the kernel would.
        errno = EPERM;
        return -1;
    }
    std::fprintf(
        log, "%d %lld %ld\n", static_cast<int>(clock), static_cast<long long>(target->tv_sec), target->tv_nsec);
    std::fclose(log);
    return 0;
}

extern "C" int adjtimex(timex* reading)
{
    if (reading->modes != 0) {
        // Nothing of the kernel's clock may change.
        errno = EPERM;
        return -1;
    }
    *reading = timex{};
    if (std::getenv("HUXO_KERNEL_CLOCK_SYNCHRONISED") == nullptr) {
        reading->status = STA_UNSYNC;
        reading->maxerror = 16'000'000;
        return TIME_ERROR;
    }
    reading->status = STA_PLL;
    reading->maxerror = 20'000;
    return TIME_OK;
}
