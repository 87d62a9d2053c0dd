// Scene 0: uniform circular motion, its projection as simple harmonic
// motion with a displacement bar, and the displacement-time graph that
// grows by one bar per frame under one full period of the curve.

#include "canvas/canvas.h"
#include "canvas/numeric.h"
#include "scenes/scenes.h"
#include "scenes/shm_vector_frame.h"

#include <cmath>

namespace kelvora::ShmDisplacement {

void DrawFrame(Canvas& c, std::int16_t& frameNo, SceneContext& context)
{
    const std::int16_t lastFrame = context.lastFrame;
    const double frames = lastFrame + 1;
    const double k = AspectFactorPixels(context);

    shm_vector::DrawStaticLayout(c, 625);

    const double theta = frameNo * static_cast<double>(kTwoPi) / frames;
    const std::int32_t x = ToInt32(std::cos(theta) * 120);
    const std::int32_t y = ToInt32(k * (std::sin(theta) * 120));

    // The body in circular motion and its radius.
    c.SetFillColor(QBColor(qb::Green));
    c.Circle(x + 160, y + 120, 10, QBColor(qb::Green));
    c.Line(160, 120, x + 160, y + 120, QBColor(qb::Black));
    // The body in simple harmonic motion, and its displacement bar over it.
    c.SetDrawWidth(2);
    c.SetFillColor(QBColor(qb::Red));
    c.Circle(320, y + 120, 10, QBColor(qb::Red));
    c.SetDrawWidth(5);
    c.Line(320, 120, 320, y + 120, QBColor(qb::Blue));

    shm_vector::PrintCaptions(c, "ｘ-tグラフ");

    c.SetDrawWidth(2);
    c.SetFillStyle(1);
    const std::int32_t dx = ToInt32(220.0 / lastFrame);

    // One bar per frame so far; the current one is wide.
    std::int32_t barTop = 0;
    for (std::int16_t i = 0; i <= frameNo; ++i) {
        const double thetaI = i * static_cast<double>(kTwoPi) / frames;
        barTop = ToInt32(k * (std::sin(thetaI) * 120));
        c.SetDrawWidth(i == frameNo ? 5 : 1);
        const std::int32_t barX = Add32(Mul32(i, dx), 365);
        c.Line(barX, 120, barX, barTop + 120, QBColor(qb::Blue));
    }
    // From the circling body through the red body to the top of the bar.
    c.SetDrawWidth(1);
    c.Line(x + 160, barTop + 120, Add32(Mul32(frameNo, dx), 365), barTop + 120, QBColor(qb::Black));

    // One full period of the curve: dx x frames = 240 for both frame counts,
    // so the bar tops lie on it.
    c.SetDrawWidth(1);
    const double step = static_cast<double>(kTwoPi) / 240;
    const std::int32_t end = Mul32(dx, lastFrame + 1);
    for (std::int32_t j = 0; j <= end; ++j) {
        const std::int32_t yj = ToInt32(k * (std::sin(j * step) * 120));
        if (j == 0)
            c.PSet(365, yj + 120);
        else
            c.LineTo(j + 365, yj + 120, QBColor(qb::Black));
    }
}

}  // namespace kelvora::ShmDisplacement
