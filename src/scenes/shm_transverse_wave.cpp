// Scene 1: a transverse wave grown out of uniform circular motion. A point
// runs round a reference circle, with the point opposite it; a row of 43
// particles carries a wave travelling to the right. The particles one
// wavelength apart at x = 220 and 460 move level with the running point
// (ringed light blue), those at x = 340 and 580 level with the opposite
// point (ringed light green), and a line joins each point to its ringed
// particle further right.

#include "canvas/canvas.h"
#include "canvas/numeric.h"
#include "scenes/scenes.h"
#include "scenes/wave_models.h"

#include <cmath>

namespace kelvora::ShmTransverseWave {

// The phase falls behind by a full period every 240 units, so the wave
// travels to the right; only the vertical offset is scaled by k.
std::int32_t Displacement(double aspectFactor, std::int32_t i, double t)
{
    const double phase = (t - i / 240.0) * static_cast<double>(kTwoPi);
    return ToInt32(aspectFactor * (80 * std::sin(phase)));
}

void DrawFrame(Canvas& c, std::int16_t& frameNo, SceneContext& context)
{
    c.SetDrawWidth(2);
    c.Scale(0, 240, 640, 0);
    c.Cls();
    c.Circle(100, 120, 80, QBColor(qb::Black));
    c.SetDrawWidth(1);
    c.Line(220, 120, 639, 120);
    for (const float guideX : {220.0f, 340.0f, 460.0f, 580.0f})
        c.Line(guideX, 190, guideX, 50);
    c.SetDrawWidth(1);

    // Only vertical offsets are scaled by k, so the running point stays on
    // the drawn circle.
    const double k = AspectFactorPixels(context);
    const double frames = context.lastFrame + 1;
    const double theta = static_cast<double>(kTwoPi) * frameNo / frames;
    const std::int32_t cx = ToInt32(80 * std::cos(theta));
    const std::int32_t sy = ToInt32(k * (80 * std::sin(theta)));

    // The running point and the point opposite it, each with its radius.
    c.SetFillStyle(0);
    c.SetFillColor(QBColor(qb::Blue));
    c.Circle(cx + 100, sy + 120, 5, QBColor(qb::Blue));
    c.Line(100, 120, cx + 100, sy + 120);
    c.SetFillStyle(0);
    c.SetFillColor(QBColor(qb::Green));
    c.Circle(100 - cx, 120 - sy, 5, QBColor(qb::Green));
    c.Line(100, 120, 100 - cx, 120 - sy);

    // The particles, filled light red.
    c.SetFillColor(QBColor(qb::Red));
    c.SetFillStyle(0);
    c.SetDrawWidth(1);
    for (std::int32_t i = 0; i <= 420; i += 10) {
        c.SetDrawWidth(1);
        const std::int32_t y = Displacement(k, i, frameNo / frames);
        c.Circle(i + 220, y + 120, 5, QBColor(qb::Black));
        // Rings 2 pixels wide round the particles that move with a point.
        c.SetDrawWidth(2);
        if (i == 120)
            c.Circle(340, y + 120, 5, QBColor(qb::Green));
        c.SetDrawWidth(2);
        if (i == 0)
            c.Circle(220, y + 120, 5, QBColor(qb::Blue));
        c.SetDrawWidth(2);
        if (i == 360) {
            c.Circle(580, y + 120, 5, QBColor(qb::Green));
            c.SetDrawWidth(1);
            c.Line(100 - cx, 120 - sy, 580, y + 120, QBColor(qb::Green));
        }
        c.SetDrawWidth(2);
        if (i == 240) {
            c.Circle(460, y + 120, 5, QBColor(qb::Blue));
            c.SetDrawWidth(1);
            c.Line(cx + 100, sy + 120, 460, y + 120, QBColor(qb::Blue));
        }
    }
    c.SetFillStyle(1);
}

}  // namespace kelvora::ShmTransverseWave
