// Any pattern against any text (the two split at the first zero byte): no crash, no runaway time, and a text
// always matches itself once every special character is bracketed.
#include <QString>

#include <cstdint>
#include <cstdlib>

#include "core/Pattern.h"

namespace {

QString literalPattern(QStringView text)
{
    QString pattern;
    for (const QChar c : text) {
        if (c == u'*' || c == u'?' || c == u'#' || c == u'[') {
            pattern += u'[' + QString(c) + u']';
        } else {
            pattern += c;
        }
    }
    return pattern;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = bytes.indexOf('\0');
    const QString pattern = QString::fromUtf8(split < 0 ? bytes : bytes.left(split));
    const QString text = split < 0 ? QString() : QString::fromUtf8(bytes.mid(split + 1));
    matchesPattern(text, pattern);
    if (!matchesPattern(text, literalPattern(text)) || !matchesPattern(text, u"*")) {
        std::abort();
    }
    return 0;
}
