#include "Contrast.h"

#include <cmath>

namespace {

double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

QColor mixed(const QColor& from, const QColor& to, double share)
{
    const auto channel = [share](int a, int b) { return int(std::lround(a + (b - a) * share)); };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()), channel(from.blue(), to.blue()));
}

} // namespace

namespace Contrast {

double relativeLuminance(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

double ratio(const QColor& first, const QColor& second)
{
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

bool isDark(const QColor& background)
{
    return ratio(Qt::white, background) > ratio(Qt::black, background);
}

QColor readableOn(const QColor& preferred, const QColor& background, double least)
{
    if (ratio(preferred, background) >= least) {
        return preferred;
    }
    const QColor end = isDark(background) ? QColor(Qt::white) : QColor(Qt::black);
    constexpr int Steps = 20;
    for (int step = 1; step < Steps; ++step) {
        const QColor candidate = mixed(preferred, end, double(step) / Steps);
        if (ratio(candidate, background) >= least) {
            return candidate;
        }
    }
    return end;
}

} // namespace Contrast
