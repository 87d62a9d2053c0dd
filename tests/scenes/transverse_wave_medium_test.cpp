#include "scenes/wave_test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace kelvora {
namespace {

using test::Dots;
using test::MakeContext;
using test::OpsOfKind;
using test::TraceFrame;
using test::TraceOp;

constexpr int kScene = 2;

// The particles are circles of radius 6; particle i stands at x = i + 35.
double displacementOf(const std::vector<TraceOp>& ops, int i)
{
    for (const TraceOp& op : OpsOfKind(ops, "circle"))
        if (op.nums[2] == 6 && op.nums[0] == i + 35)
            return op.nums[1] - 120;
    ADD_FAILURE() << "no particle " << i;
    return -1000;
}

// The thick displacement bar standing at x.
const TraceOp* barAt(const std::vector<TraceOp>& lines, double x)
{
    for (const TraceOp& l : lines)
        if (l.width == 4 && l.nums[0] == x)
            return &l;
    return nullptr;
}

TEST(TransverseWaveMedium, FrameZeroForBothFrameCounts)
{
    const std::vector<int> expected = {0, -22, -39, -49, -49, -39, -22, 0, 22, 39, 49, 49, 39, 22, 0};
    for (int frames : {12, 24}) {
        const auto ops = TraceFrame(kScene, 0, MakeContext(frames));
        for (int k = 0; k < static_cast<int>(expected.size()); ++k)
            EXPECT_EQ(displacementOf(ops, 30 * k), expected[static_cast<std::size_t>(k)])
                << frames << " frames, i = " << 30 * k;
        const auto lines = OpsOfKind(ops, "line");
        for (double x : {35.0, 455.0, 245.0}) {
            const TraceOp* bar = barAt(lines, x);
            ASSERT_NE(bar, nullptr) << x;
            EXPECT_EQ(bar->nums[1], bar->nums[3]) << "bar at " << x << " has length 0";
        }
    }
}

TEST(TransverseWaveMedium, ColoursAndBarsOfTheMarkedParticles)
{
    const auto ops = TraceFrame(kScene, 3, MakeContext(12));
    const auto particles = Dots(ops, 6, "#ff0000");
    EXPECT_EQ(particles.size(), 18u);
    ASSERT_EQ(Dots(ops, 6, "#0000ff").size(), 2u);
    ASSERT_EQ(Dots(ops, 6, "#00ff00").size(), 1u);
    EXPECT_EQ(Dots(ops, 6, "#00ff00")[0].nums[0], 245);
    // A quarter period on: both blue bars reach up to 170, the green one
    // down to 70.
    const auto lines = OpsOfKind(ops, "line");
    for (double x : {35.0, 455.0}) {
        const TraceOp* bar = barAt(lines, x);
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->nums, (std::vector<double>{x, 120, x, 170}));
        EXPECT_EQ(bar->color, "#0000ff");
    }
    const TraceOp* green = barAt(lines, 245);
    ASSERT_NE(green, nullptr);
    EXPECT_EQ(green->nums, (std::vector<double>{245, 120, 245, 70}));
    EXPECT_EQ(green->color, "#00ff00");
    // Every guide line is 1 wide, including the one drawn right after the
    // 4-wide bar of the green particle and before the blue one at i = 420.
    for (const TraceOp& l : lines) {
        if (l.nums[1] == 40 && l.nums[3] == 200) {
            EXPECT_EQ(l.width, 1) << "guide line at " << l.nums[0];
        }
    }
}

TEST(TransverseWaveMedium, QuarterOfAPeriodOfTwentyFour)
{
    const auto ops = TraceFrame(kScene, 3, MakeContext(24));
    EXPECT_EQ(displacementOf(ops, 0), 35);
    EXPECT_EQ(displacementOf(ops, 210), -35);
    EXPECT_EQ(displacementOf(ops, 600), -47);
}

TEST(TransverseWaveMedium, ParticlesOneWavelengthApartMoveTogether)
{
    for (int frames : {12, 24})
        for (int f = 0; f < frames; ++f) {
            const auto ops = TraceFrame(kScene, f, MakeContext(frames));
            const double first = displacementOf(ops, 0);
            EXPECT_EQ(displacementOf(ops, 420), first) << frames << " frames, frame " << f;
            EXPECT_EQ(displacementOf(ops, 210), -first) << frames << " frames, frame " << f;
        }
}

}  // namespace
}  // namespace kelvora
