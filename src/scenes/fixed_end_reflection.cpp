// Scene 6: reflection at a fixed end. The waves need no phase shift: the
// sum has a node at the end, x = 360.

#include "scenes/end_reflection.h"
#include "scenes/scenes.h"

namespace kelvora::FixedEndReflection {

void DrawFrame(Canvas& canvas, std::int16_t& frameNo, SceneContext& context)
{
    DrawEndReflection(canvas, frameNo, context, 0.0);
}

}  // namespace kelvora::FixedEndReflection
