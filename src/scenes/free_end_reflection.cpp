// Scene 7: reflection at a free end. A quarter period added to both waves
// turns the node at the end, x = 360, into an antinode.

#include "scenes/end_reflection.h"
#include "scenes/scenes.h"
#include "scenes/wave_models.h"

namespace kelvora::FreeEndReflection {

void DrawFrame(Canvas& canvas, std::int16_t& frameNo, SceneContext& context)
{
    DrawEndReflection(canvas, frameNo, context, EndReflection::FreeEndShift());
}

}  // namespace kelvora::FreeEndReflection
