#include "scenes/scene_context.h"

namespace kelvora {

namespace {

// (800 / 1280) x 0.58, evaluated as written.
double aspectConstant() { return (800.0 / 1280.0) * 0.58; }

}  // namespace

double AspectFactorPixels(const SceneContext& c)
{
    return (c.screenWidth * aspectConstant()) / c.screenHeight;
}

double AspectFactorTwips(const SceneContext& c)
{
    const double width = static_cast<double>(c.screenWidth) * kTwipsPerPixel;
    const double height = static_cast<double>(c.screenHeight) * kTwipsPerPixel;
    return (width * aspectConstant()) / height;
}

}  // namespace kelvora
