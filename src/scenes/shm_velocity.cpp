// Scene 12: the velocity of simple harmonic motion. The circling body
// carries its tangential velocity arrow, the body in simple harmonic motion
// the vertical component of it, and the velocity-time graph grows by one
// bar with an arrowhead per frame under one full period of the curve.

#include "canvas/canvas.h"
#include "canvas/numeric.h"
#include "scenes/scenes.h"
#include "scenes/shm_vector_frame.h"

#include <cmath>

namespace kelvora::ShmVelocity {

namespace {

// The velocity before the vertical scaling: 100 units at the centre line.
double velocity(double theta) { return std::cos(theta) * 100; }

}  // namespace

void DrawFrame(Canvas& c, std::int16_t& frameNo, SceneContext& context)
{
    // This scene measures the screen in twips; the ratio is the same.
    const double k = AspectFactorTwips(context);
    const shm_vector::CirclingBody body = shm_vector::DrawLayout(c, k, frameNo, context.lastFrame);
    const double theta = body.theta;

    shm_vector::DrawCirclingBody(c, body);

    // The velocity arrow, tangent to the circle in the direction of motion
    // (counter-clockwise). Its barbs leave the tip at 30 degrees either side
    // of the reversed arrow, their vertical parts scaled by k.
    const double h = shm_vector::ArrowHalfAngle();
    const double q = static_cast<double>(kPi) / 2;
    const double tipX = body.X - std::sin(theta) * 100;
    const double tipY = k * (std::cos(theta) * 100) + body.Y;
    c.Line(body.X, body.Y, tipX, tipY, QBColor(qb::Green));
    c.Line(tipX, tipY, tipX + 20 * std::cos(q - theta - h), tipY - k * (std::sin(q - theta - h) * 20), QBColor(qb::Green));
    c.Line(tipX, tipY, tipX - 20 * std::cos(theta + q - h), tipY - k * (std::sin(theta + q - h) * 20), QBColor(qb::Green));

    // The body in simple harmonic motion moves with the vertical component.
    shm_vector::DrawOscillatingBody(c, body.Y, tipY);
    shm_vector::DrawVerticalArrowhead(c, k, tipY, velocity(theta));

    shm_vector::PrintCaptions(c, "v-tグラフ");
    shm_vector::DrawProjectionLines(c, body, tipX, tipY);
    shm_vector::DrawGraph(c, k, frameNo, context.lastFrame, &velocity);
}

}  // namespace kelvora::ShmVelocity
