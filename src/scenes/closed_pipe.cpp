// Scene 10: the standing sound wave in an air column closed at the left
// and open at the right, with n displacement nodes (the scene parameter).
// The upper pipe shows the layers of air and the displacement graph, the
// lower one the density (pressure) graph.

#include "canvas/canvas.h"
#include "canvas/numeric.h"
#include "scenes/scenes.h"
#include "scenes/wave_models.h"

#include <cmath>

namespace kelvora::ClosedPipe {

Column ColumnFor(std::int16_t n)
{
    // Log refuses n < 1 with a run-time error before anything is drawn.
    const float a = Sng(38 / (Log(n) + 1));
    // The pipe is 2n - 1 quarter wavelengths long.
    const float lambda = Sng(1920.0 / Sub16(Mul16(2, n), 1));
    return {a, lambda};
}

namespace {

// The quotient of two singles is a single.
double cycles(const Column& column, std::int16_t q) { return static_cast<float>(q) / column.wavelength; }

}  // namespace

// Two waves running in opposite directions; only their sum is rounded.
std::int16_t Displacement(const Column& column, std::int16_t q, double t)
{
    const double twoPi = static_cast<double>(kTwoPi);
    const float a = column.amplitude;
    const float u = Sng(a * std::sin(twoPi * (t - cycles(column, q))));
    const float v = Sng(-a * std::sin(twoPi * (t + cycles(column, q))));
    return ToInt16(static_cast<double>(u) + v);
}

std::int16_t Density(const Column& column, std::int16_t q, double t)
{
    const double twoPi = static_cast<double>(kTwoPi);
    const float a = column.amplitude;
    const float u = Sng(a * std::cos(twoPi * (t - cycles(column, q))));
    const float v = Sng(a * std::cos(twoPi * (t + cycles(column, q))));
    return ToInt16(static_cast<double>(u) + v);
}

void DrawFrame(Canvas& c, std::int16_t& frameNo, SceneContext& context)
{
    const Column column = ColumnFor(context.sceneParam);
    const double t = frameNo / static_cast<double>(Add16(context.lastFrame, 1));

    c.Scale(0, 280, 640, 0);
    c.Cls();
    c.SetDrawWidth(1);
    c.Line(40, 200, 520, 200);
    c.Line(40, 70, 520, 70);
    c.SetDrawWidth(4);
    c.Line(40, 150, 520, 150);
    c.Line(40, 250, 520, 250);
    c.Line(40, 150, 40, 250);
    c.Line(40, 20, 520, 20);
    c.Line(40, 120, 520, 120);
    c.Line(40, 20, 40, 120);
    c.SetDrawWidth(1);
    c.SetFillStyle(0);
    c.SetFillColor(QBColor(qb::Green));
    c.SetFontSize(15);
    c.PrintAt(270, 265, "変位");
    c.PrintAt(255, 135, "密度（圧力）");

    for (std::int16_t q = 0; q <= 480; q = Add16(q, 20)) {
        const std::int16_t d = Displacement(column, q, t);
        c.SetFillColor(QBColor(qb::Yellow));
        c.Circle(Add16(q, 40), d / 2.0 + 200, 3);
        const std::int16_t layerX = Add16(Add16(q, 40), d);
        c.Line(layerX, 150, layerX, 250);
        c.SetFillColor(QBColor(qb::Green));
        c.Circle(layerX, 200, 4);

        const std::int16_t p = Density(column, q, t);
        c.SetFillColor(QBColor(qb::Red));
        c.Circle(Add16(q, 40), p / 2.0 + 70, 3);
    }
}

}  // namespace kelvora::ClosedPipe
