#include "scenes/shm_graph_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace kelvora {
namespace {

using namespace test;

constexpr int kScene = 13;
constexpr double kBarbY = 10.046;  // 0.58 x 20 x Cos(pi/6), also the graph barbs' offset

TraceOp axisShaft(const std::vector<TraceOp>& ops)
{
    for (const TraceOp& l : LinesOf(ops, kLightRedHex, 5))
        if (l.nums[0] == 320 && l.nums[2] == 320)
            return l;
    ADD_FAILURE() << "no shaft on the axis";
    return {};
}

std::vector<TraceOp> axisArrowhead(const std::vector<TraceOp>& ops) { return LinesOf(ops, kLightRedHex, 4); }

TEST(ShmAcceleration, BarHeightsForTwelveAndTwentyFourFrames)
{
    ExpectBarsOnCurve(kScene, {0, -26, -45, -52, -45, -26, 0, 26, 45, 52, 45, 26});
    ExpectBarsOnCurve(kScene, {0, -14, -26, -37, -45, -50, -52, -50, -45, -37, -26, -14, 0, 14, 26, 37, 45, 50,
                                  52, 50, 45, 37, 26, 14});
}

TEST(ShmAcceleration, FrameZeroHasNothingOnTheAxis)
{
    const auto ops = TraceFrame(kScene, 0, MakeContext(12));
    // The arrow runs left from the body towards the centre.
    const auto arrow = LinesOf(ops, kLightGreenHex, 2);
    ASSERT_EQ(arrow.size(), 3u);
    EXPECT_EQ(arrow[0].nums, (std::vector<double>{280, 120, 190, 120}));
    // No acceleration on the axis: a zero-length shaft and no arrowhead.
    EXPECT_EQ(axisShaft(ops).nums, (std::vector<double>{320, 120, 320, 120}));
    EXPECT_TRUE(axisArrowhead(ops).empty());
    // The one graph bar has zero length and no barbs.
    const auto bars = GraphBars(ops);
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_EQ(bars[0].nums, (std::vector<double>{365, 120, 365, 120}));
    EXPECT_TRUE(GraphBarbs(ops).empty());

    const auto texts = OpsOfKind(ops, "print");
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[2].text, "a-tグラフ");
}

TEST(ShmAcceleration, QuarterPeriodPointsDown)
{
    const auto ops = TraceFrame(kScene, 3, MakeContext(12));
    const auto body = OpsOfKind(ops, "circle")[1];
    EXPECT_EQ(body.nums, (std::vector<double>{160, 190, 10}));
    const auto arrow = LinesOf(ops, kLightGreenHex, 2);
    ASSERT_EQ(arrow.size(), 3u);
    EXPECT_NEAR(arrow[0].nums[2], 160, 1e-3);
    EXPECT_NEAR(arrow[0].nums[3], 137.8, 1e-3);

    const TraceOp shaft = axisShaft(ops);
    EXPECT_EQ(shaft.nums[1], 190);
    EXPECT_NEAR(shaft.nums[3], 137.8, 1e-3);
    const auto head = axisArrowhead(ops);
    ASSERT_EQ(head.size(), 2u);
    for (const TraceOp& barb : head)
        EXPECT_NEAR(barb.nums[3], 137.8 + kBarbY, 1e-3);

    const auto bars = GraphBars(ops);
    ASSERT_EQ(bars.size(), 4u);
    EXPECT_EQ(bars.back().nums, (std::vector<double>{425, 120, 425, 68}));
    const auto wideBarbs = LinesOf(GraphBarbs(ops), kLightRedHex, 5);
    ASSERT_EQ(wideBarbs.size(), 2u);
    for (const TraceOp& barb : wideBarbs) {
        EXPECT_NEAR(barb.nums[3], 68 + kBarbY, 1e-3);
        EXPECT_NEAR(std::abs(barb.nums[2] - 425), kBarbY, 1e-3);
    }
}

