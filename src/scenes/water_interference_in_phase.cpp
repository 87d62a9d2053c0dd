// Scene 8: interference of the circular water waves from two sources
// driven in phase.

#include "scenes/scenes.h"
#include "scenes/water_interference.h"

namespace kelvora::WaterInterferenceInPhase {

water::ScreenPoint ProjectPoint(const float& tilt, const float& turn, const std::int32_t& y, const std::int32_t& x,
    const float& z)
{
    return water::ObliqueProjection(tilt, turn).Project(y, x, z);
}

void DrawFrame(Canvas& canvas, std::int16_t& frameNo, SceneContext& context)
{
    water::DrawSurface(water::SourceB::InPhase, canvas, frameNo, context);
}

}  // namespace kelvora::WaterInterferenceInPhase
