// The menu on any screen: the design where it fits a mouse, else rows of
// buttons as wide as the screen allows.

#include "viewer_model/menu_description.h"

#include <algorithm>

namespace kelvora {

namespace {

constexpr double kMargin = 8;
constexpr double kFineGap = 4;
constexpr double kTouchGap = 8;
// Below this a button's caption no longer fits: one column.
constexpr double kNarrowestButton = 120;

}  // namespace

WindowLayout LayOutMenuOnScreen(const MenuDescription& menu, int screenWidth, int screenHeight, Pointer pointer)
{
    const double scale = ScreenScale(screenWidth, screenHeight);
    WindowLayout layout;
    layout.textScale = scale;
    const int outerWidth = ScaledPixels(menu.outerWidth, scale);
    const int outerHeight = ScaledPixels(menu.outerHeight, scale);
    if (pointer == Pointer::Fine && outerWidth <= screenWidth && outerHeight <= screenHeight) {
        layout.places = LayOutMenu(menu, outerWidth, outerHeight, scale);
        layout.contentWidth = outerWidth;
        layout.contentHeight = outerHeight;
        return layout;
    }

    // The design's sizes at the scale, the buttons as touch targets.
    const std::vector<PixelRect> designed = LayOutMenu(menu, outerWidth, outerHeight, scale);
    const int margin = ScaledPixels(kMargin, scale);
    const int gap = ScaledPixels(pointer == Pointer::Coarse ? kTouchGap : kFineGap, scale);
    const PixelRect& heading = designed.front();
    int buttonWidth = 0;
    int buttonHeight = 0;
    for (std::size_t i = 1; i < designed.size(); ++i) {
        buttonWidth = std::max(buttonWidth, designed[i].width);
        buttonHeight = std::max(buttonHeight, TargetSize(designed[i].height, pointer));
    }
    const int scenes = static_cast<int>(menu.controls.size()) - 2;  // less the heading and 終了
    const auto widthOf = [&](int columns) { return columns * buttonWidth + (columns - 1) * gap + 2 * margin; };
    const auto heightOf = [&](int columns) {
        const int rows = (scenes + columns - 1) / columns + 1;  // 終了 on a row of its own
        return margin + heading.height + gap + rows * buttonHeight + (rows - 1) * gap + margin;
    };
    // Two columns, or where they are too tall the fewest more that fit
    // (three, then four): a window that cannot scroll needs them all.
    int columns = 2;
    if (heightOf(2) > screenHeight) {
        for (const int more : {3, 4}) {
            if (widthOf(more) > screenWidth)
                break;
            columns = more;
            if (heightOf(more) <= screenHeight)
                break;
        }
    }
    if (columns == 2 && (screenWidth - 2 * margin - gap) / 2 < ScaledPixels(kNarrowestButton, scale))
        columns = 1;
    // Buttons narrower than designed where the screen is.
    const int width = std::min(buttonWidth, (screenWidth - 2 * margin - (columns - 1) * gap) / columns);
    const int gridWidth = columns * width + (columns - 1) * gap;
    layout.contentWidth = std::max(gridWidth, std::min(heading.width, screenWidth - 2 * margin)) + 2 * margin;
    const int gridLeft = (layout.contentWidth - gridWidth) / 2;

    layout.places.push_back({(layout.contentWidth - heading.width) / 2, margin, heading.width, heading.height});
    const int top = margin + heading.height + gap;
    int y = top;
    for (int i = 0; i < scenes; ++i) {
        y = top + i / columns * (buttonHeight + gap);
        layout.places.push_back({gridLeft + i % columns * (width + gap), y, width, buttonHeight});
    }
    y += buttonHeight + gap;
    layout.places.push_back({(layout.contentWidth - width) / 2, y, width, buttonHeight});
    layout.contentHeight = y + buttonHeight + margin;
    layout.reflowed = true;
    return layout;
}

}  // namespace kelvora
