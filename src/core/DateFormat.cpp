#include "DateFormat.h"

#include <QDateTime>
#include <QLocale>

#include <array>
#include <optional>
#include <vector>

namespace {

enum class Field
{
    Literal,
    Day,
    Month,
    Year,
    Hour,
    Minute,
    Second,
    Meridiem
};

struct Token
{
    Field field;
    qsizetype width;
    QStringView text; // the pattern's own characters: a literal or the spelling of an am/pm marker
};

struct FieldLetter
{
    char letter;
    Field field;
    std::array<qsizetype, 4> widths; // longest first, 0 = unused
};

constexpr std::array<FieldLetter, 6> fieldLetters{{
    {'d', Field::Day, {4, 3, 2, 1}},
    {'m', Field::Month, {4, 3, 2, 1}},
    {'y', Field::Year, {4, 2, 0, 0}},
    {'h', Field::Hour, {2, 1, 0, 0}},
    {'n', Field::Minute, {2, 1, 0, 0}},
    {'s', Field::Second, {2, 1, 0, 0}},
}};

constexpr std::array<const char*, 7> dayNames{
    "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
constexpr std::array<const char*, 12> monthNames{"January",
                                                 "February",
                                                 "March",
                                                 "April",
                                                 "May",
                                                 "June",
                                                 "July",
                                                 "August",
                                                 "September",
                                                 "October",
                                                 "November",
                                                 "December"};

// Counts no further than the longest token, so that a pattern of one letter repeated stays linear.
qsizetype sameLetterRun(QStringView pattern, qsizetype from, qsizetype longest)
{
    const QChar letter = pattern[from].toLower();
    qsizetype end = from;
    while (end < pattern.size() && end - from < longest && pattern[end].toLower() == letter) {
        ++end;
    }
    return end - from;
}

std::optional<Token> fieldToken(QStringView pattern, qsizetype from)
{
    const QChar letter = pattern[from].toLower();
    for (const FieldLetter& candidate : fieldLetters) {
        if (letter != QLatin1Char(candidate.letter)) {
            continue;
        }
        const qsizetype run = sameLetterRun(pattern, from, candidate.widths.front());
        for (const qsizetype width : candidate.widths) {
            if (width > 0 && width <= run) {
                return Token{candidate.field, width, pattern.mid(from, width)};
            }
        }
    }
    return std::nullopt;
}

std::vector<Token> tokenize(QStringView pattern)
{
    std::vector<Token> tokens;
    qsizetype at = 0;
    while (at < pattern.size()) {
        const QStringView rest = pattern.mid(at);
        std::optional<Token> token;
        if (rest.startsWith(u"am/pm", Qt::CaseInsensitive)) {
            token = Token{Field::Meridiem, 5, rest.left(5)};
        } else if (rest.startsWith(u"a/p", Qt::CaseInsensitive)) {
            token = Token{Field::Meridiem, 3, rest.left(3)};
        } else {
            token = fieldToken(pattern, at);
        }
        if (!token) {
            token = Token{Field::Literal, 1, rest.left(1)};
        }
        tokens.push_back(*token);
        at += token->width;
    }
    return tokens;
}

// m and mm stand for minutes when they follow an hour or precede seconds, the other tokens in between not counting.
void resolveMinutes(std::vector<Token>& tokens)
{
    std::vector<Field> nextField(tokens.size(), Field::Literal);
    Field following = Field::Literal;
    for (std::size_t i = tokens.size(); i-- > 0;) {
        nextField[i] = following;
        if (tokens[i].field != Field::Literal) {
            following = tokens[i].field;
        }
    }
    Field previous = Field::Literal;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        Token& token = tokens[i];
        if (token.field == Field::Month && token.width <= 2
            && (previous == Field::Hour || nextField[i] == Field::Second)) {
            token.field = Field::Minute;
        }
        if (token.field != Field::Literal) {
            previous = token.field;
        }
    }
}

QString padded(int value, qsizetype width)
{
    QString digits = QString::number(qAbs(qint64(value))).rightJustified(width, u'0');
    if (value < 0) {
        digits.prepend(u'-');
    }
    return digits;
}

int displayedHour(int hour, bool twelveHour)
{
    if (!twelveHour) {
        return hour;
    }
    return hour % 12 == 0 ? 12 : hour % 12;
}

QString nameField(const char* name, qsizetype width)
{
    const QString full = QString::fromLatin1(name);
    return width == 3 ? full.left(3) : full;
}

QString meridiem(const Token& token, bool afternoon)
{
    const qsizetype half = token.width / 2;
    return (afternoon ? token.text.mid(half + 1) : token.text.left(half)).toString();
}

QString render(const Token& token, const QDate& date, const QTime& time, bool twelveHour)
{
    switch (token.field) {
    case Field::Literal:
        return token.text.toString();
    case Field::Day:
        return token.width <= 2 ? padded(date.day(), token.width)
                                : nameField(dayNames[static_cast<std::size_t>(date.dayOfWeek() - 1)], token.width);
    case Field::Month:
        return token.width <= 2 ? padded(date.month(), token.width)
                                : nameField(monthNames[static_cast<std::size_t>(date.month() - 1)], token.width);
    case Field::Year:
        return padded(token.width == 4 ? date.year() : (date.year() % 100 + 100) % 100, token.width);
    case Field::Hour:
        return padded(displayedHour(time.hour(), twelveHour), token.width);
    case Field::Minute:
        return padded(time.minute(), token.width);
    case Field::Second:
        return padded(time.second(), token.width);
    case Field::Meridiem:
        return meridiem(token, time.hour() >= 12);
    }
    return {};
}

} // namespace

QString formatDate(const QDateTime& when, QStringView pattern)
{
    if (!when.isValid()) {
        return {};
    }
    return formatDate(when.date(), when.time(), pattern);
}

QString formatDate(const QDate& date, const QTime& time, QStringView pattern)
{
    if (!date.isValid()) {
        return {};
    }
    std::vector<Token> tokens = tokenize(pattern);
    resolveMinutes(tokens);
    bool twelveHour = false;
    for (const Token& token : tokens) {
        twelveHour = twelveHour || token.field == Field::Meridiem;
    }
    QString text;
    for (const Token& token : tokens) {
        text += render(token, date, time, twelveHour);
    }
    return text;
}

QString twoDigits(int value)
{
    return padded(value, 2);
}

QString systemShortDate(const QDate& date)
{
    return QLocale::system().toString(date, QLocale::ShortFormat);
}

QString systemTimeText(const QTime& time)
{
    const QLocale locale = QLocale::system();
    return locale.toString(time, timeFormatWithoutZone(locale));
}

QString timeFormatWithoutZone(const QLocale& locale)
{
    // The zone sits at one end, set off by blanks, a comma or brackets ("h:mm:ss AP, t", "HH:mm:ss (t)",
    // "t HH:mm:ss"); those go with it.
    const auto setsOffZone = [](QChar c) { return QStringView(u" ,()[]").contains(c); };
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString kept;
    bool quoted = false;
    qsizetype at = 0;
    while (at < format.size()) {
        const QChar c = format[at++];
        if (c == u'\'') {
            quoted = !quoted;
        }
        if (quoted || c != u't') {
            kept += c;
            continue;
        }
        while (!kept.isEmpty() && setsOffZone(kept.back())) {
            kept.chop(1);
        }
        while (at < format.size() && setsOffZone(format[at])) {
            ++at;
        }
    }
    return kept;
}
