#include "viewer_model/menu_description.h"

#include "scenes/scene_catalogue.h"

#include <cmath>

namespace kelvora {

namespace {

int rounded(double v) { return static_cast<int>(std::lround(v)); }

int positionOf(int scene)
{
    for (std::size_t i = 0; i < kMenuReadingOrder.size(); ++i)
        if (kMenuReadingOrder[i] == scene)
            return static_cast<int>(i);
    return -1;
}

}  // namespace

MenuDescription DescribeMenu()
{
    MenuDescription m;
    m.windowCaption = "メニュー";
    m.background = 0xC0C0C0;
    m.outerWidth = rounded(kMenuWidthTwips / kTwipsPerPixel);
    m.outerHeight = rounded(kMenuHeightTwips / kTwipsPerPixel);
    const MenuLayout layout = ComputeMenuLayout();

    ControlDescription heading =
        DescribeControl("menu-heading", "Label1", ControlRole::Label, "波動メニュー", layout.heading);
    heading.accessibleName = heading.caption;
    heading.font = {24, 0x0000FF};
    m.controls.push_back(heading);

    for (int scene : kMenuReadingOrder) {
        ControlDescription button = DescribeControl("scene-" + std::to_string(scene),
            "Command1_" + std::to_string(scene), ControlRole::Button, FindScene(scene)->menuCaption,
            layout.sceneButtons[static_cast<std::size_t>(scene)]);
        button.accessibleName = button.caption;
        // What a screen reader adds to the caption: what the button opens.
        const std::string parameter = ParameterName(scene);
        button.accessibleDescription = parameter.empty() ? "この場面を開く" : "この場面を開く。" + parameter + "を変えられる";
        button.value = scene;
        m.controls.push_back(button);
    }

    ControlDescription end = DescribeControl("menu-end", "Cmd_End", ControlRole::Button, "終了", layout.endButton);
    end.accessibleName = end.caption;
    end.accessibleDescription = "Kelvora を終わる";
    end.value = -1;
    m.controls.push_back(end);
    return m;
}

std::vector<PixelRect> LayOutMenu(const MenuDescription& menu, int areaWidth, int areaHeight, double scale)
{
    const double unitX = areaWidth / kMenuScaleWidth;
    const double unitY = areaHeight / kMenuScaleHeight;
    std::vector<PixelRect> places;
    for (const ControlDescription& c : menu.controls) {
        // Buttons keep their design width in twips on every screen.
        const bool widthInTwips = c.role == ControlRole::Button;
        places.push_back({rounded(c.rect.left * unitX), rounded(c.rect.top * unitY),
            widthInTwips ? rounded(c.rect.width * scale / kTwipsPerPixel) : rounded(c.rect.width * unitX),
            rounded(c.rect.height * unitY)});
    }
    return places;
}

int MenuSceneAfterArrow(std::optional<int> focusedScene, MenuArrow arrow, int columns)
{
    const int step = arrow == MenuArrow::Right ? 1
        : arrow == MenuArrow::Left             ? -1
        : arrow == MenuArrow::Down             ? columns
                                               : -columns;
    const int count = static_cast<int>(kMenuReadingOrder.size());
    const int from = focusedScene ? positionOf(*focusedScene) : -1;
    int position = from < 0 ? 0 : from + step;
    position = (position % count + count) % count;
    return kMenuReadingOrder[static_cast<std::size_t>(position)];
}

int MenuColumns(const WindowLayout& layout)
{
    // The first scene button follows the heading; the row is those at its
    // height.
    if (layout.places.size() < 3)
        return 1;
    int columns = 1;
    while (columns + 1 < static_cast<int>(layout.places.size()) - 1
        && layout.places[static_cast<std::size_t>(columns + 1)].top == layout.places[1].top)
        ++columns;
    return columns;
}

}  // namespace kelvora
