#pragma once

#include "canvas/draw_state.h"
#include "scenes/scene_context.h"

#include <cstdint>

namespace kelvora {

// Everything a captured frame starts from: the drawing state the previous
// frame left, the frame number handed to DrawFrame and the parameter
// controls as they read before the frame.
struct FrameStart {
    DrawState state;
    std::int16_t frameNo = 0;
    ParameterControl parameter;
};

// Whether two starts give the same frame. A capture frame begins with Cls,
// which forgets the current point and reads only BackColor, so the current
// point is left out; everything else must match bit for bit.
bool SameFrameStart(const FrameStart& a, const FrameStart& b);

}  // namespace kelvora
