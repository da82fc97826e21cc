#include "Cp1252.h"

#include <array>

namespace {

// 0x80-0x9F differ from Latin-1; the five holes (0 here) read as themselves, which is what Windows does too.
constexpr std::array<char16_t, 32> HighControlRange = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char16_t decode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F && HighControlRange[byte - 0x80] != 0) {
        return HighControlRange[byte - 0x80];
    }
    return byte;
}

char encode(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
        return static_cast<char>(unit);
    }
    for (unsigned index = 0; index < HighControlRange.size(); ++index) {
        const char16_t mapped = HighControlRange[index];
        if (mapped == unit || (mapped == 0 && unit == 0x80 + index)) {
            return static_cast<char>(0x80 + index);
        }
    }
    return '?';
}

} // namespace

QString fromCp1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        text[i] = QChar(decode(static_cast<unsigned char>(bytes[i])));
    }
    return text;
}

QByteArray toCp1252(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        bytes[i] = encode(text[i].unicode());
    }
    return bytes;
}

bool fitsCp1252(QChar character)
{
    return character == u'?' || encode(character.unicode()) != '?';
}
