// Any time server answer, from any server and at any zone: no crash, and an accepted answer always gives a valid
// local time, with a date only from a server trusted for it and never from a British summer time answer.
#include <QString>

#include <cstdint>
#include <cstdlib>

#include "net/TimeAnswer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2) {
        return 0;
    }
    // The first byte picks the server (1 to 3) and the summer hour, the second a zone in half hours.
    const int server = data[0] % 3 + 1;
    const qint16 bHourOn = (data[0] & 0x80) ? -1 : 0;
    const float bOffset = float(int(data[1] % 53) - 26) / 2.0f;
    const QString answer = QString::fromLatin1(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));

    const TimeAnswer read = readTimeAnswer(answer, server, bOffset, bHourOn, QLocale::c());
    if (read.outcome != TimeAnswer::Outcome::Accepted) {
        return 0;
    }
    if (!read.localTime.isValid() || read.timeField.size() > 9) {
        std::abort();
    }
    if (read.date && (server == 3 || read.summerTime || !read.date->isValid())) {
        std::abort();
    }
    return 0;
}
