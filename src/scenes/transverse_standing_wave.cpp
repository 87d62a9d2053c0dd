// Scene 4: a transverse standing wave as the sum of two equal waves
// travelling in opposite directions: green dots for the wave to the right,
// yellow for the wave to the left, black for their sum, which rests at the
// nodes and swings twice as far at the antinodes.

#include "canvas/canvas.h"
#include "canvas/numeric.h"
#include "scenes/scenes.h"

#include <cmath>

namespace kelvora::TransverseStandingWave {

namespace {

// Wavelength 240; x is the single-precision loop variable.
double towardsRight(float x, std::int16_t frameNo, double frames)
{
    return std::sin((x / 240.0 - frameNo / frames) * static_cast<double>(kTwoPi));
}

double towardsLeft(float x, std::int16_t frameNo, double frames)
{
    return std::sin((frameNo / frames + x / 240.0) * static_cast<double>(kTwoPi));
}

// A displacement becomes a 32-bit integer first; with the offset added it
// is narrowed to the 16-bit y of the dot.
std::int16_t dotY(double displacement, std::int32_t offset)
{
    return Narrow16(std::int64_t{ToInt32(displacement)} + offset);
}

// The dot's x: the loop variable shifted to the start of the axis.
std::int16_t dotX(float x) { return ToInt16(x + 80.0); }

}  // namespace

void DrawFrame(Canvas& c, std::int16_t& frameNo, SceneContext& context)
{
    const double frames = context.lastFrame + 1;

    c.Scale(0, 240, 640, 0);
    c.Cls();
    c.SetDrawWidth(1);
    c.Line(55, 120, 589, 120);
    c.SetFillStyle(0);

    c.SetFillColor(QBColor(qb::Green));
    for (float x = 0; x <= 480; x = Sng(x + 8.0))
        c.Circle(dotX(x), dotY(40 * towardsRight(x, frameNo, frames), 120), 5);

    // Lifted by 2 so that it stays visible where it meets the green row.
    c.SetFillColor(QBColor(qb::Yellow));
    for (float x = 0; x <= 480; x = Sng(x + 8.0))
        c.Circle(dotX(x), dotY(40 * towardsLeft(x, frameNo, frames), 120 + 2), 5);

    // The sum of the unrounded waves, rounded once.
    c.SetFillColor(QBColor(qb::Black));
    for (float x = 0; x <= 480; x = Sng(x + 8.0)) {
        const double right = towardsRight(x, frameNo, frames);
        const double left = towardsLeft(x, frameNo, frames);
        c.Circle(dotX(x), dotY(40 * left + 40 * right, 120), 5);
    }
}

}  // namespace kelvora::TransverseStandingWave
