#pragma once

#include <QString>

// A number as progress lines show it: a blank in front of a non-negative number, "-" in front of a negative one.
// Whole numbers below 1E+15 are written in full; anything else with at most 7 significant digits, as a single
// precision value would be ("1E+20", " 0.1" for 0.1f).
QString numberToText(double value);
QString numberToText(int value);

// The value of the number a text begins with. Blanks, tabs and line feeds are skipped wherever they stand, then come
// an optional sign, digits with at most one decimal point and an optional exponent (E or D); reading stops at the first
// other character. "&H" and "&O" begin a hexadecimal or octal number. A text that does not begin with a number gives
// 0, and a number too large for a double gives plus or minus infinity, never NaN.
double leadingNumber(QStringView text);
