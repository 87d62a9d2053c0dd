#pragma once

#include "canvas/canvas.h"
#include "canvas/runtime_error.h"
#include "scenes/scene_context.h"

#include <cstdint>

namespace kelvora::test {

// A scene that draws, then overflows on frame 2.
inline void OverflowingScene(Canvas& canvas, std::int16_t& frameNo, SceneContext&)
{
    canvas.Scale(0, 240, 640, 0);
    canvas.Line(0, 0, 1, 1);
    if (frameNo == 2)
        throw RuntimeError(ErrorNumber::Overflow);
}

}  // namespace kelvora::test
