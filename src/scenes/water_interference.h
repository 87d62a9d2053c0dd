#pragma once

// Shared by the two water-interference scenes (8 and 9): the water surface
// between two point sources, seen obliquely from above as a cloud of
// points. The scenes differ only in the phase of source B.

#include "scenes/scene_context.h"

#include <cstdint>
#include <optional>
#include <vector>

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
// The same at time t, the fraction of the period: the model of the water.
Heights HeightsAt(SourceB sourceB, std::int32_t x, std::int32_t y, double t);

// A point of the surface grid: x = -300..300 across, y = -360..500 (in
// steps of 10) in depth.
struct GridPoint {
    std::int32_t x;
    std::int32_t y;
};

// Where a grid point lands on the picture at height z.
ScreenPoint PictureAt(GridPoint point, float z);
// The grid point whose resting place (height 0) on the picture is nearest
// (px, py); nothing when that is beyond half a grid step from the grid.
std::optional<GridPoint> GridPointNear(double px, double py);

// Oblique parallel projection of the tilted, turned surface. The sines and
// cosines of the two angles are taken once, not per point.
class ObliqueProjection {
public:
    ObliqueProjection(float tilt, float turn);
    ScreenPoint Project(std::int32_t y, std::int32_t x, float z) const;
    // Project in two parts: what the point alone fixes (PX, and how far
    // its depth lowers it), and PY from its height and that lowering.
    std::int16_t ScreenX(std::int32_t y, std::int32_t x) const;
    double DepthDrop(std::int32_t y, std::int32_t x) const;
    std::int16_t ScreenY(float z, double depthDrop) const;

private:
    double sinTilt_;
    double cosTilt_;
    double sinTurn_;
    double cosTurn_;
};

// What a surface point keeps from frame to frame: which ring it lies on
// around each source, and what the projection makes of its place.
struct SurfacePoint {
    double depthDrop;
    std::uint32_t ringA;  // index into SurfaceGeometry::ringDelays
    std::uint32_t ringB;
    std::int16_t px;
};

// The 87 x 601 surface points in the order they are drawn, in the scene's
// own units, so one table serves every canvas size. Many points lie at the
// same distance from a source (mirrored in the row of the sources, or
// about a source), so each distinct distance is a ring, whose wave a frame
// works out once: 18,336 rings for the 104,574 distances.
struct SurfaceGeometry {
    std::vector<double> ringDelays;  // distance / wavelength
    std::vector<SurfacePoint> points;
};

SurfaceGeometry BuildSurfaceGeometry();

// Draws one frame of the surface: Scale, Cls and the 87 x 601 points. The
// geometry comes from the context's capture cache, or is worked out for
// this frame alone when there is none.
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
