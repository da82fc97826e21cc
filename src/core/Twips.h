#pragma once

#include <QRect>

#include <cmath>

// Window geometry is kept in twips, 1/1440 inch; at the logical 96 dpi one pixel is 15 twips. This is the only
// place that converts between the two.
namespace Twips {

constexpr int PerPixel = 15;

inline int toPixels(double twips)
{
    return int(std::lround(twips / PerPixel));
}

inline int fromPixels(int pixels)
{
    return pixels * PerPixel;
}

inline QRect toPixels(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

} // namespace Twips
