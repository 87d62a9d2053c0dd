// Scene 3: a longitudinal wave as seventeen layers that swing to and fro
// along the axis, so that compressions and rarefactions travel to the
// right. Each layer has a green guide line at its rest position and a
// small green dot there that shows the same displacement turned upward
// and halved: the transverse picture of the wave.

#include "canvas/canvas.h"
#include "canvas/numeric.h"
#include "scenes/scenes.h"
#include "scenes/wave_models.h"

#include <cmath>

namespace kelvora::LongitudinalWave {

std::int32_t Displacement(std::int32_t i, double t)
{
    return ToInt32(30 * std::sin((t - i / 360.0) * static_cast<double>(kTwoPi)));
}

void DrawFrame(Canvas& c, std::int16_t& frameNo, SceneContext& context)
{
    const double frames = context.lastFrame + 1;

    c.Scale(0, 240, 640, 0);
    c.Cls();
    c.SetDrawWidth(1);
    c.Line(35, 120, 630, 120, QBColor(qb::Yellow));
    c.Line(35, 40, 35, 200, QBColor(qb::Yellow));
    c.SetFillStyle(0);
    // A tenth of the wavelength.
    const std::int32_t step = ToInt32(360.0f / 10.0f);

    for (std::int32_t i = 0; i <= 600; i = Add32(i, step)) {
        const std::int32_t d = Displacement(i, frameNo / frames);
        const std::int32_t rest = Add32(i, 35);
        c.SetDrawWidth(1);
        c.SetFillColor(QBColor(qb::Green));
        // The half is kept: a displacement of 21 puts the dot at 130.5.
        c.Circle(rest, d / 2.0 + 120, 4, QBColor(qb::Green));
        c.Line(rest, 40, rest, 200, QBColor(qb::Green));
        c.SetDrawWidth(3);
        c.SetFillColor(QBColor(qb::Red));
        const std::int32_t layer = Add32(rest, d);
        c.Line(layer, 40, layer, 200);
        c.Circle(layer, 120, 7, QBColor(qb::Red));
    }
}

}  // namespace kelvora::LongitudinalWave
