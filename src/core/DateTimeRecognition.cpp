#include "DateTimeRecognition.h"

#include <array>

#include "core/DateFormat.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// Longer than any date or time a locale writes; longer texts are not handed to the locale's parser, whose cost on
// long input is not ours to bound.
constexpr qsizetype localeTextLimit = 100;

// A time is split off the end of a date at one of the last few blank runs: some locales write a time in six words.
constexpr int wordsInTimeLimit = 8;

constexpr std::array<const char*, 12> monthNames{"january",
                                                 "february",
                                                 "march",
                                                 "april",
                                                 "may",
                                                 "june",
                                                 "july",
                                                 "august",
                                                 "september",
                                                 "october",
                                                 "november",
                                                 "december"};

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

class Cursor
{
public:
    explicit Cursor(QStringView text)
        : m_text(text)
    {
    }

    bool atEnd() const { return m_at == m_text.size(); }

    bool skipBlanks()
    {
        const qsizetype start = m_at;
        while (m_at < m_text.size() && isBlank(m_text[m_at])) {
            ++m_at;
        }
        return m_at > start;
    }

    bool accept(QChar wanted)
    {
        if (m_at < m_text.size() && m_text[m_at] == wanted) {
            ++m_at;
            return true;
        }
        return false;
    }

    bool accept(QStringView wanted)
    {
        if (m_text.sliced(m_at).startsWith(wanted, Qt::CaseInsensitive)) {
            m_at += wanted.size();
            return true;
        }
        return false;
    }

    // An unsigned number of minDigits to maxDigits ASCII digits.
    std::optional<int> number(qsizetype minDigits, qsizetype maxDigits)
    {
        int value = 0;
        qsizetype count = 0;
        while (count < maxDigits && m_at < m_text.size() && isAsciiDigit(m_text[m_at])) {
            value = value * 10 + (m_text[m_at].unicode() - u'0');
            ++m_at;
            ++count;
        }
        if (count < minDigits) {
            return std::nullopt;
        }
        return value;
    }

    // An English month name, in full or its first three letters, as 1 to 12.
    std::optional<int> month()
    {
        const qsizetype start = m_at;
        while (m_at < m_text.size() && isAsciiLetter(m_text[m_at])) {
            ++m_at;
        }
        const QStringView word = m_text.sliced(start, m_at - start);
        for (std::size_t i = 0; i < monthNames.size(); ++i) {
            const QLatin1String name(monthNames[i]);
            if (word.compare(name, Qt::CaseInsensitive) == 0 || word.compare(name.left(3), Qt::CaseInsensitive) == 0) {
                return static_cast<int>(i) + 1;
            }
        }
        return std::nullopt;
    }

private:
    QStringView m_text;
    qsizetype m_at = 0;
};

// An hour of 1 to 12 before or after noon on the 24-hour clock.
std::optional<int> hourOfDay(int hour12, bool afternoon)
{
    if (hour12 < 1 || hour12 > 12) {
        return std::nullopt;
    }
    return hour12 % 12 + (afternoon ? 12 : 0);
}

// "h:mm" or "h:mm:ss", each part of one or two digits, optionally followed by AM or PM.
std::optional<QTime> clockTime(QStringView text)
{
    Cursor in(text);
    const std::optional<int> hour = in.number(1, 2);
    if (!hour || !in.accept(u':')) {
        return std::nullopt;
    }
    const std::optional<int> minute = in.number(1, 2);
    std::optional<int> second = 0;
    if (in.accept(u':')) {
        second = in.number(1, 2);
    }
    in.skipBlanks();
    const bool morning = in.accept(u"AM");
    const bool afternoon = !morning && in.accept(u"PM");
    if (!minute || !second || !in.atEnd()) {
        return std::nullopt;
    }
    const std::optional<int> hour24 = morning || afternoon ? hourOfDay(*hour, afternoon) : hour;
    if (!hour24 || !QTime::isValid(*hour24, *minute, *second)) {
        return std::nullopt;
    }
    return QTime(*hour24, *minute, *second);
}

std::optional<QDate> validDate(std::optional<int> year, std::optional<int> month, std::optional<int> day)
{
    if (!year || !month || !day || !QDate::isValid(*year, *month, *day)) {
        return std::nullopt;
    }
    return QDate(*year, *month, *day);
}

// "Dec 8 2026", "December 08, 2026": any number of blanks between the parts, a comma after the day allowed.
std::optional<QDate> monthNameDate(QStringView text)
{
    Cursor in(text);
    const std::optional<int> month = in.month();
    if (!in.skipBlanks()) {
        return std::nullopt;
    }
    const std::optional<int> day = in.number(1, 2);
    bool separated = in.skipBlanks();
    separated = in.accept(u',') || separated;
    separated = in.skipBlanks() || separated;
    const std::optional<int> year = in.number(4, 4);
    if (!separated || !in.atEnd()) {
        return std::nullopt;
    }
    return validDate(year, month, day);
}

