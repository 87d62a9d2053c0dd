#pragma once

// The pieces that the velocity and the acceleration scenes share. Both use
// the layout of the displacement scene: a body in uniform circular motion
// on the large circle, its projection in simple harmonic motion on the axis
// x = 320, and a time graph with one bar per frame under one full period of
// a curve. They differ only in the arrow the circling body carries and in
// the quantity the arrows and the graph show.

#include "canvas/numeric.h"

#include <cstdint>
#include <string>

namespace kelvora {

class Canvas;

namespace shm_vector {

// The circling body of one frame.
struct CirclingBody {
    float theta;     // phase, held in single precision
    std::int32_t X;  // centre of the body
    std::int32_t Y;
};

// Half-angle of every arrowhead: 30 degrees, from the single-precision pi.
inline double ArrowHalfAngle() { return static_cast<double>(kPi) / 6; }

// A quantity of the motion at phase theta, before the vertical scaling by
// the aspect factor: Cos(theta) x 100 for the velocity, Sin(theta) x (-90)
// for the acceleration. Positive is upward.
using Quantity = double (*)(double theta);

// Scale, Cls, the unfilled path of the circular motion, the fill set-up
// (solid, light red), the centre line from x = 40 to centreLineEnd and the
// axis x = 320: the layout every frame of scenes 0, 12 and 13 starts with.
void DrawStaticLayout(Canvas& canvas, float centreLineEnd);

// Scale, Cls, the path of the circular motion, the fill set-up, the centre
// line (40..605) and the axis; then the phase and the circling body's
// position, which it returns. k is the aspect factor.
CirclingBody DrawLayout(Canvas& canvas, double k, std::int16_t frameNo, std::int16_t lastFrame);

// The circling body: a light green disc with a 2-pixel outline.
void DrawCirclingBody(Canvas& canvas, const CirclingBody& body);

// The body in simple harmonic motion at (320, bodyY), a light red disc
// with a 5-pixel outline, and its arrow's shaft up or down to tipY.
void DrawOscillatingBody(Canvas& canvas, std::int32_t bodyY, double tipY);

// The arrowhead at (320, tipY), 4 pixels wide: pointing up when value is
// above 0.1, down when it is below -0.1, left out at the turning points.
void DrawVerticalArrowhead(Canvas& canvas, double k, double tipY, double value);

// The three captions in 14 points; graphTitle names the graph.
void PrintCaptions(Canvas& canvas, const std::string& graphTitle);

// Black lines from the circling body and from the tip of its arrow
// horizontally to the axis.
void DrawProjectionLines(Canvas& canvas, const CirclingBody& body, double tipX, double tipY);

// The time graph: one bar with an arrowhead per frame so far (the current
// one wide), then the curve of the quantity over one period. Leaves
// DrawWidth 1, FillStyle 1 and the current point at the end of the curve.
void DrawGraph(Canvas& canvas, double k, std::int16_t frameNo, std::int16_t lastFrame, Quantity quantity);

}  // namespace shm_vector
}  // namespace kelvora
