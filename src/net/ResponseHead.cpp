#include "ResponseHead.h"

#include <QByteArray>
#include <QList>

#include <algorithm>

namespace {

bool isNamed(const QByteArray& name, const char* wanted)
{
    return name.compare(wanted, Qt::CaseInsensitive) == 0;
}

// A length is digits alone: a sign, a blank or a fraction is not a length.
std::optional<qint64> lengthOf(const QByteArray& text)
{
    if (text.isEmpty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    bool ok = false;
    const qint64 length = text.toLongLong(&ok);
    return ok ? std::optional(length) : std::nullopt;
}

} // namespace

ResponseHead::Verdict ResponseHead::add(QByteArrayView line)
{
    m_bytes += line.size();
    if (m_bytes > MaxBytes) {
        return Verdict::TooLarge;
    }
    const QByteArray text = line.toByteArray().trimmed();
    if (text.startsWith("HTTP/")) {
        const qint64 bytes = m_bytes;
        *this = ResponseHead();
        m_bytes = bytes;
        m_status = text.split(' ').value(1).toInt();
        return Verdict::Fine;
    }
    if (text.isEmpty()) {
        m_complete = true;
        return Verdict::Fine;
    }
    const qsizetype colon = text.indexOf(':');
    if (colon < 0) {
        return Verdict::Fine;
    }
    const QByteArray name = text.left(colon).trimmed();
    const QByteArray value = text.mid(colon + 1).trimmed();
    if (isNamed(name, "Content-Length")) {
        // Repeated lengths, on one line or several, count only when they are all the same.
        for (const QByteArray& part : value.split(',')) {
            const std::optional<qint64> length = lengthOf(part.trimmed());
            if (!length || (m_length && *m_length != *length)) {
                return Verdict::BadLength;
            }
            m_length = length;
        }
    } else if (isNamed(name, "Transfer-Encoding")) {
        m_chunked = value.toLower().endsWith("chunked");
    }
    return Verdict::Fine;
}

bool ResponseHead::bodyEndIsProven() const
{
    const bool hasNoBody = (m_status >= 100 && m_status < 200) || m_status == 204 || m_status == 304;
    return hasNoBody || m_length || m_chunked;
}
