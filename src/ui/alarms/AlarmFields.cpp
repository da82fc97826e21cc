#include "AlarmFields.h"

#include <QRegularExpression>

#include <cmath>

#include "core/NumberText.h"

namespace AlarmFields {

namespace {

struct FieldRule
{
    QString notANumber;
    double limit;
    QString aboveLimit;
    bool wholeNumber;
};

// The whole text must be one number (blanks around it allowed); "7a" or "" are not numbers.
bool isNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)([eEdD][+-]?\\d+)?\\s*$"));
    return number.match(text).hasMatch();
}

// Each step reads the text the step before left.
QString corrected(const QString& typed, const FieldRule& rule)
{
    QString text = typed;
    if (!isNumber(text)) {
        text = rule.notANumber;
    }
    if (leadingNumber(text) < 0) {
        text = rule.notANumber;
    }
    if (leadingNumber(text) > rule.limit) {
        text = rule.aboveLimit;
    }
    if (rule.wholeNumber) {
        text = QString::number(wholeValue(text));
    }
    return text;
}

} // namespace

QString delayHours(const QString& text)
{
    return corrected(text, {QStringLiteral("01"), 99, QStringLiteral("99"), true});
}

QString delayMinutes(const QString& text)
{
    return corrected(text, {QStringLiteral("00"), 59, QStringLiteral("59"), true});
}

QString timeHour(const QString& text)
{
    return corrected(text, {QStringLiteral("0"), 23, QStringLiteral("23"), false});
}

QString timeMinute(const QString& text)
{
    return corrected(text, {QStringLiteral("0"), 59, QStringLiteral("0"), false});
}

QString twoDigits(const QString& text)
{
    return QStringLiteral("%1").arg(wholeValue(text), 2, 10, QLatin1Char('0'));
}

int wholeValue(const QString& text)
{
    // The fields are corrected to 0..99 before anyone asks; the bounds only keep a stray text from overflowing.
    return int(qBound(-99999.0, std::trunc(leadingNumber(text)), 99999.0));
}

} // namespace AlarmFields
