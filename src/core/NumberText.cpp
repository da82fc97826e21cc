#include "NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

QString withSign(QString digits, bool negative)
{
    if (!negative) {
        digits.prepend(u' ');
    }
    return digits;
}

// Reads a text character by character, passing over the blanks that may stand anywhere in a number.
class NumberReader
{
public:
    explicit NumberReader(QStringView text)
        : m_text(text)
    {
    }

    QChar peek()
    {
        while (m_at < m_text.size() && isSkipped(m_text[m_at])) {
            ++m_at;
        }
        return m_at < m_text.size() ? m_text[m_at] : QChar();
    }

    bool accept(char16_t wanted)
    {
        if (peek().toUpper() != QChar(wanted)) {
            return false;
        }
        ++m_at;
        return true;
    }

    // The value of the next digit in the given base, or -1 when none follows.
    int digit(int base)
    {
        const QChar c = peek().toUpper();
        int value = -1;
        if (c >= u'0' && c <= u'9') {
            value = c.unicode() - u'0';
        } else if (c >= u'A' && c <= u'F') {
            value = c.unicode() - u'A' + 10;
        }
        if (value < 0 || value >= base) {
            return -1;
        }
        ++m_at;
        return value;
    }

private:
    static bool isSkipped(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }

    QStringView m_text;
    qsizetype m_at = 0;
};

double radixNumber(NumberReader& in, int base)
{
    double value = 0;
    for (int d = in.digit(base); d >= 0; d = in.digit(base)) {
        value = value * base + d;
    }
    return value;
}

// The digits are gathered as an integer mantissa and a power of ten and converted once, so that a text with
// thousands of digits costs no more than reading it. Digits beyond the first 40 cannot change a double.
class DecimalNumber
{
public:
    void addDigit(int d, bool afterPoint)
    {
        m_seenDigit = true;
        if (m_mantissa.size() >= maxDigits) {
            if (!afterPoint) {
                ++m_exponent;
            }
            return;
        }
        if (d != 0 || !m_mantissa.empty()) {
            m_mantissa += static_cast<char>('0' + d);
        }
        if (afterPoint) {
            --m_exponent;
        }
    }

    bool seenDigit() const { return m_seenDigit; }

    double value(long long writtenExponent) const
    {
        if (m_mantissa.empty()) {
            return 0;
        }
        // Without a decimal point the C library's locale has no say in how this is read.
        const std::string text = m_mantissa + 'e' + std::to_string(m_exponent + writtenExponent);
        return std::strtod(text.c_str(), nullptr);
    }

private:
    static constexpr std::size_t maxDigits = 40;

    std::string m_mantissa;
    long long m_exponent = 0;
    bool m_seenDigit = false;
};

// Large enough that any 40-digit mantissa overflows or underflows, small enough never to overflow itself.
constexpr long long exponentLimit = 100000;

long long writtenExponent(NumberReader& in)
{
    const bool negative = in.accept(u'-');
    if (!negative) {
        in.accept(u'+');
    }
    long long exponent = 0;
    for (int d = in.digit(10); d >= 0; d = in.digit(10)) {
        exponent = std::min(exponent * 10 + d, exponentLimit);
    }
    return negative ? -exponent : exponent;
}

} // namespace

QString numberToText(double value)
{
    const bool whole = std::abs(value) < 1e15 && std::trunc(value) == value;
    const QString digits = whole ? QString::number(static_cast<qint64>(value)) : QString::number(value, 'G', 7);
    return withSign(digits, value < 0);
}

QString numberToText(int value)
{
    return withSign(QString::number(value), value < 0);
}

double leadingNumber(QStringView text)
{
    NumberReader in(text);
    if (in.accept(u'&')) {
        if (in.accept(u'H')) {
            return radixNumber(in, 16);
        }
        if (in.accept(u'O')) {
            return radixNumber(in, 8);
        }
        return 0;
    }
    const bool negative = in.accept(u'-');
    if (!negative) {
        in.accept(u'+');
    }
    DecimalNumber number;
    for (int d = in.digit(10); d >= 0; d = in.digit(10)) {
        number.addDigit(d, false);
    }
    if (in.accept(u'.')) {
        for (int d = in.digit(10); d >= 0; d = in.digit(10)) {
            number.addDigit(d, true);
        }
    }
    long long exponent = 0;
    if (number.seenDigit() && (in.accept(u'E') || in.accept(u'D'))) {
        exponent = writtenExponent(in);
    }
    const double magnitude = number.value(exponent);
    return negative ? -magnitude : magnitude;
}
