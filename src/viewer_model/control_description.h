#pragma once

#include "canvas/pixel_rect.h"

#include <string>

namespace kelvora {

// What kind of control a window shows; each front end has one widget or
// element for each.
enum class ControlRole { Button, OptionButton, ScrollBar, TextBox, Label, Picture };

// A place in a window's design, in the window's design unit: twips in the
// viewer (15 to a pixel at the design's screen, where the control stands
// on a 1280 x 800 screen), the user scale in the menu.
struct DesignRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// The windows' own text size, in points at the design's screen.
inline constexpr double kWindowFontPoints = 9;

// A text's font: the Japanese proportional gothic of the design at a size
// in points, in a colour (0xRRGGBB).
struct FontSpec {
    double points = kWindowFontPoints;
    unsigned colour = 0x000000;
};

// The range of a scroll bar as designed.
struct ScrollRange {
    int min = 0;
    int max = 0;
    int smallChange = 1;
    int largeChange = 1;
    int value = 0;
};

// One control of a window as both front ends build it. name says what it
// is (the page's element id); designName is the name the design and the
// desktop's GUI tests know it by (its objectName). A label takes no focus
// and stacks under the controls, so a label reaching over a control never
// takes its clicks.
struct ControlDescription {
    std::string name;
    std::string designName;
    ControlRole role = ControlRole::Label;
    std::string caption;
    DesignRect rect;
    FontSpec font;
    std::string tooltip;
    std::string accessibleName;  // for a label that shows a status: its name while empty
    std::string accessibleDescription;
    ScrollRange range;  // scroll bars only
    // An option button: the value it stands for; a scene button: its scene.
    int value = 0;
    bool hidden = false;
    // Shown only where a finger is the pointer (see ShownWith): a mouse has
    // the scroll bar's own arrows for the same step.
    bool touchOnly = false;

    bool takesFocus() const { return role != ControlRole::Label; }
};

// A control of the given kind with its names, caption and place; the rest
// as for any control.
ControlDescription DescribeControl(
    std::string name, std::string designName, ControlRole role, std::string caption, DesignRect rect);

// A twips length in whole pixels, rounded to the nearest (halves to even).
int TwipsToPixels(double twips);
PixelRect TwipsToPixels(const DesignRect& rect);

}  // namespace kelvora
