// Scene 7: reflection at a free end. A quarter period added to both waves
// turns the node at the end, x = 360, into an antinode.

#include "canvas/numeric.h"
#include "scenes/end_reflection.h"
#include "scenes/scenes.h"

namespace kelvora::FreeEndReflection {

void DrawFrame(Canvas& canvas, std::int16_t& frameNo, SceneContext& context)
{
    DrawEndReflection(canvas, frameNo, context, static_cast<double>(kPi) / 2);
}

}  // namespace kelvora::FreeEndReflection
