#pragma once

#include <QString>

// The rules by which the clock settings window shows and edits an offset: an hour display such as "+5", "-3" or "0"
// and a minute display of "00" or "30", the half hour taking the sign of the hours.
namespace OffsetDisplay {

// Whole hours of an offset, truncated towards zero; a damaged value that is no number gives 0.
int wholeHours(float offset);

// Whether the offset is not a whole hour: tenths of it, rounded, are not a multiple of ten.
bool isHalfHour(float offset);

// An hour count as the hour display shows it, with "+" before a positive number.
QString hourText(int hours);

// The value of an hour display; a leading "+" is accepted.
int hourValue(const QString& shown);

// The hour display after a press: the right button counts up, the left down, wrapping from -12 to 12 and back.
// Any other button leaves it as it is.
QString steppedHour(const QString& shown, bool rightButton, bool leftButton);

// The offset the displays stand for. offset is the value being edited, whose sign the half hour takes, so
// hours "0" with minutes "30" is always +0.5.
float analyseTimeDiff(float offset, const QString& hourShown, const QString& minuteShown);

// The scroll value that brings the zone of the given whole hours into view.
int autoScrollValue(int hours);

// The scroll value after the map wraps at either end.
int wrappedScrollValue(int value);

} // namespace OffsetDisplay
