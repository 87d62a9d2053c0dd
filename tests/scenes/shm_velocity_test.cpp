#include "scenes/shm_graph_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace kelvora {
namespace {

using namespace test;

constexpr int kScene = 12;
constexpr double kBarbX = 9.99999;  // 20 x Sin(pi/6)
constexpr double kBarbY = 10.046;   // 0.58 x 20 x Cos(pi/6), also the graph barbs' offset

// The light red arrow of the body in simple harmonic motion: its shaft on
// the axis and its arrowhead's two barbs, 4 pixels wide.
struct AxisArrow {
    TraceOp shaft;
    std::vector<TraceOp> barbs;
};

AxisArrow axisArrow(const std::vector<TraceOp>& ops)
{
    AxisArrow arrow;
    for (const TraceOp& l : LinesOf(ops, kLightRedHex, 5))
        if (l.nums[0] == 320 && l.nums[2] == 320)
            arrow.shaft = l;
    arrow.barbs = LinesOf(ops, kLightRedHex, 4);
    return arrow;
}

TEST(ShmVelocity, BarHeightsForTwelveAndTwentyFourFrames)
{
    ExpectBarsOnCurve(kScene, {58, 50, 29, 0, -29, -50, -58, -50, -29, 0, 29, 50});
    ExpectBarsOnCurve(kScene, {58, 56, 50, 41, 29, 15, 0, -15, -29, -41, -50, -56, -58, -56, -50, -41, -29, -15,
                                  0, 15, 29, 41, 50, 56});
}

TEST(ShmVelocity, FrameZeroArrowsPointUp)
{
    const auto ops = TraceFrame(kScene, 0, MakeContext(12));
    // The circling body and its arrow straight up to (280, 178).
    const auto body = OpsOfKind(ops, "circle")[1];
    EXPECT_EQ(body.nums, (std::vector<double>{280, 120, 10}));
    EXPECT_EQ(body.width, 2);
    EXPECT_EQ(body.fill, kLightGreenHex);
    const auto arrow = LinesOf(ops, kLightGreenHex, 2);
    ASSERT_EQ(arrow.size(), 3u);
    EXPECT_EQ(arrow[0].nums[0], 280);
    EXPECT_EQ(arrow[0].nums[1], 120);
    EXPECT_FLOAT_EQ(arrow[0].nums[2], 280);
    EXPECT_FLOAT_EQ(arrow[0].nums[3], 178);
    for (const TraceOp& barb : {arrow[1], arrow[2]}) {
        EXPECT_NEAR(std::abs(barb.nums[2] - 280), kBarbX, 1e-4);
        EXPECT_NEAR(barb.nums[3], 178 - kBarbY, 1e-3);
    }
    EXPECT_NEAR(arrow[1].nums[2] + arrow[2].nums[2], 560, 1e-4);

    // The vertical arrow up to the same height, with an upward arrowhead.
    const AxisArrow axis = axisArrow(ops);
    EXPECT_EQ(axis.shaft.nums[1], 120);
    EXPECT_FLOAT_EQ(axis.shaft.nums[3], 178);
    ASSERT_EQ(axis.barbs.size(), 2u);
    EXPECT_NEAR(axis.barbs[0].nums[2], 320 + kBarbX, 1e-4);
    EXPECT_NEAR(axis.barbs[1].nums[2], 320 - kBarbX, 1e-4);
    for (const TraceOp& barb : axis.barbs) {
        EXPECT_FLOAT_EQ(barb.nums[1], 178);
        EXPECT_NEAR(barb.nums[3], 178 - kBarbY, 1e-3);
    }

    // The one graph bar, 58 high, wide, with an upward arrowhead whose
    // barbs take the same offset both ways.
    const auto bars = GraphBars(ops);
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_EQ(bars[0].nums, (std::vector<double>{365, 120, 365, 178}));
    EXPECT_EQ(bars[0].width, 5);
    const auto barbs = GraphBarbs(ops);
    ASSERT_EQ(barbs.size(), 2u);
    EXPECT_NEAR(barbs[0].nums[2], 365 + kBarbY, 1e-3);
    EXPECT_NEAR(barbs[1].nums[2], 365 - kBarbY, 1e-3);
    for (const TraceOp& barb : barbs) {
        EXPECT_EQ(barb.width, 5);
        EXPECT_NEAR(barb.nums[3], 178 - kBarbY, 1e-3);
    }

    const auto texts = OpsOfKind(ops, "print");
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, "等速円運動");
    EXPECT_EQ(texts[1].text, "単振動");
    EXPECT_EQ(texts[2].text, "v-tグラフ");
    EXPECT_EQ(texts[2].nums, (std::vector<double>{450, 20, 14}));
}

TEST(ShmVelocity, QuarterPeriodHasNoArrowheads)
{
    for (auto [frames, frame] : {std::pair{12, 3}, std::pair{24, 6}}) {
        const auto ops = TraceFrame(kScene, frame, MakeContext(frames));
        // The body at the top; its arrow points left.
        const auto arrow = LinesOf(ops, kLightGreenHex, 2);
        ASSERT_EQ(arrow.size(), 3u);
        EXPECT_EQ(arrow[0].nums[0], 160);
        EXPECT_EQ(arrow[0].nums[1], 190);
        EXPECT_NEAR(arrow[0].nums[2], 60, 1e-3);
        EXPECT_NEAR(arrow[0].nums[3], 190, 1e-3);
        // Nothing moves on the axis: a zero-length shaft without a head.
        const AxisArrow axis = axisArrow(ops);
        EXPECT_NEAR(axis.shaft.nums[3], axis.shaft.nums[1], 1e-3);
        EXPECT_TRUE(axis.barbs.empty());
        // The current bar has zero length and no barbs.
        const auto bars = GraphBars(ops);
        ASSERT_EQ(static_cast<int>(bars.size()), frame + 1);
        EXPECT_EQ(bars.back().nums, (std::vector<double>{425, 120, 425, 120}));
        EXPECT_EQ(bars.back().width, 5);
        EXPECT_TRUE(LinesOf(GraphBarbs(ops), kLightRedHex, 5).empty());
    }
}

