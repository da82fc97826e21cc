#pragma once

#include <QtGlobal>

// The program's integer arithmetic is 16-bit with halves rounded to the even neighbour. These helpers are the
// one place where a floating-point value becomes such an integer.

// Rounds to the nearest integer, a half going to the even one (2.5 -> 2, 3.5 -> 4, -0.5 -> 0).
double roundHalfEven(double value);

// roundHalfEven, then held inside the 16-bit range; a value that is not a number gives 0, so that nothing read
// from a damaged file can overflow the clock arithmetic.
qint16 toInteger16(double value);

// Holds a wider integer inside the 16-bit range.
qint16 clampToInteger16(int value);
