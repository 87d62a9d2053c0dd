#pragma once

#include <cmath>

namespace kelvora {

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
    int columnOf(double x) const { return static_cast<int>(std::nearbyint(pixelX(x))); }
    int rowOf(double y) const { return static_cast<int>(std::nearbyint(pixelY(y))); }
    // A length in horizontal user units, in pixels (circle radii).
    double horizontalPixels(double length) const { return length * pixelWidth / std::fabs(width); }
};

}  // namespace kelvora
