#pragma once

#include <QString>

// The corrections the alarm settings window applies to its number fields. Each takes the text as typed and gives
// the text the field must show; a corrected text comes back unchanged, so writing it back settles at once.
namespace AlarmFields {

// Hours from now, 0 to 99, as a whole number without leading zeros; anything else becomes 1.
QString delayHours(const QString& text);
// Minutes from now, 0 to 59, as a whole number without leading zeros; anything else becomes 0.
QString delayMinutes(const QString& text);
// The hour of a time of day while it is typed: not a number or negative becomes "0", above 23 becomes "23".
QString timeHour(const QString& text);
// The minute of a time of day while it is typed: not a number, negative or above 59 becomes "0".
QString timeMinute(const QString& text);
// A time-of-day field once the user is done with it: its whole number with two digits ("7.9" becomes "07").
QString twoDigits(const QString& text);

// The whole-number part of the number a field's text begins with.
int wholeValue(const QString& text);

} // namespace AlarmFields
