#pragma once

#include <QColor>

// Legibility of text on a background, measured as the web's accessibility guidelines do: the relative luminance
// of each colour and the ratio of the two, from 1:1 (the same) to 21:1 (black on white).
namespace Contrast {

// The ratio that normal-sized text needs, and the one that small print needs to keep it once its thin strokes
// are smoothed into the ground.
constexpr double ReadableRatio = 4.5;
constexpr double SmallPrintRatio = 7.0;

double relativeLuminance(const QColor& colour);
double ratio(const QColor& first, const QColor& second);

// The preferred colour where it reaches the ratio on the background; otherwise the least mix of it towards white or
// black, whichever stands out more, that does.
QColor readableOn(const QColor& preferred, const QColor& background, double least = ReadableRatio);

// A background dark enough that light print reads better on it than dark print.
bool isDark(const QColor& background);

} // namespace Contrast
