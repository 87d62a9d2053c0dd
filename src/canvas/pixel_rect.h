#pragma once

namespace kelvora {

// A rectangle in whole pixels, from the top-left corner of what holds it.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const PixelRect&) const = default;
    // Whether the two share a pixel.
    bool overlaps(const PixelRect& o) const
    {
        return left < o.left + o.width && o.left < left + width && top < o.top + o.height && o.top < top + height;
    }
};

}  // namespace kelvora
