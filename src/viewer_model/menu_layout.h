#pragma once

#include "viewer_model/control_description.h"

#include <array>

namespace kelvora {

// A rectangle in the menu's user scale (0, 0)-(8280, 7320).
using UserRect = DesignRect;

// Where Form_Load puts the menu's controls, in user units. Buttons keep
// their design width in twips on the screen, so their width here is the
// design width in twips, to be converted with the drawing area's real size.
struct MenuLayout {
    std::array<UserRect, 16> sceneButtons;  // Command1(0..15)
    UserRect endButton;                     // Cmd_End
    UserRect heading;                       // Label1
};

// The window's outer size in twips, as Form_Load sets it.
inline constexpr double kMenuWidthTwips = 8640;
inline constexpr double kMenuHeightTwips = 6390;
// The user scale of the drawing area.
inline constexpr double kMenuScaleWidth = 8280;
inline constexpr double kMenuScaleHeight = 7320;

// The layout arithmetic of Form_Load for a window of outer size W x H twips.
MenuLayout ComputeMenuLayout(double W = kMenuWidthTwips, double H = kMenuHeightTwips);

// Design width of button Command1(index) in twips.
double SceneButtonDesignWidthTwips(int index);
inline constexpr double kEndButtonDesignWidthTwips = 2652;

// The order in which keyboard navigation and the layout table list the
// scene buttons: row by row, left column first.
inline constexpr std::array<int, 16> kMenuReadingOrder = {0, 12, 13, 1, 2, 3, 4, 5, 6, 7, 10, 11, 8, 9, 15, 14};

}  // namespace kelvora
