#pragma once

#include <QDateTime>
#include <QString>

struct TimeAnswer;

// How far a time server's answer would move the computer's clock. Beyond LargeStepSeconds only the user may agree
// to the move.
namespace ClockStep {

constexpr qint64 LargeStepSeconds = 15 * 60;
// The system's own clock and the server's count as agreeing this close together.
constexpr qint64 AgreementMs = 2000;

// The moment the answer sets: the one it names where its date is trusted, else its time of day on the day nearest
// to the computer's clock, so that a small step across midnight carries the date with it instead of moving the
// clock a day.
QDateTime serverTime(const TimeAnswer& answer, const QDateTime& computerTime);

bool isLarge(qint64 msecs);

// A length of time in words for the user: "40 seconds", "3 minutes 5 seconds", "2 hours 12 minutes", "365 days".
QString durationText(qint64 msecs);

} // namespace ClockStep
