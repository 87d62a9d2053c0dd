#include "scenes/end_reflection.h"

#include "canvas/canvas.h"
#include "canvas/numeric.h"
#include "scenes/wave_models.h"

#include <cmath>

namespace kelvora {

namespace EndReflection {

// Adding a shift of 0 leaves the product unchanged.
double Incident(std::int16_t x, double t, double phaseShift)
{
    return std::sin((x / 240.0 - t) * static_cast<double>(kTwoPi) + phaseShift);
}

double Reflected(std::int16_t x, double t, double phaseShift)
{
    return std::sin((t + x / 240.0) * static_cast<double>(kTwoPi) + phaseShift);
}

std::int16_t Resultant(std::int16_t x, double t, double phaseShift)
{
    const double s1 = Incident(x, t, phaseShift);
    const double s2 = Reflected(x, t, phaseShift);
    return ToInt16(40 * s2 + 40 * s1);
}

double FreeEndShift() { return static_cast<double>(kPi) / 2; }

}  // namespace EndReflection

namespace {

// One and a half wavelengths from the left edge.
constexpr std::int16_t kEnd = 360;

}  // namespace

void DrawEndReflection(Canvas& c, std::int16_t frameNo, const SceneContext& context, double phaseShift)
{
    using namespace EndReflection;
    const double t = frameNo / static_cast<double>(context.lastFrame + 1);

    c.Scale(0, 240, 640, 0);
    c.Cls();
    c.SetDrawWidth(1);
    c.SetFillStyle(0);
    c.SetFillColor(QBColor(qb::Green));
    // The region beyond the end, under the axis and the end line.
    c.LineBoxFilled(kEnd, 10, 640, 230, kBoxBlue);
    c.Line(0, 120, 640, 120);
    c.Line(kEnd, 10, kEnd, 230);

    // The incident wave: filled up to the end, hollow beyond it, where it
    // shows how the wave would go on without the end.
    for (std::int16_t x = 0; x <= 640; x = Add16(x, 8)) {
        const std::int16_t y = ToInt16(40 * Incident(x, t, phaseShift));
        if (x <= kEnd) {
            c.SetFillStyle(0);
        } else {
            c.SetFillColor(QBColor(qb::Black));
            c.SetFillStyle(1);
        }
        c.Circle(x, Add16(y, 120), 5);
    }

    // The reflected wave, lifted by 2 so that it stays visible where it
    // meets the incident row.
    c.SetFillStyle(0);
    c.SetFillColor(QBColor(qb::Yellow));
    for (std::int16_t x = 0; x <= kEnd; x = Add16(x, 8)) {
        const std::int16_t y = ToInt16(40 * Reflected(x, t, phaseShift));
        c.Circle(x, Add16(Add16(y, 120), 2), 5);
    }

    // The sum of the unrounded waves, rounded once.
    c.SetFillColor(QBColor(qb::Black));
    for (std::int16_t x = 0; x <= kEnd; x = Add16(x, 8))
        c.Circle(x, Add16(Resultant(x, t, phaseShift), 120), 5);
}

}  // namespace kelvora
