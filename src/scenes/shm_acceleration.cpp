// Scene 13: the acceleration of simple harmonic motion. The circling body
// carries its centripetal acceleration arrow, the body in simple harmonic
// motion the vertical component of it, and the acceleration-time graph
// grows by one bar with an arrowhead per frame under one full period of
// the curve of -sin.

#include "canvas/canvas.h"
#include "canvas/numeric.h"
#include "scenes/scenes.h"
#include "scenes/shm_vector_frame.h"

#include <cmath>

namespace kelvora::ShmAcceleration {

namespace {

// The acceleration before the vertical scaling: 90 units at the top and
// bottom, pointing back towards the centre line.
double acceleration(double theta) { return std::sin(theta) * (-90); }

}  // namespace

void DrawFrame(Canvas& c, std::int16_t& frameNo, SceneContext& context)
{
    const double k = AspectFactorPixels(context);
    const shm_vector::CirclingBody body = shm_vector::DrawLayout(c, k, frameNo, context.lastFrame);
    const double theta = body.theta;

    shm_vector::DrawCirclingBody(c, body);
    // The radius goes first so that the arrow's shaft lies over it.
    c.SetDrawWidth(1);
    c.Line(160, 120, body.X, body.Y, QBColor(qb::Black));

    // The acceleration arrow points along the radius towards the centre and
    // ends 30 units short of it; its barbs leave the tip at 30 degrees
    // either side of the outward radius, their vertical parts scaled by k.
    c.SetDrawWidth(2);
    const double h = shm_vector::ArrowHalfAngle();
    const double tipX = body.X - std::cos(theta) * 90;
    const double tipY = body.Y - k * (std::sin(theta) * 90);
    c.Line(body.X, body.Y, tipX, tipY, QBColor(qb::Green));
    c.Line(tipX, tipY, tipX + 20 * std::cos(theta + h), tipY + k * (std::sin(theta + h) * 20), QBColor(qb::Green));
    c.Line(tipX, tipY, tipX + 20 * std::cos(theta - h), tipY + k * (std::sin(theta - h) * 20), QBColor(qb::Green));

    // The body in simple harmonic motion gets the vertical component.
    shm_vector::DrawOscillatingBody(c, body.Y, tipY);
    shm_vector::DrawVerticalArrowhead(c, k, tipY, acceleration(theta));

    shm_vector::PrintCaptions(c, "a-tグラフ");
    shm_vector::DrawProjectionLines(c, body, tipX, tipY);
    shm_vector::DrawGraph(c, k, frameNo, context.lastFrame, &acceleration);
}

}  // namespace kelvora::ShmAcceleration
