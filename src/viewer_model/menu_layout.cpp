#include "viewer_model/menu_layout.h"

namespace kelvora {

double SceneButtonDesignWidthTwips(int index) { return index == 12 ? 2655 : 2652; }

MenuLayout ComputeMenuLayout(double W, double H)
{
    MenuLayout layout;
    auto& b = layout.sceneButtons;

    for (int i : {0, 2, 4, 6, 8, 10, 13, 15})
        b[static_cast<std::size_t>(i)].left = W / 8280 * 960;
    for (int i : {1, 3, 5, 7, 9, 11, 12, 14})
        b[static_cast<std::size_t>(i)].left = W / 8280 * 4600;
    layout.endButton.left = (b[0].left + b[1].left) / 2;

    for (auto& button : b)
        button.height = H / 7320 * 612;
    layout.endButton.height = H / 7320 * 612;

    // Each button one row pitch below the one named before it.
    const double pitch = H * 800 / 7320;
    auto column = [&](std::initializer_list<int> order) {
        double top = H / 7320 * 1000;
        for (int i : order) {
            b[static_cast<std::size_t>(i)].top = top;
            top = pitch + top;
        }
    };
    column({0, 13, 2, 4, 6, 10, 8, 15});
    column({12, 1, 3, 5, 7, 11, 9, 14});
    layout.endButton.top = pitch + b[14].top;

    for (std::size_t i = 0; i < b.size(); ++i)
        b[i].width = SceneButtonDesignWidthTwips(static_cast<int>(i));
    layout.endButton.width = kEndButtonDesignWidthTwips;

    layout.heading.height = H * 612 / 7320;
    layout.heading.width = W * 2772 / 8280;
    layout.heading.top = H * 120 / 7320;
    layout.heading.left = W * 2760 / 8280;
    return layout;
}

}  // namespace kelvora
