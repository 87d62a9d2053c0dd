// Scene 5: a longitudinal standing wave built from two longitudinal waves
// travelling in opposite directions. Three rows of 33 particles: the wave
// to the right on top, the wave to the left in the middle, their sum at
// the bottom. Beside each particle's rest position a small dot shows the
// same displacement turned upward.

#include "canvas/canvas.h"
#include "canvas/numeric.h"
#include "scenes/scenes.h"
#include "scenes/wave_models.h"

#include <cmath>

namespace kelvora::LongitudinalStandingWave {

float TowardsRight(std::int16_t x, double t)
{
    return Sng(15 * std::sin((t - x / 320.0) * static_cast<double>(kTwoPi)));
}

float TowardsLeft(std::int16_t x, double t)
{
    return Sng(-15 * std::sin((t + x / 320.0) * static_cast<double>(kTwoPi)));
}

// Rounded, so the particles at the nodes stay exactly at rest.
std::int16_t Sum(std::int16_t x, double t)
{
    return ToInt16(static_cast<double>(TowardsRight(x, t)) + TowardsLeft(x, t));
}

void DrawFrame(Canvas& c, std::int16_t& frameNo, SceneContext& context)
{
    const double t = frameNo / static_cast<double>(context.lastFrame + 1);

    c.Scale(0, 240, 680, 0);
    c.Cls();
    c.SetDrawWidth(1);
    c.Line(20, 40, 660, 40);
    c.Line(20, 120, 660, 120);
    c.Line(20, 200, 660, 200);
    c.SetFontSize(13);
    c.PrintAt(270, 230, "右へ進む進行波");
    c.PrintAt(270, 150, "左へ進む進行波");
    c.PrintAt(270, 80, "     合成波");
    c.SetFillStyle(0);
    c.SetFillColor(QBColor(qb::Green));

    for (std::int16_t x = 0; x <= 640; x = Add16(x, 20)) {
        const std::int16_t rest = Add16(x, 20);

        const float d1 = TowardsRight(x, t);
        c.SetFillColor(QBColor(qb::Green));
        c.Circle(rest + static_cast<double>(d1), 200, 4);
        c.SetFillColor(QBColor(qb::Blue));
        c.Circle(rest, static_cast<double>(d1) + 200, 3);

        const float d2 = TowardsLeft(x, t);
        c.SetFillColor(QBColor(qb::Green));
        c.Circle(rest + static_cast<double>(d2), 120, 4);
        c.SetFillColor(QBColor(qb::Yellow));
        c.Circle(rest, static_cast<double>(d2) + 120, 3);

        const std::int16_t s = Sum(x, t);
        c.SetFillColor(QBColor(qb::Black));
        c.Circle(rest, Add16(s, 40), 3);
        c.SetFillColor(QBColor(qb::Green));
        c.Circle(Add16(rest, s), 40, 4);
    }
}

}  // namespace kelvora::LongitudinalStandingWave
