// Scene 2: a transverse wave travelling to the right over 21 particles,
// each moving only up and down on its own guide line. The particles one
// wavelength apart (i = 0 and 420) are blue, the one half a wavelength from
// the first (i = 210) green; these three show their displacement as a bar.

#include "canvas/canvas.h"
#include "canvas/numeric.h"
#include "scenes/scenes.h"
#include "scenes/wave_models.h"

#include <cmath>

namespace kelvora::TransverseWaveMedium {

std::int32_t Displacement(std::int32_t i, double t)
{
    return ToInt32(50 * std::sin((t - i / 420.0) * static_cast<double>(kTwoPi)));
}

void DrawFrame(Canvas& c, std::int16_t& frameNo, SceneContext& context)
{
    const double frames = context.lastFrame + 1;

    c.Scale(0, 240, 640, 0);
    c.Cls();
    c.SetDrawWidth(1);
    c.Line(35, 120, 640, 120);
    c.Line(35, 40, 35, 200);
    c.SetDrawWidth(1);
    c.SetFillStyle(0);

    for (std::int32_t i = 0; i <= 600; i = Add32(i, 30)) {
        const std::int32_t y = Displacement(i, frameNo / frames);
        const std::int32_t x = Add32(i, 35);
        const std::int32_t top = Add32(y, 120);
        if (i == 0 || i == 420) {
            // No DrawWidth here: the guide line takes the 1 in force, set
            // above for i = 0 and by the particle i = 390 for i = 420.
            c.Line(x, 40, x, 200);
            c.SetFillColor(QBColor(qb::Blue));
            c.Circle(x, top, 6, QBColor(qb::Blue));
            c.SetDrawWidth(4);
            c.Line(x, 120, x, top, QBColor(qb::Blue));
        } else if (i == 210) {
            c.SetDrawWidth(1);
            c.Line(245, 40, 245, 200);
            c.SetFillColor(QBColor(qb::Green));
            c.Circle(245, top, 6, QBColor(qb::Green));
            c.SetDrawWidth(4);
            c.Line(245, 120, 245, top, QBColor(qb::Green));
        } else {
            c.SetDrawWidth(1);
            c.Line(x, 40, x, 200);
            c.SetFillColor(QBColor(qb::Red));
            c.Circle(x, top, 6, QBColor(qb::Red));
        }
    }
}

}  // namespace kelvora::TransverseWaveMedium
