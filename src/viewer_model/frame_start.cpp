#include "viewer_model/frame_start.h"

#include <cstring>

namespace kelvora {

namespace {

// memcpy rather than std::bit_cast, which the WebAssembly build's C++
// library lacks.
std::uint32_t bitsOf(float f)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

bool sameBits(float a, float b) { return bitsOf(a) == bitsOf(b); }

bool sameParameter(const ParameterControl& a, const ParameterControl& b)
{
    return a.value == b.value && a.min == b.min && a.max == b.max && a.largeChange == b.largeChange &&
        a.text == b.text;
}

}  // namespace

bool SameFrameStart(const FrameStart& a, const FrameStart& b)
{
    const DrawState& s = a.state;
    const DrawState& t = b.state;
    return a.frameNo == b.frameNo && sameParameter(a.parameter, b.parameter) && s.backColor == t.backColor &&
        s.foreColor == t.foreColor && sameBits(s.scaleLeft, t.scaleLeft) && sameBits(s.scaleTop, t.scaleTop) &&
        sameBits(s.scaleWidth, t.scaleWidth) && sameBits(s.scaleHeight, t.scaleHeight) &&
        s.drawWidth == t.drawWidth && s.drawStyle == t.drawStyle && s.fillStyle == t.fillStyle &&
        s.fillColor == t.fillColor && sameBits(s.fontSize, t.fontSize);
}

}  // namespace kelvora
