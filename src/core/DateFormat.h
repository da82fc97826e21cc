#pragma once

#include <QString>

class QDate;
class QDateTime;
class QLocale;
class QTime;

// Writes a date and time after a pattern whose tokens are read without regard to case: d dd ddd dddd (day, two
// digits, "Mon", "Monday"), m mm mmm mmmm (month, two digits, "Jan", "January"), yy yyyy, h hh (hour), n nn (minutes),
// s ss (seconds), am/pm and a/p. An m or mm means minutes right after an hour token or right before a seconds token.
// Hours run 1-12 when the pattern has an am/pm or a/p token, which is written in the pattern's own case. Names are
// English whatever the locale; every other character is copied. An invalid date and time gives an empty text.
QString formatDate(const QDateTime& when, QStringView pattern);
// The same for a date and a time of day given apart, which spares the tick a local date-time of its own. An invalid
// date gives an empty text.
QString formatDate(const QDate& date, const QTime& time, QStringView pattern);

// At least two digits: 5 -> "05", 123 -> "123", -5 -> "-05".
QString twoDigits(int value);

QString systemShortDate(const QDate& date);

// The time of day in the system locale's long form, without a zone name.
QString systemTimeText(const QTime& time);

// The locale's long time format with its zone name left out: a time of day alone has no zone, and the locale's
// time parser cannot read a zone name back, so a time written in this format can be recognised again.
QString timeFormatWithoutZone(const QLocale& locale);
