#pragma once

// The DrawFrame of every scene renderer, one namespace per scene.

#include "scenes/scene_context.h"

#include <cstdint>

namespace kelvora {

class Canvas;

#define KELVORA_DECLARE_SCENE(Name) \
    namespace Name { \
    void DrawFrame(Canvas& canvas, std::int16_t& frameNo, SceneContext& context); \
    }

KELVORA_DECLARE_SCENE(ShmDisplacement)         // 0
KELVORA_DECLARE_SCENE(ShmTransverseWave)       // 1
KELVORA_DECLARE_SCENE(TransverseWaveMedium)    // 2
KELVORA_DECLARE_SCENE(LongitudinalWave)        // 3
KELVORA_DECLARE_SCENE(TransverseStandingWave)  // 4
KELVORA_DECLARE_SCENE(LongitudinalStandingWave)  // 5
KELVORA_DECLARE_SCENE(FixedEndReflection)      // 6
KELVORA_DECLARE_SCENE(FreeEndReflection)       // 7
KELVORA_DECLARE_SCENE(WaterInterferenceInPhase)    // 8
KELVORA_DECLARE_SCENE(WaterInterferenceAntiPhase)  // 9
KELVORA_DECLARE_SCENE(ClosedPipe)              // 10
KELVORA_DECLARE_SCENE(OpenPipe)                // 11
KELVORA_DECLARE_SCENE(ShmVelocity)             // 12
KELVORA_DECLARE_SCENE(ShmAcceleration)         // 13
KELVORA_DECLARE_SCENE(ThinFilmInterference)    // 14
KELVORA_DECLARE_SCENE(InterferenceCondition)   // 15

#undef KELVORA_DECLARE_SCENE

}  // namespace kelvora
