#include "scenes/water_interference.h"

#include "canvas/canvas.h"
#include "canvas/numeric.h"
#include "scenes/capture_cache.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kelvora::water {

namespace {

constexpr float kAmplitude = 3.5f;
constexpr float kWavelength = 80;
constexpr std::int32_t kSourceX = 160;  // A at (160, 0), B at (-160, 0)

// The surface as the viewer sees it: tilted 15 degrees towards the viewer,
// not turned.
float tiltAngle() { return Sng(static_cast<double>(kPi) / 180 * 15); }
constexpr float kTurnAngle = 0;

// Squared distance from a source on the row y = 0, summed as 32-bit
// integers; on the fixed grid it stays below 500,000.
std::int32_t squaredDistance(std::int32_t dx, std::int32_t y) { return dx * dx + y * y; }

// The distance in wavelengths.
double delay(std::int32_t squaredDistance) { return std::sqrt(static_cast<double>(squaredDistance)) / kWavelength; }

// The wave of a source at `delay` wavelengths from it. A is in phase; B
// in opposite phase leads by half a period.
template <SourceB phase>
float wave(double delay, double t)
{
    double angle = static_cast<double>(kTwoPi) * (t - delay);
    if constexpr (phase == SourceB::AntiPhase)
        angle += static_cast<double>(kPi);
    return Sng(kAmplitude * std::sin(angle));
}

float sumOfWaves(float zA, float zB) { return Sng(static_cast<double>(zB) + zA); }

template <SourceB sourceB>
Heights heightsAt(std::int32_t x, std::int32_t y, double t)
{
    const float zA = wave<SourceB::InPhase>(delay(squaredDistance(x - kSourceX, y)), t);
    const float zB = wave<sourceB>(delay(squaredDistance(x + kSourceX, y)), t);
    return {zA, zB, sumOfWaves(zA, zB)};
}

ObliqueProjection surfaceProjection() { return ObliqueProjection(tiltAngle(), kTurnAngle); }

// The grid: rows from the furthest to the nearest, columns left to right.
constexpr std::int32_t kFurthestRow = 500;
constexpr std::int32_t kNearestRow = -360;
constexpr std::int32_t kRowStep = 10;
constexpr std::int32_t kLeftColumn = -300;
constexpr std::int32_t kRightColumn = 300;

// Calls visit(x, y) for every surface point in drawing order: furthest row
// first, each row left to right.
template <typename Visit>
void forEachSurfacePoint(Visit visit)
{
    for (std::int32_t y = kFurthestRow; y >= kNearestRow; y -= kRowStep) {
        for (std::int32_t x = kLeftColumn; x <= kRightColumn; ++x)
            visit(x, y);
    }
}

// One source's wave at every ring, for one frame.
template <SourceB phase>
std::vector<float> ringWaves(const std::vector<double>& ringDelays, double t)
{
    std::vector<float> waves(ringDelays.size());
    for (std::size_t i = 0; i < ringDelays.size(); ++i)
        waves[i] = wave<phase>(ringDelays[i], t);
    return waves;
}

template <SourceB sourceB>
void drawPoints(Canvas& c, double t, const SurfaceGeometry& geometry, const ObliqueProjection& projection)
{
    const std::vector<float> wavesA = ringWaves<SourceB::InPhase>(geometry.ringDelays, t);
    std::vector<float> wavesInOppositePhase;
    if constexpr (sourceB == SourceB::AntiPhase)
        wavesInOppositePhase = ringWaves<SourceB::AntiPhase>(geometry.ringDelays, t);
    const std::vector<float>& wavesB = sourceB == SourceB::InPhase ? wavesA : wavesInOppositePhase;
    const Color blue = QBColor(qb::Blue);
    for (const SurfacePoint& p : geometry.points) {
        const float z = sumOfWaves(wavesA[p.ringA], wavesB[p.ringB]);
        c.PSet(p.px, projection.ScreenY(z, p.depthDrop), blue);
    }
}

double cycleFraction(std::int16_t frameNo, std::int16_t frames) { return frameNo / static_cast<double>(frames); }

}  // namespace

Heights HeightsAt(SourceB sourceB, std::int32_t x, std::int32_t y, std::int16_t frameNo, std::int16_t frames)
{
    return HeightsAt(sourceB, x, y, cycleFraction(frameNo, frames));
}

Heights HeightsAt(SourceB sourceB, std::int32_t x, std::int32_t y, double t)
{
    return sourceB == SourceB::InPhase ? heightsAt<SourceB::InPhase>(x, y, t) : heightsAt<SourceB::AntiPhase>(x, y, t);
}

ScreenPoint PictureAt(GridPoint point, float z) { return surfaceProjection().Project(point.y, point.x, z); }

std::optional<GridPoint> GridPointNear(double px, double py)
{
    // Unturned, a column lands at x + 320 whatever its depth.
    const double across = px - 320;
    if (across < kLeftColumn - 0.5 || across > kRightColumn + 0.5)
        return std::nullopt;
    const auto x = static_cast<std::int32_t>(std::lround(std::clamp<double>(across, kLeftColumn, kRightColumn)));
    // Rows land 2 or 3 units apart; the nearest is at most 1.5 away inside.
    std::optional<GridPoint> nearest;
    double nearestDistance = 1.5;
    for (std::int32_t y = kFurthestRow; y >= kNearestRow; y -= kRowStep) {
        const double distance = std::fabs(PictureAt({x, y}, 0).py - py);
        if (distance < nearestDistance || (!nearest && distance == nearestDistance)) {
            nearest = GridPoint{x, y};
            nearestDistance = distance;
        }
    }
    return nearest;
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
    // Rings are numbered as first met, looked up by squared distance.
    constexpr std::uint32_t kNoRing = UINT32_MAX;
    std::vector<std::uint32_t> ringOfSquare;
    const auto ring = [&](std::int32_t square) {
        const auto index = static_cast<std::size_t>(square);
        if (index >= ringOfSquare.size())
            ringOfSquare.resize(index + 1, kNoRing);
        if (ringOfSquare[index] == kNoRing) {
            ringOfSquare[index] = static_cast<std::uint32_t>(geometry.ringDelays.size());
            geometry.ringDelays.push_back(delay(square));
        }
        return ringOfSquare[index];
    };
    geometry.points.reserve(87 * 601);
    forEachSurfacePoint([&](std::int32_t x, std::int32_t y) {
        geometry.points.push_back({projection.DepthDrop(y, x), ring(squaredDistance(x - kSourceX, y)),
            ring(squaredDistance(x + kSourceX, y)), projection.ScreenX(y, x)});
    });
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
