#include "viewer_model/menu_layout.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kelvora {
namespace {

double twoDecimals(double v) { return std::round(v * 100) / 100; }

TEST(MenuLayout, MatchesTheLayoutTable)
{
    const MenuLayout layout = ComputeMenuLayout();
    const double rowTops[] = {872.95, 1571.31, 2269.67, 2968.03, 3666.39, 4364.75, 5063.11, 5761.48};
    const int left[8] = {0, 13, 2, 4, 6, 10, 8, 15};
    const int right[8] = {12, 1, 3, 5, 7, 11, 9, 14};
    for (int row = 0; row < 8; ++row) {
        const UserRect& l = layout.sceneButtons[static_cast<std::size_t>(left[row])];
        const UserRect& r = layout.sceneButtons[static_cast<std::size_t>(right[row])];
        EXPECT_EQ(twoDecimals(l.top), rowTops[row]) << "row " << row + 1;
        EXPECT_EQ(twoDecimals(r.top), rowTops[row]) << "row " << row + 1;
        EXPECT_EQ(twoDecimals(l.left), 1001.74);
        EXPECT_EQ(twoDecimals(r.left), 4800.00);
        EXPECT_EQ(twoDecimals(l.height), 534.25);
        EXPECT_EQ(twoDecimals(r.height), 534.25);
    }
    EXPECT_EQ(twoDecimals(layout.endButton.top), 6459.84);
    EXPECT_EQ(twoDecimals(layout.endButton.left), 2900.87);
    EXPECT_EQ(twoDecimals(layout.endButton.height), 534.25);
    EXPECT_EQ(twoDecimals(layout.heading.left), 2880.00);
    EXPECT_EQ(twoDecimals(layout.heading.top), 104.75);
    EXPECT_EQ(twoDecimals(layout.heading.width), 2892.52);
    EXPECT_EQ(twoDecimals(layout.heading.height), 534.25);
}

TEST(MenuLayout, ButtonsKeepTheirDesignWidth)
{
    const MenuLayout layout = ComputeMenuLayout();
    EXPECT_EQ(layout.sceneButtons[12].width, 2655);
    EXPECT_EQ(layout.sceneButtons[0].width, 2652);
    EXPECT_EQ(layout.endButton.width, 2652);
}

TEST(MenuLayout, ReadingOrderCoversEverySceneOnce)
{
    std::array<int, 16> seen{};
    for (int index : kMenuReadingOrder)
        ++seen[static_cast<std::size_t>(index)];
    for (int count : seen)
        EXPECT_EQ(count, 1);
    // The last row has scene 15 on the left and 14 on the right.
    EXPECT_EQ(kMenuReadingOrder[14], 15);
    EXPECT_EQ(kMenuReadingOrder[15], 14);
}

}  // namespace
}  // namespace kelvora
