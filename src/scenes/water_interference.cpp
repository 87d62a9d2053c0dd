#include "scenes/water_interference.h"

#include "canvas/canvas.h"
#include "canvas/numeric.h"
#include "scenes/capture_cache.h"

#include <cmath>

namespace kelvora::water {

namespace {

constexpr float kAmplitude = 3.5f;
constexpr float kWavelength = 80;
constexpr std::int32_t kSourceX = 160;  // A at (160, 0), B at (-160, 0)

// The surface as the viewer sees it: tilted 15 degrees towards the viewer,
// not turned.
float tiltAngle() { return Sng(static_cast<double>(kPi) / 180 * 15); }
constexpr float kTurnAngle = 0;

// Distance from a source on the row y = 0, in wavelengths. The squares are
// summed as 32-bit integers; on the fixed grid they stay below 500,000.
double delay(std::int32_t dx, std::int32_t y)
{
    return std::sqrt(static_cast<double>(dx * dx + y * y)) / kWavelength;
}

template <SourceB sourceB>
Heights heights(double delayA, double delayB, double t)
{
    const double twoPi = static_cast<double>(kTwoPi);
    const float zA = Sng(kAmplitude * std::sin(twoPi * (t - delayA)));
    double phaseB = twoPi * (t - delayB);
    if constexpr (sourceB == SourceB::AntiPhase)
        phaseB += static_cast<double>(kPi);  // B leads by half a period
    const float zB = Sng(kAmplitude * std::sin(phaseB));
    return {zA, zB, Sng(static_cast<double>(zB) + zA)};
}

template <SourceB sourceB>
Heights heightsAt(std::int32_t x, std::int32_t y, double t)
{
    return heights<sourceB>(delay(x - kSourceX, y), delay(x + kSourceX, y), t);
}

ObliqueProjection surfaceProjection() { return ObliqueProjection(tiltAngle(), kTurnAngle); }

template <SourceB sourceB>
void drawPoints(Canvas& c, double t, const SurfaceGeometry& geometry, const ObliqueProjection& projection)
{
    const Color blue = QBColor(qb::Blue);
    for (const SurfacePoint& p : geometry.points) {
        const float z = heights<sourceB>(p.delayA, p.delayB, t).z;
        c.PSet(p.px, projection.ScreenY(z, p.depthDrop), blue);
    }
}

double cycleFraction(std::int16_t frameNo, std::int16_t frames) { return frameNo / static_cast<double>(frames); }

}  // namespace

Heights HeightsAt(SourceB sourceB, std::int32_t x, std::int32_t y, std::int16_t frameNo, std::int16_t frames)
{
    const double t = cycleFraction(frameNo, frames);
    return sourceB == SourceB::InPhase ? heightsAt<SourceB::InPhase>(x, y, t) : heightsAt<SourceB::AntiPhase>(x, y, t);
}

// The angles are singles; their sines and cosines are taken in double
// precision.
ObliqueProjection::ObliqueProjection(float tilt, float turn)
    : sinTilt_(std::sin(static_cast<double>(tilt)))
    , cosTilt_(std::cos(static_cast<double>(tilt)))
    , sinTurn_(std::sin(static_cast<double>(turn)))
    , cosTurn_(std::cos(static_cast<double>(turn)))
{
}

ScreenPoint ObliqueProjection::Project(std::int32_t y, std::int32_t x, float z) const
{
    return {ScreenX(y, x), ScreenY(z, DepthDrop(y, x))};
}

std::int16_t ObliqueProjection::ScreenX(std::int32_t y, std::int32_t x) const
{
    const double across = y * sinTurn_ + x * cosTurn_;
    // A whole number already; the conversion only checks the range.
    return ToInt16(Int(across) + 320);
}

double ObliqueProjection::DepthDrop(std::int32_t y, std::int32_t x) const
{
    const double depth = -x * sinTurn_ + y * cosTurn_;
    return depth * sinTilt_;
}

std::int16_t ObliqueProjection::ScreenY(float z, double depthDrop) const
{
    const double up = z * cosTilt_ - depthDrop;
    return ToInt16(100 - Int(up));
}

SurfaceGeometry BuildSurfaceGeometry()
{
    const ObliqueProjection projection = surfaceProjection();
    SurfaceGeometry geometry;
    geometry.points.reserve(87 * 601);
    // Furthest row first, each row left to right.
    for (std::int32_t y = 500; y >= -360; y -= 10) {
        for (std::int32_t x = -300; x <= 300; ++x) {
            geometry.points.push_back({delay(x - kSourceX, y), delay(x + kSourceX, y), projection.DepthDrop(y, x),
                projection.ScreenX(y, x)});
        }
    }
    return geometry;
}

void DrawSurface(SourceB sourceB, Canvas& c, std::int16_t frameNo, const SceneContext& context)
{
    SurfaceGeometry ownGeometry;
    const SurfaceGeometry& geometry =
        context.captureCache ? context.captureCache->waterSurface() : (ownGeometry = BuildSurfaceGeometry());
    const ObliqueProjection projection = surfaceProjection();
    c.Scale(0, 240, 640, 0);
    c.Cls();
    const double t = cycleFraction(frameNo, Add16(context.lastFrame, 1));
    if (sourceB == SourceB::InPhase)
        drawPoints<SourceB::InPhase>(c, t, geometry, projection);
    else
        drawPoints<SourceB::AntiPhase>(c, t, geometry, projection);
}

}  // namespace kelvora::water
