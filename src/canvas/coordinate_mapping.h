#pragma once

#include "canvas/draw_state.h"

#include <algorithm>
#include <cmath>

namespace kelvora {

// std::nearbyint in the default rounding mode without the library call (the
// mapping runs for every point of the point clouds): adding and taking away
// 1.5 x 2^52 leaves the nearest whole number, halves to even, for any |v|
// below 2^51.
inline int NearestInt(double v)
{
    constexpr double kRounder = 6755399441055744.0;  // 1.5 x 2^52
    if (std::fabs(v) < 2251799813685248.0)          // 2^51
        return static_cast<int>((v + kRounder) - kRounder);
    return static_cast<int>(std::nearbyint(v));
}

// Maps the user coordinate system set by Scale (x1, y1)-(x2, y2) onto a
// surface of pixelWidth x pixelHeight pixels: x1 is the left edge, y1 the
// top edge, x2 the right edge and y2 the bottom edge.
struct CoordinateMapping {
    float left = 0;    // x1
    float top = 0;     // y1
    float width = 1;   // x2 - x1
    float height = 1;  // y2 - y1 (negative when y grows upward)
    int pixelWidth = 1;
    int pixelHeight = 1;

    double pixelX(double x) const { return (x - left) * pixelWidth / width; }
    double pixelY(double y) const { return (y - top) * pixelHeight / height; }
    // Nearest pixel column / row, halves to even.
    int columnOf(double x) const { return NearestInt(pixelX(x)); }
    int rowOf(double y) const { return NearestInt(pixelY(y)); }
    // Takes the user coordinate system that Scale left in the state.
    void setScale(const DrawState& s)
    {
        left = s.scaleLeft;
        top = s.scaleTop;
        width = s.scaleWidth;
        height = s.scaleHeight;
    }
    // A length in horizontal user units, in pixels (circle radii).
    double horizontalPixels(double length) const { return length * pixelWidth / std::fabs(width); }
};

// A pen of DrawWidth pixels on a surface with devicePixelRatio device pixels
// per pixel, at least one device pixel wide. At ratio 1 (the point clouds'
// hot path) no rounding call is needed.
inline int DevicePenWidth(std::int16_t drawWidth, double devicePixelRatio)
{
    if (devicePixelRatio == 1.0)
        return std::max<int>(1, drawWidth);
    return std::max(1, static_cast<int>(std::lround(drawWidth * devicePixelRatio)));
}

}  // namespace kelvora
