#pragma once

// The picture shared by the reflection scenes 6 and 7: a wave travelling
// right meets the end at x = 360 and comes back; the sum of the two is a
// standing wave. The two scenes differ only in a phase added to both
// waves, which moves the nodes of the sum.

#include "scenes/scene_context.h"

#include <cstdint>

namespace kelvora {

class Canvas;

// Draws one frame with phaseShift (radians) added to the phase of every
// wave: 0 leaves a node at the end, a quarter period an antinode.
void DrawEndReflection(Canvas& canvas, std::int16_t frameNo, const SceneContext& context, double phaseShift);

}  // namespace kelvora