TEST(ShmAcceleration, ThreeQuarterPeriodPointsUp)
{
    const auto ops = TraceFrame(kScene, 9, MakeContext(12));
    const TraceOp shaft = axisShaft(ops);
    EXPECT_EQ(shaft.nums[1], 50);
    EXPECT_NEAR(shaft.nums[3], 102.2, 1e-3);
    const auto head = axisArrowhead(ops);
    ASSERT_EQ(head.size(), 2u);
    for (const TraceOp& barb : head)
        EXPECT_NEAR(barb.nums[3], 102.2 - kBarbY, 1e-3);

    const auto bars = GraphBars(ops);
    ASSERT_EQ(bars.size(), 10u);
    EXPECT_EQ(bars.back().nums, (std::vector<double>{545, 120, 545, 172}));
    for (const TraceOp& barb : LinesOf(GraphBarbs(ops), kLightRedHex, 5))
        EXPECT_NEAR(barb.nums[3], 172 - kBarbY, 1e-3);
}

TEST(ShmAcceleration, ArrowPointsToTheCentreOverTheRadius)
{
    // In round units (vertical offsets divided by k) the arrow is 90 long
    // and runs along the radius to the centre; its barbs are 20 long at 30
    // degrees to the outward radius, one on each side.
    for (auto [width, height] : {std::pair{1280, 800}, std::pair{1366, 768}}) {
        const double k = 0.3625 * width / height;
        for (int frame = 0; frame < 24; ++frame) {
            const auto ops = TraceFrame(kScene, frame, MakeContext(24, width, height));
            const auto arrow = LinesOf(ops, kLightGreenHex, 2);
            ASSERT_EQ(arrow.size(), 3u);
            const auto& shaft = arrow[0].nums;
            const RoundVector toCentre = Round(160 - shaft[0], 120 - shaft[1], k);
            const RoundVector along = Round(shaft[2] - shaft[0], shaft[3] - shaft[1], k);
            EXPECT_NEAR(Length(along), 90, 1e-3) << "frame " << frame;
            EXPECT_NEAR(CosBetween(toCentre, along), 1, 1e-4) << "frame " << frame;
            const RoundVector outward{-along.x, -along.y};
            for (const TraceOp& barb : {arrow[1], arrow[2]}) {
                EXPECT_FLOAT_EQ(barb.nums[0], shaft[2]);
                EXPECT_FLOAT_EQ(barb.nums[1], shaft[3]);
                const RoundVector b = Round(barb.nums[2] - barb.nums[0], barb.nums[3] - barb.nums[1], k);
                EXPECT_NEAR(Length(b), 20, 1e-3) << "frame " << frame;
                EXPECT_NEAR(CosBetween(b, outward), std::cos(std::numbers::pi / 6), 1e-5) << "frame " << frame;
            }
            const RoundVector b1 = Round(arrow[1].nums[2] - shaft[2], arrow[1].nums[3] - shaft[3], k);
            const RoundVector b2 = Round(arrow[2].nums[2] - shaft[2], arrow[2].nums[3] - shaft[3], k);
            EXPECT_LT(Cross(outward, b1) * Cross(outward, b2), 0) << "frame " << frame;

            // The black radius lies under the shaft: drawn first.
            const auto shaftAt = std::find_if(ops.begin(), ops.end(),
                [&](const TraceOp& op) { return op.kind == "line" && op.color == kLightGreenHex; });
            const auto radiusAt = std::find_if(ops.begin(), ops.end(), [&](const TraceOp& op) {
                return op.kind == "line" && op.nums == std::vector<double>{160, 120, shaft[0], shaft[1]}
                    && op.color == kBlackHex && op.width == 1;
            });
            EXPECT_LT(radiusAt, shaftAt) << "frame " << frame;

            // The vertical arrow ends level with the tip.
            EXPECT_EQ(axisShaft(ops).nums[3], shaft[3]);
        }
    }
}

}  // namespace
}  // namespace kelvora
