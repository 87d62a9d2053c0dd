#include "scenes/shm_scene_support.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace kelvora {
namespace {

using namespace test;

constexpr int kScene = 1;

// The particles: black-outlined circles of radius 5 on the wave, keyed by
// their offset i = x - 220.
std::map<int, double> particleHeights(const std::vector<TraceOp>& ops)
{
    std::map<int, double> heights;
    for (const TraceOp& op : OpsOfKind(ops, "circle"))
        if (op.color == kBlackHex && op.nums[2] == 5)
            heights[static_cast<int>(op.nums[0]) - 220] = op.nums[1] - 120;
    return heights;
}

// A ring of the given colour at x, or null.
const TraceOp* ringAt(const std::vector<TraceOp>& circles, double x, const std::string& color)
{
    for (const TraceOp& op : circles)
        if (op.nums[0] == x && op.color == color && op.width == 2)
            return &op;
    return nullptr;
}

struct Points {
    TraceOp running;
    TraceOp opposite;
};

Points points(const std::vector<TraceOp>& ops)
{
    const auto circles = OpsOfKind(ops, "circle");
    EXPECT_GE(circles.size(), 3u);
    if (circles.size() < 3)
        return {};
    return {circles[1], circles[2]};
}

TEST(ShmTransverseWave, FrameZero)
{
    for (int frames : {12, 24}) {
        const auto ops = TraceFrame(kScene, 0, MakeContext(frames));
        ASSERT_GE(ops.size(), 3u);
        EXPECT_EQ(ops[0].kind, "scale");
        EXPECT_EQ(ops[0].nums, (std::vector<double>{0, 240, 640, 0}));
        EXPECT_EQ(ops[1].kind, "cls");
        EXPECT_EQ(ops[2].nums, (std::vector<double>{100, 120, 80}));
        EXPECT_EQ(ops[2].width, 2);
        EXPECT_EQ(ops[2].fill, "none");

        const Points p = points(ops);
        EXPECT_EQ(p.running.nums, (std::vector<double>{180, 120, 5}));
        EXPECT_EQ(p.running.fill, kLightBlueHex);
        EXPECT_EQ(p.opposite.nums, (std::vector<double>{20, 120, 5}));
        EXPECT_EQ(p.opposite.fill, kLightGreenHex);

        const auto heights = particleHeights(ops);
        ASSERT_EQ(heights.size(), 43u);
        const int firstPeriod[] = {0, -33, -46, -33, 0, 33, 46, 33};
        for (int i = 0; i <= 420; i += 30)
            EXPECT_EQ(heights.at(i), firstPeriod[(i % 240) / 30]) << frames << " frames, i " << i;
        EXPECT_EQ(heights.at(420), 46);
        // Particles are filled light red and drawn 1 pixel wide.
        for (const TraceOp& op : OpsOfKind(ops, "circle"))
            if (op.color == kBlackHex && op.nums[2] == 5) {
                EXPECT_EQ(op.fill, kLightRedHex);
                EXPECT_EQ(op.width, 1);
            }
    }
}

TEST(ShmTransverseWave, QuarterPeriodOfTwelve)
{
    const auto ops = TraceFrame(kScene, 3, MakeContext(12));
    const Points p = points(ops);
    EXPECT_EQ(p.running.nums, (std::vector<double>{100, 166, 5}));
    EXPECT_EQ(p.opposite.nums, (std::vector<double>{100, 74, 5}));
    const auto heights = particleHeights(ops);
    EXPECT_EQ(heights.at(0), 46);
    EXPECT_EQ(heights.at(60), 0);
    EXPECT_EQ(heights.at(120), -46);
}

TEST(ShmTransverseWave, FirstFrameOfTwentyFour)
{
    const auto ops = TraceFrame(kScene, 1, MakeContext(24));
    const Points p = points(ops);
    EXPECT_EQ(p.running.nums, (std::vector<double>{177, 132, 5}));
    EXPECT_EQ(p.opposite.nums, (std::vector<double>{23, 108, 5}));
    const auto heights = particleHeights(ops);
    EXPECT_EQ(heights.at(0), 12);
    EXPECT_EQ(heights.at(30), -23);
}

TEST(ShmTransverseWave, RingedParticlesStayLevelWithTheirPoints)
{
    for (auto [width, height] : {std::pair{1280, 800}, std::pair{1024, 768}}) {
        for (int frames : {12, 24}) {
            for (int frame = 0; frame < frames; ++frame) {
                const auto ops = TraceFrame(kScene, frame, MakeContext(frames, width, height));
                const Points p = points(ops);
                const double runningY = p.running.nums[1];
                const double oppositeY = p.opposite.nums[1];
                const auto circles = OpsOfKind(ops, "circle");
                const TraceOp* rings[] = {ringAt(circles, 220, kLightBlueHex), ringAt(circles, 460, kLightBlueHex),
                    ringAt(circles, 340, kLightGreenHex), ringAt(circles, 580, kLightGreenHex)};
                const double levels[] = {runningY, runningY, oppositeY, oppositeY};
                for (int r = 0; r < 4; ++r) {
                    ASSERT_NE(rings[r], nullptr) << "ring " << r;
                    EXPECT_EQ(rings[r]->nums[1], levels[r]) << frames << " frames, frame " << frame << ", ring " << r;
                }
                // The connecting lines, 1 pixel wide, are horizontal.
                const auto blue = LinesOf(ops, kLightBlueHex, 1);
                const auto green = LinesOf(ops, kLightGreenHex, 1);
                ASSERT_EQ(blue.size(), 1u);
                ASSERT_EQ(green.size(), 1u);
                EXPECT_EQ(blue[0].nums, (std::vector<double>{p.running.nums[0], runningY, 460, runningY}))
                    << frames << " frames, frame " << frame;
                EXPECT_EQ(green[0].nums, (std::vector<double>{p.opposite.nums[0], oppositeY, 580, oppositeY}))
                    << frames << " frames, frame " << frame;
            }
        }
    }
}

}  // namespace
}  // namespace kelvora
