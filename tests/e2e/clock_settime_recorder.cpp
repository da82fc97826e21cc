// Preloaded into the real binary by the end-to-end test: every setting of the clock succeeds without touching
// it, and the time asked for is appended, as "clock-id seconds nanoseconds", to the file named by
// HUXO_CLOCK_SETTIME_LOG.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

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