// "2026-12-08"
std::optional<QDate> isoDate(QStringView text)
{
    Cursor in(text);
    const std::optional<int> year = in.number(4, 4);
    const bool firstDash = in.accept(u'-');
    const std::optional<int> month = in.number(2, 2);
    const bool secondDash = in.accept(u'-');
    const std::optional<int> day = in.number(2, 2);
    if (!firstDash || !secondDash || !in.atEnd()) {
        return std::nullopt;
    }
    return validDate(year, month, day);
}

std::optional<QDate> localeDate(QStringView text, const QLocale& locale)
{
    if (text.size() > localeTextLimit) {
        return std::nullopt;
    }
    const QString copy = text.toString();
    for (const QLocale::FormatType form : {QLocale::ShortFormat, QLocale::LongFormat}) {
        const QDate date = locale.toDate(copy, form);
        if (date.isValid()) {
            return date;
        }
    }
    return std::nullopt;
}

struct MarkerSection
{
    qsizetype position;
    qsizetype length;
    bool upperCase;
};

// Where a time format asks for the am/pm marker: "AP" or "A" upper case, "ap" or "a" lower case, outside quotes.
std::optional<MarkerSection> markerSection(const QString& format)
{
    bool quoted = false;
    for (qsizetype at = 0; at < format.size(); ++at) {
        const QChar c = format[at];
        if (c == u'\'') {
            quoted = !quoted;
        } else if (!quoted && (c == u'a' || c == u'A')) {
            const bool withP = at + 1 < format.size() && format[at + 1].toLower() == u'p';
            return MarkerSection{at, withP ? 2 : 1, c == u'A'};
        }
    }
    return std::nullopt;
}

QString quotedLiteral(const QString& text)
{
    if (text.isEmpty()) {
        return {};
    }
    return u'\'' + QString(text).replace(u"'"_s, u"''"_s) + u'\'';
}

// Qt reads past the end of its buffer when it parses the marker of a locale whose morning and afternoon markers
// differ in length, so the marker is never left to it: each marker in turn becomes a literal of the format, and
// the hour read on the 24-hour clock is then turned into the 12-hour one it was.
std::optional<QTime> localeTimeIn(const QString& text, const QString& format, const QLocale& locale)
{
    const std::optional<MarkerSection> marker = markerSection(format);
    if (!marker) {
        const QTime time = locale.toTime(text, format);
        return time.isValid() ? std::optional<QTime>(time) : std::nullopt;
    }
    for (const bool afternoon : {false, true}) {
        const QString name = afternoon ? locale.pmText() : locale.amText();
        QString literalFormat = format;
        literalFormat.replace(
            marker->position, marker->length, quotedLiteral(marker->upperCase ? name.toUpper() : name.toLower()));
        const QTime time = locale.toTime(text, literalFormat);
        if (!time.isValid()) {
            continue;
        }
        if (const std::optional<int> hour = hourOfDay(time.hour(), afternoon)) {
            return QTime(*hour, time.minute(), time.second());
        }
    }
    return std::nullopt;
}

std::optional<QTime> localeTime(QStringView text, const QLocale& locale)
{
    if (text.size() > localeTextLimit) {
        return std::nullopt;
    }
    const QString copy = text.toString();
    for (const QString& format : {timeFormatWithoutZone(locale),
                                  locale.timeFormat(QLocale::ShortFormat),
                                  locale.timeFormat(QLocale::LongFormat)}) {
        if (std::optional<QTime> time = localeTimeIn(copy, format, locale)) {
            return time;
        }
    }
    return std::nullopt;
}

std::optional<QDate> anyDate(QStringView text, const QLocale& locale)
{
    if (std::optional<QDate> date = monthNameDate(text)) {
        return date;
    }
    if (std::optional<QDate> date = isoDate(text)) {
        return date;
    }
    return localeDate(text, locale);
}

std::optional<QTime> anyTime(QStringView text, const QLocale& locale)
{
    if (std::optional<QTime> time = clockTime(text)) {
        return time;
    }
    return localeTime(text, locale);
}

std::optional<RecognizedDateTime> dateThenTime(QStringView text, const QLocale& locale)
{
    qsizetype at = text.size();
    for (int words = 0; words < wordsInTimeLimit; ++words) {
        while (at > 0 && !isBlank(text[at - 1])) {
            --at;
        }
        const qsizetype timeStart = at;
        while (at > 0 && isBlank(text[at - 1])) {
            --at;
        }
        if (at == 0) {
            return std::nullopt;
        }
        const std::optional<QTime> time = anyTime(text.sliced(timeStart), locale);
        if (time) {
            if (std::optional<QDate> date = anyDate(text.first(at), locale)) {
                return RecognizedDateTime{date, time};
            }
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<RecognizedDateTime> recognizeDateTime(QStringView text, const QLocale& locale)
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        return std::nullopt;
    }
    if (std::optional<QTime> time = anyTime(trimmed, locale)) {
        return RecognizedDateTime{std::nullopt, time};
    }
    if (std::optional<QDate> date = anyDate(trimmed, locale)) {
        return RecognizedDateTime{date, std::nullopt};
    }
    return dateThenTime(trimmed, locale);
}

bool isDateOrTime(QStringView text, const QLocale& locale)
{
    return recognizeDateTime(text, locale).has_value();
}
