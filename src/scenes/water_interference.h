#pragma once

// Shared by the two water-interference scenes (8 and 9): the water surface
// between two point sources, seen obliquely from above as a cloud of
// points. The scenes differ only in the phase of source B.

#include "scenes/scene_context.h"

#include <cstdint>

namespace kelvora {

class Canvas;

namespace water {

enum class SourceB { InPhase, AntiPhase };

// Where a surface point lands on the picture, in user coordinates.
struct ScreenPoint {
    std::int16_t px;
    std::int16_t py;
};

// The two waves and their sum at one surface point.
struct Heights {
    float zA;
    float zB;
    float z;
};

// Heights at surface point (x, y) for frame frameNo of a loop of `frames`.
Heights HeightsAt(SourceB sourceB, std::int32_t x, std::int32_t y, std::int16_t frameNo, std::int16_t frames);

// Oblique parallel projection of the tilted, turned surface. The sines and
// cosines of the two angles are taken once, not per point.
class ObliqueProjection {
public:
    ObliqueProjection(float tilt, float turn);
    ScreenPoint Project(std::int32_t y, std::int32_t x, float z) const;

private:
    double sinTilt_;
    double cosTilt_;
    double sinTurn_;
    double cosTurn_;
};

// Draws one frame of the surface: Scale, Cls and the 87 x 601 points.
void DrawSurface(SourceB sourceB, Canvas& canvas, std::int16_t frameNo, const SceneContext& context);

}  // namespace water

namespace WaterInterferenceInPhase {
water::ScreenPoint ProjectPoint(const float& tilt, const float& turn, const std::int32_t& y, const std::int32_t& x,
    const float& z);
}

namespace WaterInterferenceAntiPhase {
water::ScreenPoint ProjectPoint(const float& tilt, const float& turn, const std::int32_t& y, const std::int32_t& x,
    const float& z);
}

}  // namespace kelvora
