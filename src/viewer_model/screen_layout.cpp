#include "viewer_model/screen_layout.h"

#include "canvas/numeric.h"

#include <algorithm>

namespace kelvora {

double ScreenScale(int width, int height)
{
    return std::max(1.0, std::min(width / kDesignScreenWidth, height / kDesignScreenHeight));
}

bool ShownWith(const ControlDescription& control, Pointer pointer)
{
    return !control.hidden && (!control.touchOnly || pointer == Pointer::Coarse);
}

int ScaledPixels(double pixels, double scale) { return ToInt32(pixels * scale); }

int TargetSize(int size, Pointer pointer) { return pointer == Pointer::Coarse ? std::max(size, kTouchTarget) : size; }

}  // namespace kelvora
