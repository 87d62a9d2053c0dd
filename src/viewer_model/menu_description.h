#pragma once

#include "viewer_model/control_description.h"
#include "viewer_model/menu_layout.h"
#include "viewer_model/screen_layout.h"

#include <optional>
#include <string>
#include <vector>

namespace kelvora {

// The menu window as both front ends build it: the heading, the sixteen
// scene buttons and 終了, in reading order (row by row, left column first,
// then 終了 under them): the order of the page's document, of the Tab key
// and of a screen reader. Each control's rect is in the menu's user scale
// (MenuLayout); a button's width is its design width in twips.
struct MenuDescription {
    std::string windowCaption;
    unsigned background = 0;  // 0xRRGGBB
    // The whole window, frame included, in pixels.
    int outerWidth = 0;
    int outerHeight = 0;
    std::vector<ControlDescription> controls;
};

MenuDescription DescribeMenu();

// Where the controls go in a drawing area of the given size in pixels, in
// the order of MenuDescription::controls: user units scaled onto the area,
// buttons at their design width grown by scale.
std::vector<PixelRect> LayOutMenu(const MenuDescription& menu, int areaWidth, int areaHeight, double scale = 1);

// The menu on a screen of the given size: its own box (contentWidth x
// contentHeight, centred on the screen by the front end, scrolled where it
// is larger) and its controls in it. Where it fits and a mouse is the
// pointer, the design grown by ScreenScale; else the heading over the
// buttons in rows of two (of four where two rows are too tall, of one where
// two are too wide), each a touch target where the pointer is a finger.
WindowLayout LayOutMenuOnScreen(const MenuDescription& menu, int screenWidth, int screenHeight, Pointer pointer);

// The arrow keys walk the scene buttons in reading order: right and left
// one button, down and up a whole row, round from the last to the first.
enum class MenuArrow { Right, Left, Down, Up };

// The scene whose button the arrow focuses, from the scene focused now
// (nullopt when no scene button has the focus: the walk starts at the
// first button), with `columns` scene buttons to a row (MenuColumns).
int MenuSceneAfterArrow(std::optional<int> focusedScene, MenuArrow arrow, int columns = 2);

// The scene buttons in a row of a menu laid out: two in the design, one to
// four in a flow.
int MenuColumns(const WindowLayout& layout);

}  // namespace kelvora
