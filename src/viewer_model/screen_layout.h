#pragma once

#include "canvas/pixel_rect.h"
#include "viewer_model/control_description.h"

#include <vector>

namespace kelvora {

// What points at the controls: a mouse (or a pen), or a finger, which
// needs targets of kTouchTarget pixels at the least.
enum class Pointer { Fine, Coarse };

inline constexpr int kTouchTarget = 44;

// Whether the window can scroll to controls below its bottom edge (the
// page can; a desktop window cannot, so its flow keeps everything in it
// where any flow can).
enum class Scrolling { Allowed, None };

// The screen the design was made for. On a larger one the windows grow by
// the smaller of the two ratios, text and all; below it they keep the
// design's sizes.
inline constexpr double kDesignScreenWidth = 1280;
inline constexpr double kDesignScreenHeight = 800;

// How much a window grows on a screen (or browser window) of this size:
// the smaller of the width and height ratios to the design's screen, and
// never below 1.
double ScreenScale(int width, int height);

// A window's controls placed on a screen: where each goes (in the order of
// its description; a control not shown gets an empty rect), how much its
// text grows, and the area the window scrolls over when the controls need
// more room than the screen has (never less than the screen).
struct WindowLayout {
    std::vector<PixelRect> places;
    double textScale = 1;
    int contentWidth = 0;
    int contentHeight = 0;
    // The controls left their design places for a flow that fits the
    // screen and the pointer.
    bool reflowed = false;
};

// Whether a control is shown with this pointer: not hidden, and a control
// for fingers only where the pointer is a finger.
bool ShownWith(const ControlDescription& control, Pointer pointer);

// A design length in pixels at a scale, rounded to the nearest.
int ScaledPixels(double pixels, double scale);

// A control's size along one side: as designed, or a touch target's at the
// least where the pointer is a finger.
int TargetSize(int size, Pointer pointer);

}  // namespace kelvora
