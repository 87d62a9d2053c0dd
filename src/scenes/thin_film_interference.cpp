// Scene 14: a wave meets a thin film from the left. The upper axis carries
// the incident wave and the wave running on inside the film; the lower axis
// the wave reflected at the back surface on its way back through the film,
// and, left of the film, the front-surface reflection (with its half-period
// jump), the back-surface reflection and their sum. The parameter is twice
// the film thickness over the wavelength in the film, in tenths.

#include "canvas/canvas.h"
#include "canvas/numeric.h"
#include "scenes/scene_catalogue.h"
#include "scenes/scenes.h"

#include <cmath>

namespace kelvora::ThinFilmInterference {

namespace {

constexpr int kSceneIndex = 14;
constexpr float kAirWavelength = 240;
constexpr float kFront = 360;  // x of the film's front surface

// The scroll bar's value, or its initial value where there is no scroll bar.
std::int16_t parameterValue(const SceneContext& context)
{
    if (context.parameter)
        return context.parameter->value;
    return ParameterSetupFor(kSceneIndex)->initial;
}

// The scroll bar's range and step and the text beside it, rewritten on
// every frame.
void showParameter(SceneContext& context, std::int16_t value)
{
    if (!context.parameter)
        return;
    context.parameter->largeChange = 5;
    context.parameter->max = 40;
    context.parameter->text = ParameterText(kSceneIndex, value);
}

// x divided as a single by a single: the quotient is a single too.
double singleQuotient(std::int16_t x, float divisor) { return static_cast<float>(x) / divisor; }

double sinCycles(double cycles) { return std::sin(static_cast<double>(kTwoPi) * cycles); }

// A wave point's height: factor x sin(2 pi cycles), rounded, on its axis.
float pointHeight(double factor, double cycles, std::int16_t base)
{
    return Add16(ToInt16(factor * sinCycles(cycles)), base);
}

// The phases, in cycles, of the waves at x.
struct Phases {
    double t;     // FrameNo / (LastFrame + 1)
    float film;   // wavelength in the film
    float back;   // x of the film's back surface

    double incident(std::int16_t x) const { return t - singleQuotient(x, kAirWavelength); }
    double inFilm(std::int16_t x) const { return t - singleQuotient(x, film) + frontShift(); }
    double backInFilm(std::int16_t x) const
    {
        return t + singleQuotient(x, film) - 2.0 * back / film + frontShift();
    }
    double frontReflection(std::int16_t x) const
    {
        return t + singleQuotient(x, kAirWavelength) - 2.0 * kFront / kAirWavelength + 0.5;
    }
    double backReflection(std::int16_t x) const
    {
        return t + singleQuotient(x, kAirWavelength) - 2.0 * back / film
            + (2.0 / film - 2.0 / kAirWavelength) * kFront;
    }

private:
    // Keeps the wave continuous where it enters the film.
    double frontShift() const { return (1.0 / film - 1.0 / kAirWavelength) * kFront; }
};

}  // namespace

void DrawFrame(Canvas& c, std::int16_t& frameNo, SceneContext& context)
{
    const std::int16_t value = parameterValue(context);
    const float ratio = Sng(value * 0.1);  // R
    showParameter(context, value);

    const float film = Sng(kAirWavelength / 2.0);
    const float back = Sng(film * static_cast<double>(ratio) / 2 + 360);
    const Phases phase{frameNo / static_cast<double>(Add16(context.lastFrame, 1)), film, back};

    c.Scale(0, 240, 640, 0);
    c.Cls();
    c.SetDrawWidth(1);
    c.SetFillStyle(0);
    c.SetFillColor(QBColor(qb::Green));
    c.Line(360, 10, 360, 230);
    c.LineBoxFilled(360, 10, back, 230, kBoxBlue);
    c.Line(0, 160, 640, 160);
    c.Line(0, 80, 640, 80);

    // One wave: a point every 4 units from `from` to `to`, both rounded to
    // 16-bit integers first, so the waves in the film end at the last step
    // that does not pass the rounded back surface.
    const auto wave = [](float from, float to, auto drawPoint) {
        const std::int16_t end = ToInt16(to);
        for (std::int16_t x = ToInt16(from); x <= end; x = Add16(x, 4))
            drawPoint(x);
    };

    wave(0, kFront, [&](std::int16_t x) {
        c.SetFillStyle(0);
        c.Circle(x, pointHeight(-20, phase.incident(x), 160), 4);
    });
    wave(kFront, back, [&](std::int16_t x) {
        c.SetFillColor(QBColor(qb::Yellow));
        c.SetFillStyle(0);
        c.Circle(x, pointHeight(-20, phase.inFilm(x), 160), 4);
    });
    wave(kFront, back, [&](std::int16_t x) {
        c.SetFillColor(QBColor(qb::Yellow));
        c.SetFillStyle(0);
        c.Circle(x, pointHeight(-20, phase.backInFilm(x), 80), 4);
    });
    c.SetFillStyle(0);
    c.SetFillColor(QBColor(qb::Green));
    wave(0, kFront, [&](std::int16_t x) { c.Circle(x, pointHeight(-24, phase.frontReflection(x), 80), 4); });
    wave(0, kFront, [&](std::int16_t x) {
        c.SetFillColor(QBColor(qb::Yellow));
        c.SetFillStyle(0);
        c.Circle(x, pointHeight(-20, phase.backReflection(x), 80), 4);
    });
    // The sum takes the front-surface reflection with the factor 20, not
    // the 24 it is drawn with, so whole-number R cancels completely.
    c.SetFillColor(QBColor(qb::Black));
    c.SetFillStyle(0);
    wave(0, kFront, [&](std::int16_t x) {
        const double sum = -20 * sinCycles(phase.frontReflection(x)) - 20 * sinCycles(phase.backReflection(x));
        c.Circle(x, Add16(ToInt16(sum), 80), 4);
    });
}

}  // namespace kelvora::ThinFilmInterference