TEST(ShmVelocity, HalfPeriodArrowsPointDown)
{
    const auto ops = TraceFrame(kScene, 6, MakeContext(12));
    const AxisArrow axis = axisArrow(ops);
    EXPECT_EQ(axis.shaft.nums[1], 120);
    EXPECT_FLOAT_EQ(axis.shaft.nums[3], 62);
    ASSERT_EQ(axis.barbs.size(), 2u);
    for (const TraceOp& barb : axis.barbs)
        EXPECT_NEAR(barb.nums[3], 62 + kBarbY, 1e-3);

    const auto bars = GraphBars(ops);
    ASSERT_EQ(bars.size(), 7u);
    EXPECT_EQ(bars.back().nums, (std::vector<double>{485, 120, 485, 62}));
    const auto wideBarbs = LinesOf(GraphBarbs(ops), kLightRedHex, 5);
    ASSERT_EQ(wideBarbs.size(), 2u);
    for (const TraceOp& barb : wideBarbs) {
        EXPECT_EQ(barb.nums[0], 485);
        EXPECT_EQ(barb.nums[1], 62);
        EXPECT_NEAR(barb.nums[3], 62 + kBarbY, 1e-3);
        EXPECT_NEAR(std::abs(barb.nums[2] - 485), kBarbY, 1e-3);
    }
}

TEST(ShmVelocity, EarlierBarsKeepNarrowArrowheads)
{
    // Frame 11 of 12: bars 0..11, of which 3 and 9 have no height and no
    // barbs; the others carry two barbs each, 1 pixel wide but the last.
    const auto ops = TraceFrame(kScene, 11, MakeContext(12));
    const auto barbs = GraphBarbs(ops);
    ASSERT_EQ(barbs.size(), 20u);
    EXPECT_EQ(LinesOf(barbs, kLightRedHex, 1).size(), 18u);
    EXPECT_EQ(LinesOf(barbs, kLightRedHex, 5).size(), 2u);
    // Each barb leaves the top of a bar, pointing away from the time axis.
    for (const TraceOp& barb : barbs) {
        const double top = barb.nums[1] - 120;
        EXPECT_NE(top, 0);
        EXPECT_LT(std::abs(barb.nums[3] - 120), std::abs(top)) << "barb at x " << barb.nums[0];
    }
}

TEST(ShmVelocity, ArrowIsTangentInTheDirectionOfMotion)
{
    // Measured in round units (vertical offsets divided by k), the arrow is
    // 100 long, at right angles to the radius and counter-clockwise; its
    // barbs are 20 long at 30 degrees to the reversed arrow.
    for (auto [width, height] : {std::pair{1280, 800}, std::pair{1024, 768}}) {
        const double k = 0.3625 * width / height;
        for (int frame = 0; frame < 24; ++frame) {
            const auto ops = TraceFrame(kScene, frame, MakeContext(24, width, height));
            const auto arrow = LinesOf(ops, kLightGreenHex, 2);
            ASSERT_EQ(arrow.size(), 3u);
            const auto& shaft = arrow[0].nums;
            const RoundVector radius = Round(shaft[0] - 160, shaft[1] - 120, k);
            const RoundVector along = Round(shaft[2] - shaft[0], shaft[3] - shaft[1], k);
            EXPECT_NEAR(Length(along), 100, 1e-3) << "frame " << frame;
            EXPECT_NEAR(CosBetween(radius, along), 0, 0.015) << "frame " << frame;
            EXPECT_GT(Cross(radius, along), 0) << "frame " << frame;
            const RoundVector back{-along.x, -along.y};
            for (const TraceOp& barb : {arrow[1], arrow[2]}) {
                EXPECT_FLOAT_EQ(barb.nums[0], shaft[2]);
                EXPECT_FLOAT_EQ(barb.nums[1], shaft[3]);
                const RoundVector b = Round(barb.nums[2] - barb.nums[0], barb.nums[3] - barb.nums[1], k);
                EXPECT_NEAR(Length(b), 20, 1e-3) << "frame " << frame;
                EXPECT_NEAR(CosBetween(b, back), std::cos(std::numbers::pi / 6), 1e-5) << "frame " << frame;
            }
            // The two barbs lie on either side of the arrow.
            const RoundVector b1 = Round(arrow[1].nums[2] - shaft[2], arrow[1].nums[3] - shaft[3], k);
            const RoundVector b2 = Round(arrow[2].nums[2] - shaft[2], arrow[2].nums[3] - shaft[3], k);
            EXPECT_LT(Cross(back, b1) * Cross(back, b2), 0) << "frame " << frame;

            // The vertical arrow ends at the height of the tip, and the black
            // projection line from the tip to the axis is level.
            const AxisArrow axis = axisArrow(ops);
            EXPECT_EQ(axis.shaft.nums[3], shaft[3]);
            const auto projections = LinesOf(ops, kBlackHex, 1);
            const bool levelFromTip = std::any_of(projections.begin(), projections.end(), [&](const TraceOp& l) {
                return l.nums == std::vector<double>{shaft[2], shaft[3], 320, shaft[3]};
            });
            EXPECT_TRUE(levelFromTip) << "frame " << frame;
        }
    }
}

}  // namespace
}  // namespace kelvora
