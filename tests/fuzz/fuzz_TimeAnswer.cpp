// Any time server answer, from any server: no crash, and an accepted answer always gives a valid time of day, and
// a whole moment only from a server trusted for the date and never from a British summer time answer.
#include <QString>

#include <cstdint>
#include <cstdlib>

#include "net/TimeAnswer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1) {
        return 0;
    }
    // The first byte picks the server, 1 to 3.
    const int server = data[0] % 3 + 1;
    const QString answer = QString::fromLatin1(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    const TimeAnswer read = readTimeAnswer(answer, server, QLocale::c());
    if (read.outcome != TimeAnswer::Outcome::Accepted) {
        return 0;
    }
    if (!read.greenwichTime.isValid() || read.timeField.size() > 9) {
        std::abort();
    }
    if (read.moment
        && (server == 3 || read.summerTime || !read.moment->isValid() || read.moment->time() != read.greenwichTime)) {
        std::abort();
    }
    return 0;
}
