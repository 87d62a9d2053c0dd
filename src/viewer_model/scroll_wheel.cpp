#include "viewer_model/scroll_wheel.h"

#include <algorithm>

namespace kelvora {

int ScrollWheel::turn(int eighthsOfADegree, int smallChange, int largeChange, int linesPerNotch)
{
    rest_ += eighthsOfADegree;
    const int notches = rest_ / kWheelTurnPerNotch;
    rest_ %= kWheelTurnPerNotch;
    return notches * std::max(std::min(linesPerNotch * smallChange, largeChange), 1);
}

}  // namespace kelvora
