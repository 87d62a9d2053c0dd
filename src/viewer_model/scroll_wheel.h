#pragma once

namespace kelvora {

// A mouse wheel turned over a scroll bar moves its thumb the way the arrows
// do: a turn down (or to the right) raises the value, as the right arrow
// does. Turns are counted in eighths of a degree, 120 to a notch; turns of
// less than a notch (a touchpad's, a free-spinning wheel's) add up until
// they make one, so a slow turn moves the thumb as far as a fast one.
class ScrollWheel {
public:
    // Adds a turn (positive towards larger values) and returns how far the
    // thumb moves: linesPerNotch small changes a notch, at most a large
    // change, at least 1.
    int turn(int eighthsOfADegree, int smallChange, int largeChange, int linesPerNotch = 3);

private:
    int rest_ = 0;
};

inline constexpr int kWheelTurnPerNotch = 120;

}  // namespace kelvora
