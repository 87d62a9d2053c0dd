#include "scenes/shm_vector_frame.h"

#include "canvas/canvas.h"
#include "canvas/numeric.h"

#include <cmath>

namespace kelvora::shm_vector {

void DrawStaticLayout(Canvas& c, float centreLineEnd)
{
    c.SetDrawWidth(2);
    c.Scale(0, 240, 640, 0);
    c.Cls();
    // FillStyle is 1 here (initially, and as every frame leaves it), so the
    // path of the circular motion is not filled.
    c.Circle(160, 120, 120, QBColor(qb::Black));
    c.SetFillStyle(0);
    c.SetFillColor(QBColor(qb::Red));
    c.SetDrawWidth(1);
    c.Line(40, 120, centreLineEnd, 120);
    c.SetDrawWidth(1);
    c.Line(320, 200, 320, 40);
}

CirclingBody DrawLayout(Canvas& c, double k, std::int16_t frameNo, std::int16_t lastFrame)
{
    // The centre line ends where the graph's curve ends.
    DrawStaticLayout(c, 605);
    const float theta = Sng(frameNo * static_cast<double>(kTwoPi) / (lastFrame + 1));
    const std::int32_t x = ToInt32(std::cos(theta) * 120);
    const std::int32_t y = ToInt32(k * (std::sin(theta) * 120));
    return CirclingBody{theta, x + 160, y + 120};
}

void DrawCirclingBody(Canvas& c, const CirclingBody& body)
{
    c.SetDrawWidth(2);
    c.SetFillColor(QBColor(qb::Green));
    c.Circle(body.X, body.Y, 10, QBColor(qb::Green));
}

void DrawOscillatingBody(Canvas& c, std::int32_t bodyY, double tipY)
{
    c.SetDrawWidth(5);
    c.SetFillColor(QBColor(qb::Red));
    c.Circle(320, bodyY, 10, QBColor(qb::Red));
    c.Line(320, bodyY, 320, tipY, QBColor(qb::Red));
}

void DrawVerticalArrowhead(Canvas& c, double k, double tipY, double value)
{
    c.SetDrawWidth(4);
    const double h = ArrowHalfAngle();
    const double barbX = 20 * std::sin(h);
    const double barbY = k * (std::cos(h) * 20);
    // Within 0.1 of zero the body is at a turning point (or the centre) and
    // the arrow has no direction worth showing.
    double endY;
    if (value > 0.1)
        endY = tipY - barbY;
    else if (value < -0.1)
        endY = tipY + barbY;
    else
        return;
    c.Line(320, tipY, 320 + barbX, endY, QBColor(qb::Red));
    c.Line(320, tipY, 320 - barbX, endY, QBColor(qb::Red));
}

void PrintCaptions(Canvas& c, const std::string& graphTitle)
{
    c.SetFontSize(14);
    c.PrintAt(110, 20, "等速円運動");
    c.PrintAt(290, 20, "単振動");
    c.PrintAt(450, 20, graphTitle);
}

void DrawProjectionLines(Canvas& c, const CirclingBody& body, double tipX, double tipY)
{
    c.SetDrawWidth(1);
    c.Line(body.X, body.Y, 320, body.Y, QBColor(qb::Black));
    c.Line(tipX, tipY, 320, tipY, QBColor(qb::Black));
}

void DrawGraph(Canvas& c, double k, std::int16_t frameNo, std::int16_t lastFrame, Quantity quantity)
{
    c.SetDrawWidth(2);
    c.SetFillStyle(1);
    const std::int32_t dx = ToInt32(220.0 / lastFrame);
    const double frames = lastFrame + 1;

    // The barbs of the bars take the same offset d on both coordinates.
    const double d = k * (std::cos(ArrowHalfAngle()) * 20);
    for (std::int16_t i = 0; i <= frameNo; ++i) {
        // The bars' phase is not held in single precision.
        const double thetaI = i * static_cast<double>(kTwoPi) / frames;
        const std::int32_t value = ToInt32(k * quantity(thetaI));
        const std::int32_t barX = Add32(Mul32(i, dx), 365);
        c.SetDrawWidth(i == frameNo ? 5 : 1);
        c.Line(barX, 120, barX, value + 120, QBColor(qb::Red));
        double barbY;
        if (value > 0)
            barbY = value + 120 - d;
        else if (value < 0)
            barbY = value + 120 + d;
        else
            continue;
        c.Line(barX, value + 120, barX + d, barbY, QBColor(qb::Red));
        c.Line(barX, value + 120, barX - d, barbY, QBColor(qb::Red));
    }

    // One full period: dx x frames = 240 for both frame counts, so the bar
    // tops lie on the curve.
    c.SetDrawWidth(1);
    const double step = static_cast<double>(kTwoPi) / 240;
    const std::int32_t end = Mul32(dx, lastFrame + 1);
    for (std::int32_t j = 0; j <= end; ++j) {
        const std::int32_t vj = ToInt32(k * quantity(j * step));
        if (j == 0)
            c.PSet(365, vj + 120);
        else
            c.LineTo(j + 365, vj + 120, QBColor(qb::Black));
    }
}

}  // namespace kelvora::shm_vector
