// Both windows on every kind of screen: the design pixel for pixel where it
// fits, grown on larger screens, reflowed on small ones and for fingers.

#include "viewer_model/menu_description.h"
#include "viewer_model/viewer_description.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>

namespace kelvora {
namespace {

struct Screen {
    int width;
    int height;
    Pointer pointer;
};

// Laptops zoomed to 150 % and 200 % (and at 200 % less a window manager's
// frame), a tablet both ways, a phone both ways, a 4K panel, each with a
// mouse and with a finger.
const Screen kScreens[] = {{910, 438, Pointer::Fine}, {683, 384, Pointer::Fine}, {681, 357, Pointer::Fine},
    {1024, 768, Pointer::Coarse},
    {768, 1024, Pointer::Coarse}, {390, 844, Pointer::Coarse}, {844, 390, Pointer::Coarse},
    {3840, 2160, Pointer::Fine}, {3840, 2160, Pointer::Coarse}, {1366, 768, Pointer::Coarse},
    {1280, 800, Pointer::Fine}};

// Every control shown lies across the window's width, clear of every other
// control and of the picture, and takes a finger where it is the pointer.
void expectUsable(std::span<const ControlDescription> controls, const WindowLayout& layout, const Screen& s)
{
    const std::string where = std::to_string(s.width) + "x" + std::to_string(s.height)
        + (s.pointer == Pointer::Coarse ? " touch " : " mouse ");
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const PixelRect& r = layout.places[i];
        const ControlDescription& c = controls[i];
        if (!ShownWith(c, s.pointer) || c.role == ControlRole::Label)
            continue;
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.left + r.width <= std::max(s.width, layout.contentWidth)
            && r.top + r.height <= layout.contentHeight)
            << where << c.name;
        if (s.pointer == Pointer::Coarse && c.role != ControlRole::Picture) {
            EXPECT_TRUE(r.width >= kTouchTarget && r.height >= kTouchTarget) << where << c.name;
        }
        for (std::size_t j = i + 1; j < controls.size(); ++j)
            // The design's stacked buttons share an edge pixel; a flow keeps
            // every control clear of the others.
            if (layout.reflowed && ShownWith(controls[j], s.pointer) && controls[j].role != ControlRole::Label) {
                EXPECT_FALSE(r.overlaps(layout.places[j])) << where << c.name << " " << controls[j].name;
            }
    }
}

TEST(ScreenLayout, EveryControlUsableOnEveryScreen)
{
    for (const Screen& s : kScreens) {
        for (int scene : {0, 10}) {
            const ViewerDescription viewer = DescribeViewer(scene, WorksheetMedium::Print);
            const WindowLayout layout = LayOutViewer(viewer, s.width, s.height, s.pointer);
            expectUsable(viewer.controls, layout, s);
            // The picture keeps its proportions wherever the controls flow,
            // and the page scrolls only down.
            const PixelRect picture = layout.places[viewer.indexOf("picture")];
            if (layout.reflowed) {
                EXPECT_NEAR(picture.width / static_cast<double>(picture.height), 1.5, 0.02) << s.width;
            }
            EXPECT_EQ(layout.contentWidth, s.width);
            EXPECT_GE(picture.width, s.width / 3) << s.width << "x" << s.height;
        }
        const MenuDescription menu = DescribeMenu();
        const WindowLayout layout = LayOutMenuOnScreen(menu, s.width, s.height, s.pointer);
        expectUsable(menu.controls, layout, s);
        EXPECT_LE(layout.contentWidth, s.width);
        // Down goes to the button straight under the first, however many
        // columns the flow made.
        const int below = MenuSceneAfterArrow(menu.controls[1].value, MenuArrow::Down, MenuColumns(layout));
        for (std::size_t j = 2; j + 1 < menu.controls.size(); ++j) {
            if (menu.controls[j].value == below) {
                EXPECT_EQ(layout.places[j].left, layout.places[1].left) << s.width << "x" << s.height;
                EXPECT_GT(layout.places[j].top, layout.places[1].top) << s.width << "x" << s.height;
            }
        }
        // The desktop's menu cannot scroll: with a mouse it all fits.
        if (s.pointer == Pointer::Fine) {
            EXPECT_LE(layout.contentHeight, s.height) << s.width << "x" << s.height;
        }
    }
}

TEST(ScreenLayout, DesignAtTheDesignScreenGrownOnLargerOnes)
{
    const ViewerDescription viewer = DescribeViewer(10, WorksheetMedium::PdfFile);
    const WindowLayout design = LayOutViewer(viewer, 1366, 768, Pointer::Fine);
    EXPECT_FALSE(design.reflowed);
    EXPECT_EQ(design.places, LayOutViewerAsDesigned(viewer, 1366, 768, 1));
    EXPECT_EQ(design.textScale, 1);
    // On a 4K panel the text is more than twice its size on a laptop's
    // screen, and so is the column of controls.
    const WindowLayout large = LayOutViewer(viewer, 3840, 2160, Pointer::Fine);
    EXPECT_FALSE(large.reflowed);
    EXPECT_GE(large.textScale, 2 * design.textScale);
    const std::size_t save = viewer.indexOf("save");
    EXPECT_GE(large.places[save].width, 2 * design.places[save].width);
    // A window that cannot scroll keeps everything in it where a flow can.
    EXPECT_EQ(LayOutViewer(viewer, 683, 384, Pointer::Fine, Scrolling::None).contentHeight, 384);
    EXPECT_GT(LayOutViewer(viewer, 683, 384, Pointer::Fine).contentHeight, 384);
    // Only a mouse gets the design: a finger gets the flow.
    EXPECT_TRUE(LayOutViewer(viewer, 1366, 768, Pointer::Coarse).reflowed);

    const MenuDescription menu = DescribeMenu();
    const WindowLayout menuDesign = LayOutMenuOnScreen(menu, 1366, 768, Pointer::Fine);
    EXPECT_EQ(menuDesign.places, LayOutMenu(menu, menu.outerWidth, menu.outerHeight));
    EXPECT_GE(LayOutMenuOnScreen(menu, 3840, 2160, Pointer::Fine).places[1].width, 2 * menuDesign.places[1].width);
}

}  // namespace
}  // namespace kelvora
