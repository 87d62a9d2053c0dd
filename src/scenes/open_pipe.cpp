// Scene 11: the standing sound wave in an air column open at both ends,
// n half wavelengths long (n, the scene parameter, is the number of
// displacement nodes). The upper pipe shows the layers of air and the
// displacement graph, the lower one the density (pressure) graph.

#include "canvas/canvas.h"
#include "canvas/numeric.h"
#include "canvas/runtime_error.h"
#include "scenes/scenes.h"
#include "scenes/wave_models.h"

#include <cmath>

namespace kelvora::OpenPipe {

Column ColumnFor(std::int16_t n)
{
    // Log refuses n < 1 with a run-time error before anything is drawn.
    const std::int32_t a = ToInt32(35 / (Log(n) + 1));
    // Log has already refused n < 1; the division is still guarded on its own.
    if (n == 0)
        throw RuntimeError(ErrorNumber::DivisionByZero);
    return {a, ToInt32(960.0 / n)};
}

namespace {

// Each travelling component is rounded on its own before the two are added.
std::int32_t roundedSum(double first, double second) { return Add32(ToInt32(first), ToInt32(second)); }

double cycles(const Column& column, std::int32_t q) { return static_cast<double>(q) / column.wavelength; }

}  // namespace

std::int32_t Displacement(const Column& column, std::int32_t q, double t)
{
    const double twoPi = static_cast<double>(kTwoPi);
    const std::int32_t a = column.amplitude;
    return roundedSum(a * std::cos(twoPi * (t - cycles(column, q))), a * std::cos(twoPi * (t + cycles(column, q))));
}

std::int32_t Density(const Column& column, std::int32_t q, double t)
{
    const double twoPi = static_cast<double>(kTwoPi);
    const std::int32_t a = column.amplitude;
    return roundedSum(-a * std::sin(twoPi * (t - cycles(column, q))), a * std::sin(twoPi * (t + cycles(column, q))));
}

void DrawFrame(Canvas& c, std::int16_t& frameNo, SceneContext& context)
{
    const Column column = ColumnFor(context.sceneParam);
    const double t = frameNo / static_cast<double>(Add16(context.lastFrame, 1));

    c.Scale(0, 280, 640, 0);
    c.Cls();
    c.SetDrawWidth(1);
    c.Line(80, 200, 560, 200);
    c.Line(80, 70, 560, 70);
    // Walls only: both ends stay open.
    c.SetDrawWidth(4);
    c.Line(80, 150, 560, 150);
    c.Line(80, 250, 560, 250);
    c.Line(80, 20, 560, 20);
    c.Line(80, 120, 560, 120);
    c.SetFontSize(15);
    c.PrintAt(285, 265, "変位");
    c.PrintAt(270, 135, "密度（圧力）");
    c.SetDrawWidth(1);
    c.SetFillStyle(0);
    c.SetFillColor(QBColor(qb::Green));

    for (std::int32_t q = 0; q <= 480; q = Add32(q, 20)) {
        const std::int32_t d = Displacement(column, q, t);
        c.SetFillColor(QBColor(qb::Yellow));
        c.Circle(Add32(q, 80), d / 2.0 + 200, 3);
        const std::int32_t layerX = Add32(Add32(q, 80), d);
        c.Line(layerX, 150, layerX, 250);
        c.SetFillColor(QBColor(qb::Green));
        c.Circle(layerX, 200, 4);

        const std::int32_t p = Density(column, q, t);
        c.SetFillColor(QBColor(qb::Red));
        c.Circle(Add32(q, 80), p / 2.0 + 70, 3);
    }
}

}  // namespace kelvora::OpenPipe
