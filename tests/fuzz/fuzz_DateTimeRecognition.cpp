// Any text as a typed time or date, read in a few locales: no crash, no hang, and only valid values come back.
#include <QString>

#include <cstdint>
#include <cstdlib>

#include "core/DateTimeRecognition.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QLocale locales[] = {QLocale::c(),
                                      QLocale(QLocale::English, QLocale::UnitedStates),
                                      QLocale(QLocale::German, QLocale::Germany),
                                      QLocale(QLocale::Japanese, QLocale::Japan)};
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QLocale& locale : locales) {
        const std::optional<RecognizedDateTime> recognized = recognizeDateTime(text, locale);
        if (recognized
            && ((recognized->date && !recognized->date->isValid()) || (recognized->time && !recognized->time->isValid())
                || (!recognized->date && !recognized->time))) {
            std::abort();
        }
    }
    return 0;
}
