#pragma once

namespace kelvora {

// A rectangle in whole pixels, from the top-left corner of what holds it.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const PixelRect&) const = default;
};

}  // namespace kelvora
