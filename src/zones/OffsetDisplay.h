#pragma once

#include <QString>

// The rules by which the clock settings window shows and edits an offset: an hour display such as "+5", "-3" or "0"
// from -12 to +14 and a minute display of "00", "30" or "45", the minutes taking the sign of the hours.
namespace OffsetDisplay {

// Whole hours of an offset, truncated towards zero; a damaged value that is no number gives 0.
int wholeHours(float offset);

// Whether the offset is not a whole hour: tenths of it, rounded, are not a multiple of ten.
bool isHalfHour(float offset);

// The minute display of an offset: "45" for three quarters of an hour either side of GMT, else "30" for any other
// part of an hour, else "00".
QString minuteText(float offset);

// An hour count as the hour display shows it, with "+" before a positive number.
QString hourText(int hours);

// The value of an hour display; a leading "+" is accepted.
int hourValue(const QString& shown);

// The hour display one step up (step > 0) or down (step < 0), wrapping from +14 to -12 and back; step 0 leaves it.
QString steppedHour(const QString& shown, int step);

// The minute display once the hours are as shown: at -12 and +14, where no zone has minutes, "00".
QString minutesWithin(const QString& hourShown, const QString& minuteShown);

// The minute display one step on (step > 0: "00", "30", "45" and round again) or back (step < 0), as far as the
// hours shown allow.
QString steppedMinutes(const QString& hourShown, const QString& minuteShown, int step);

// The offset the displays stand for. offset is the value being edited, whose sign the minutes take, so
// hours "0" with minutes "30" is always +0.5.
float analyseTimeDiff(float offset, const QString& hourShown, const QString& minuteShown);

// The scroll value that brings the zone of the given whole hours into view.
int autoScrollValue(int hours);

// The scroll value after the map wraps at either end.
int wrappedScrollValue(int value);

} // namespace OffsetDisplay
