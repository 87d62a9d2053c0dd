// What both front ends build from: the windows' controls and layouts, the
// menu's arrow walk, the wheel and the worksheet's grid.

#include "viewer_model/menu_description.h"
#include "viewer_model/scroll_wheel.h"
#include "viewer_model/viewer_description.h"
#include "viewer_model/worksheet_layout.h"

#include <gtest/gtest.h>

namespace kelvora {
namespace {

TEST(ViewerLayout, PictureBoxOfTheExampleDrawingArea)
{
    const PictureLayout layout = LayoutPicture(1272, 762);
    EXPECT_DOUBLE_EQ(layout.width, 954);
    EXPECT_NEAR(layout.height, 609.6, 1e-9);
    EXPECT_DOUBLE_EQ(layout.left, 224);
    EXPECT_NEAR(layout.top, 76.2, 1e-9);
    EXPECT_NEAR(layout.titleLeft, 509, 1e-9);
    EXPECT_EQ(PictureRect(layout), (PixelRect{224, 76, 954, 610}));
    // Twips to whole pixels, halves to even: 32.8 rounds up, 7.5 down.
    EXPECT_EQ(TwipsToPixels(DesignRect{480, 3240, 112.5, 492}), (PixelRect{32, 216, 8, 33}));
}

bool centreWithin(const DesignRect& a, const DesignRect& b)
{
    const double middle = a.top + a.height / 2;
    return b.top <= middle && middle < b.top + b.height;
}

bool sameRow(const DesignRect& a, const DesignRect& b) { return centreWithin(a, b) || centreWithin(b, a); }

// Reading order: along a row from left to right, then down; the picture
// last. The Tab key and the page's document follow it.
TEST(ViewerDescription, ControlsStandInReadingOrder)
{
    for (int scene : {0, 10, 14}) {
        const ViewerDescription viewer = DescribeViewer(scene, WorksheetMedium::PdfFile);
        const auto& c = viewer.controls;
        EXPECT_EQ(c.back().role, ControlRole::Picture);
        for (std::size_t i = 1; i + 1 < c.size(); ++i) {
            const DesignRect& a = c[i - 1].rect;
            const DesignRect& b = c[i].rect;
            EXPECT_TRUE(sameRow(a, b) ? b.left > a.left : b.top > a.top) << c[i - 1].name << " " << c[i].name;
        }
    }
}

TEST(MenuDescription, ArrowsWalkTheButtonsRowByRowAndRound)
{
    const MenuDescription menu = DescribeMenu();
    EXPECT_EQ(menu.controls[1].value, MenuSceneAfterArrow(std::nullopt, MenuArrow::Down));
    for (std::size_t i = 1; i + 1 < menu.controls.size() - 1; ++i) {
        const int scene = menu.controls[i].value;
        EXPECT_EQ(MenuSceneAfterArrow(scene, MenuArrow::Right), menu.controls[i + 1].value);
        EXPECT_EQ(MenuSceneAfterArrow(MenuSceneAfterArrow(scene, MenuArrow::Down), MenuArrow::Up), scene);
    }
    // From the last scene button round to the first, and a row down from
    // the left of the first row is the left of the second.
    EXPECT_EQ(MenuSceneAfterArrow(menu.controls[16].value, MenuArrow::Right), menu.controls[1].value);
    const std::vector<PixelRect> places = LayOutMenu(menu, menu.outerWidth, menu.outerHeight);
    const int below = MenuSceneAfterArrow(menu.controls[1].value, MenuArrow::Down);
    std::size_t i = 0;
    while (menu.controls[i].value != below)
        ++i;
    EXPECT_EQ(places[i].left, places[1].left);
    EXPECT_GT(places[i].top, places[1].top);
}

TEST(ScrollWheel, TurnsAddUpToNotchesOfThreeSmallChangesAtMostALargeOne)
{
    ScrollWheel wheel;
    EXPECT_EQ(wheel.turn(60, 10, 50), 0);
    EXPECT_EQ(wheel.turn(60, 10, 50), 30);  // two half notches make one
    EXPECT_EQ(wheel.turn(-240, 10, 50), -60);
    EXPECT_EQ(wheel.turn(120, 1, 1), 1);  // at most a large change
    EXPECT_EQ(wheel.turn(120, 10, 50, 1), 10);
}

TEST(Worksheet, GridFillsTheLandscapePage)
{
    // Viewer-shaped frames on an A4 landscape page at 300 dpi, less the
    // margins and the title, with 10-point labels.
    const double label = WorksheetLabelHeightMm() / 25.4 * 300;
    EXPECT_EQ(WorksheetColumns(12, 950, 606, 3272, 2100, label, 49), 4);
    EXPECT_EQ(WorksheetColumns(24, 950, 606, 3272, 2100, label, 49), 6);
    EXPECT_EQ(WorksheetColumns(1, 950, 606, 3272, 2100, label, 49), 1);
    EXPECT_GT(WorksheetColumns(12, 300, 600, 3272, 2100, label, 49), 4);  // tall frames go in more columns
}

TEST(Worksheet, PageBandsFollowOneAnotherAndHoldTheFrames)
{
    for (const double graphAspect : {0.0, 0.2}) {
        for (const int frames : {12, 24}) {
            const WorksheetPageLayout page = LayOutWorksheetPage(277, 190, frames, 954, 610, graphAspect);
            EXPECT_EQ(page.title.top, 0);
            EXPECT_EQ(page.fields.top, page.title.bottom());
            EXPECT_GT(page.grid.top, page.fields.bottom());
            const double below = graphAspect > 0 ? page.graph.top : page.key.top;
            EXPECT_LT(page.grid.bottom(), below);
            EXPECT_NEAR(page.graph.height, 277 * graphAspect, 1e-9);
            EXPECT_NEAR(page.key.bottom(), 190, 1e-9);
            // The rows of frames and labels lie inside the grid's band.
            const int rows = (frames + page.columns - 1) / page.columns;
            EXPECT_GE(page.framesTop, page.grid.top - 1e-9);
            EXPECT_LE(page.framesTop + rows * page.rowPitch - page.gap, page.grid.bottom() + 1e-9);
            EXPECT_LE(page.columns * page.shownWidth + (page.columns - 1) * page.gap, 277 + 1e-9);
            EXPECT_NEAR(page.shownWidth / page.shownHeight, 954.0 / 610, 1e-9);
        }
    }
}

}  // namespace
}  // namespace kelvora
