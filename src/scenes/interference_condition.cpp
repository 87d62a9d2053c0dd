// Scene 15: along the line between two sources A and B four wavelengths
// apart, the wave from A runs right up to a point P and the wave from B
// runs left up to P, and at P the two add up. The upper panel has the
// sources in phase, the lower one in opposite phase. The parameter is the
// distance AP in quarter wavelengths.

#include "canvas/canvas.h"
#include "canvas/numeric.h"
#include "scenes/scene_catalogue.h"
#include "scenes/scenes.h"

#include <cmath>

namespace kelvora::InterferenceCondition {

namespace {

constexpr int kSceneIndex = 15;
constexpr float kWavelength = 140;
constexpr float kSourceDistance = 560;  // AB = 4 wavelengths; A at x = 40, B at x = 600

// What differs between the two panels.
struct Panel {
    const char* title;
    float titleY;
    float labelY;
    std::int32_t base;  // y of the axis
    float gridTop;
    float gridBottom;
    float markY;        // CurrentY of the label "Ｐ"
    double beta;        // phase of source B
    float bStartAtA;    // where the B wave starts when P stands at A
};

constexpr Panel kInPhase{"波源Ａ，Ｂが同位相の場合", 235, 183, 180, 220, 140, 135, 0, 2};
constexpr Panel kAntiPhase{"波源Ａ，Ｂが逆位相の場合", 115, 63, 60, 100, 20, 15, static_cast<double>(kPi), 0};

// The scroll bar's value, or its initial value where there is no scroll bar.
std::int16_t parameterValue(const SceneContext& context)
{
    if (context.parameter)
        return context.parameter->value;
    return ParameterSetupFor(kSceneIndex)->initial;
}

double sinCycles(double cycles) { return std::sin(static_cast<double>(kTwoPi) * cycles); }

// The single s divided by the single wavelength: a single.
double wavelengths(float s) { return s / kWavelength; }

struct Waves {
    double t;  // FrameNo / (LastFrame + 1)
    double beta;

    double fromA(float s) const { return -20 * sinCycles(t - wavelengths(s)); }
    double fromB(float s) const
    {
        return -20 * std::sin(static_cast<double>(kTwoPi) * (t + wavelengths(s) - wavelengths(kSourceDistance)) + beta);
    }
};

// base + a rounded height, formed in 32 bits and held in 16.
float heightOnAxis(std::int32_t base, double height) { return Narrow16(Add32(base, ToInt32(height))); }

// A point of a wave at s from A.
float xAt(float s) { return ToInt16(s + 40.0); }

void printTitle(Canvas& c, const Panel& panel)
{
    c.SetFontSize(14);
    c.PrintAt(210, panel.titleY, panel.title);
}

void printSourceLabels(Canvas& c, const Panel& panel)
{
    c.SetFontSize(11);
    c.PrintAt(0, panel.labelY, "波源Ａ");
    c.PrintAt(600, panel.labelY, "波源Ｂ");
}

void drawAxis(Canvas& c, const Panel& panel)
{
    c.SetDrawWidth(1);
    c.Line(40, panel.base, 600, panel.base);
}

// Everything after the axis: the grid, the two waves, the sum at P and its
// marker and label.
void drawGridAndWaves(Canvas& c, const Panel& panel, double t, float d)
{
    // A dotted line every half wavelength, then a solid one over every
    // second of them, one per wavelength.
    c.SetDrawStyle(2);
    for (std::int16_t i = 0; i <= 8; i = Add16(i, 1))
        c.Line(70 * i + 40, panel.gridTop, 70 * i + 40, panel.gridBottom);
    c.SetDrawStyle(0);
    for (std::int16_t i = 0; i <= 8; i = Add16(i, 2))
        c.Line(70 * i + 40, panel.gridTop, 70 * i + 40, panel.gridBottom);

    // Single-precision counters: an end value is included only when the
    // steps of 2 reach it exactly.
    const Waves waves{t, panel.beta};
    c.SetFillStyle(0);
    c.SetFillColor(QBColor(qb::Green));
    for (float s = 0; s <= d; s += 2)
        c.Circle(xAt(s), heightOnAxis(panel.base, waves.fromA(s)), 3);
    c.SetFillColor(QBColor(qb::Yellow));
    const float bStart = d == 0 ? panel.bStartAtA : d;
    for (float s = bStart; s <= kSourceDistance; s += 2)
        c.Circle(xAt(s), heightOnAxis(panel.base, waves.fromB(s)), 3);

    // The sines are added before the sum is rounded.
    c.SetFillColor(QBColor(qb::Black));
    c.Circle(xAt(d), heightOnAxis(panel.base, waves.fromA(d) + waves.fromB(d)), 5);
    c.SetDrawStyle(0);
    c.Line(d + 40, panel.gridTop, d + 40, panel.gridBottom, QBColor(qb::Red));
    c.PrintAt(d + 35, panel.markY, "Ｐ");
}

}  // namespace

void DrawFrame(Canvas& c, std::int16_t& frameNo, SceneContext& context)
{
    const std::int16_t value = parameterValue(context);
    if (context.parameter)
        context.parameter->text = ParameterText(kSceneIndex, value);
    const float d = Sng(value * static_cast<double>(kWavelength / 4));  // AP
    const double t = frameNo / static_cast<double>(Add16(context.lastFrame, 1));

    c.Scale(0, 240, 640, 0);
    c.Cls();

    printTitle(c, kInPhase);
    printSourceLabels(c, kInPhase);
    drawAxis(c, kInPhase);
    drawGridAndWaves(c, kInPhase, t, d);

    // The lower panel draws its axis first.
    drawAxis(c, kAntiPhase);
    printTitle(c, kAntiPhase);
    printSourceLabels(c, kAntiPhase);
    drawGridAndWaves(c, kAntiPhase, t, d);
}

}  // namespace kelvora::InterferenceCondition
