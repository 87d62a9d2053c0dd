// Scene 4: a transverse standing wave as the sum of two equal waves
// travelling in opposite directions: green dots for the wave to the right,
// yellow for the wave to the left, black for their sum, which rests at the
// nodes and swings twice as far at the antinodes.

#include "canvas/canvas.h"
#include "canvas/numeric.h"
#include "scenes/scenes.h"
#include "scenes/wave_models.h"

#include <cmath>

namespace kelvora::TransverseStandingWave {

double TowardsRight(float x, double t) { return std::sin((x / 240.0 - t) * static_cast<double>(kTwoPi)); }

double TowardsLeft(float x, double t) { return std::sin((t + x / 240.0) * static_cast<double>(kTwoPi)); }

std::int32_t Sum(float x, double t)
{
    const double right = TowardsRight(x, t);
    const double left = TowardsLeft(x, t);
    return ToInt32(40 * left + 40 * right);
}

namespace {

// With the offset added, a displacement is narrowed to the 16-bit y of
// the dot.
std::int16_t dotY(std::int32_t displacement, std::int32_t offset)
{
    return Narrow16(std::int64_t{displacement} + offset);
}

// The dot's x: the loop variable shifted to the start of the axis.
std::int16_t dotX(float x) { return ToInt16(x + 80.0); }

}  // namespace

void DrawFrame(Canvas& c, std::int16_t& frameNo, SceneContext& context)
{
    const double t = frameNo / static_cast<double>(context.lastFrame + 1);

    c.Scale(0, 240, 640, 0);
    c.Cls();
    c.SetDrawWidth(1);
    c.Line(55, 120, 589, 120);
    c.SetFillStyle(0);

    c.SetFillColor(QBColor(qb::Green));
    for (float x = 0; x <= 480; x = Sng(x + 8.0))
        c.Circle(dotX(x), dotY(ToInt32(40 * TowardsRight(x, t)), 120), 5);

    // Lifted by 2 so that it stays visible where it meets the green row.
    c.SetFillColor(QBColor(qb::Yellow));
    for (float x = 0; x <= 480; x = Sng(x + 8.0))
        c.Circle(dotX(x), dotY(ToInt32(40 * TowardsLeft(x, t)), 120 + 2), 5);

    // The sum of the unrounded waves, rounded once.
    c.SetFillColor(QBColor(qb::Black));
    for (float x = 0; x <= 480; x = Sng(x + 8.0))
        c.Circle(dotX(x), dotY(Sum(x, t), 120), 5);
}

}  // namespace kelvora::TransverseStandingWave
