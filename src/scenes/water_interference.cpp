#include "scenes/water_interference.h"

#include "canvas/canvas.h"
#include "canvas/numeric.h"

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

// Distance from a source on the row y = 0. The squares are summed as
// 32-bit integers; on the fixed grid they stay below 500,000.
double distance(std::int32_t dx, std::int32_t y) { return std::sqrt(static_cast<double>(dx * dx + y * y)); }

template <SourceB sourceB>
Heights heights(std::int32_t x, std::int32_t y, double t)
{
    const double twoPi = static_cast<double>(kTwoPi);
    const double rA = distance(x - kSourceX, y);
    const float zA = Sng(kAmplitude * std::sin(twoPi * (t - rA / kWavelength)));
    const double rB = distance(x + kSourceX, y);
    double phaseB = twoPi * (t - rB / kWavelength);
    if constexpr (sourceB == SourceB::AntiPhase)
        phaseB += static_cast<double>(kPi);  // B leads by half a period
    const float zB = Sng(kAmplitude * std::sin(phaseB));
    return {zA, zB, Sng(static_cast<double>(zB) + zA)};
}

template <SourceB sourceB>
void drawPoints(Canvas& c, double t, const ObliqueProjection& projection)
{
    const Color blue = QBColor(qb::Blue);
    // Furthest row first, each row left to right.
    for (std::int32_t y = 500; y >= -360; y -= 10) {
        for (std::int32_t x = -300; x <= 300; ++x) {
            const float z = heights<sourceB>(x, y, t).z;
            const ScreenPoint p = projection.Project(y, x, z);
            c.PSet(p.px, p.py, blue);
        }
    }
}

double cycleFraction(std::int16_t frameNo, std::int16_t frames) { return frameNo / static_cast<double>(frames); }

}  // namespace

Heights HeightsAt(SourceB sourceB, std::int32_t x, std::int32_t y, std::int16_t frameNo, std::int16_t frames)
{
    const double t = cycleFraction(frameNo, frames);
    return sourceB == SourceB::InPhase ? heights<SourceB::InPhase>(x, y, t) : heights<SourceB::AntiPhase>(x, y, t);
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
    const double across = y * sinTurn_ + x * cosTurn_;
    const double depth = -x * sinTurn_ + y * cosTurn_;
    const double up = z * cosTilt_ - depth * sinTilt_;
    // Both are whole numbers already; the conversion only checks the range.
    return {ToInt16(Int(across) + 320), ToInt16(100 - Int(up))};
}

void DrawSurface(SourceB sourceB, Canvas& c, std::int16_t frameNo, const SceneContext& context)
{
    const ObliqueProjection projection(tiltAngle(), kTurnAngle);
    c.Scale(0, 240, 640, 0);
    c.Cls();
    const double t = cycleFraction(frameNo, Add16(context.lastFrame, 1));
    if (sourceB == SourceB::InPhase)
        drawPoints<SourceB::InPhase>(c, t, projection);
    else
        drawPoints<SourceB::AntiPhase>(c, t, projection);
}

}  // namespace kelvora::water
