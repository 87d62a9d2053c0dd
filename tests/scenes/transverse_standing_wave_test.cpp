#include "scenes/wave_test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace kelvora {
namespace {

using test::Dots;
using test::DotYAt;
using test::MakeContext;
using test::TraceFrame;
using test::TraceOp;

constexpr int kScene = 4;

struct Rows {
    std::vector<TraceOp> green;
    std::vector<TraceOp> yellow;
    std::vector<TraceOp> black;
};

Rows rowsOf(int frameNo, int frames)
{
    const auto ops = TraceFrame(kScene, frameNo, MakeContext(frames));
    Rows rows{Dots(ops, 5, "#00ff00"), Dots(ops, 5, "#ffff00"), Dots(ops, 5, "#000000")};
    EXPECT_EQ(rows.green.size(), 61u);
    EXPECT_EQ(rows.yellow.size(), 61u);
    EXPECT_EQ(rows.black.size(), 61u);
    return rows;
}

TEST(TransverseStandingWave, FrameZeroGreatestSwing)
{
    for (int frames : {12, 24}) {
        const Rows rows = rowsOf(0, frames);
        EXPECT_EQ(rows.green.front().nums[0], 80);
        EXPECT_EQ(rows.green.back().nums[0], 560);
        const std::vector<std::vector<double>> expected = {
            // X, green, yellow (drawn 2 higher), black
            {120, 35, 35, 69}, {136, 40, 40, 80}, {144, 40, 40, 80},
            // The black value is the rounded sum of the unrounded waves,
            // not the sum of the rounded ones.
            {88, 8, 8, 17},
        };
        for (const auto& e : expected) {
            EXPECT_EQ(DotYAt(rows.green, e[0]), 120 + e[1]) << frames << " frames, X " << e[0];
            EXPECT_EQ(DotYAt(rows.yellow, e[0]), 122 + e[2]) << frames << " frames, X " << e[0];
            EXPECT_EQ(DotYAt(rows.black, e[0]), 120 + e[3]) << frames << " frames, X " << e[0];
        }
    }
}

TEST(TransverseStandingWave, QuarterPeriodFlattensTheSum)
{
    const Rows rows = rowsOf(3, 12);
    for (const TraceOp& dot : rows.black)
        EXPECT_EQ(dot.nums[1], 120) << "X " << dot.nums[0];
    // The two travelling waves are mirror images.
    EXPECT_EQ(DotYAt(rows.green, 80), 80);
    EXPECT_EQ(DotYAt(rows.yellow, 80), 162);
}

TEST(TransverseStandingWave, OneFrameIntoTwentyFour)
{
    const Rows rows = rowsOf(1, 24);
    EXPECT_EQ(DotYAt(rows.black, 136), 197);
    EXPECT_EQ(DotYAt(rows.black, 144), 197);
    // The green crest (at X = 140 in frame 0) has moved right, away from
    // X = 120, and the yellow one towards it: green fell from 35 to 28,
    // yellow rose to 39.
    EXPECT_EQ(DotYAt(rows.green, 120), 120 + 28);
    EXPECT_EQ(DotYAt(rows.yellow, 120), 122 + 39);
}

TEST(TransverseStandingWave, NodesStayAtRestInEveryFrame)
{
    for (int frames : {12, 24})
        for (int f = 0; f < frames; ++f) {
            const Rows rows = rowsOf(f, frames);
            for (double node : {80, 200, 320, 440, 560})
                EXPECT_EQ(DotYAt(rows.black, node), 120) << frames << " frames, frame " << f << ", X " << node;
        }
}

}  // namespace
}  // namespace kelvora
