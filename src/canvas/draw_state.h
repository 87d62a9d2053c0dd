#pragma once

#include "canvas/color.h"

#include <cstdint>

namespace kelvora {

// Default text size of the surface, in points, before a scene sets one.
inline constexpr float kDefaultFontSize = 9.0f;

// The drawing state of the surface. It persists from one operation, frame
// and capture to the next; only Cls and Scale change more than the one
// property that they name.
struct DrawState {
    Color backColor = kWhite;
    Color foreColor = kBlack;
    // User coordinate system: Scale (scaleLeft, scaleTop)-(scaleLeft +
    // scaleWidth, scaleTop + scaleHeight). Initially the surface's pixels.
    float scaleLeft = 0;
    float scaleTop = 0;
    float scaleWidth = 1;
    float scaleHeight = 1;
    float currentX = 0;
    float currentY = 0;
    std::int16_t drawWidth = 1;
    std::int16_t drawStyle = 0;  // 0 solid, 2 dotted
    std::int16_t fillStyle = 1;  // 0 solid, 1 transparent
    Color fillColor = kBlack;
    float fontSize = kDefaultFontSize;

    // Dotted only for DrawStyle 2 with a 1-pixel pen; wider pens draw solid.
    bool dottedPen() const { return drawStyle == 2 && drawWidth <= 1; }
    bool filled() const { return fillStyle == 0; }
};

}  // namespace kelvora
