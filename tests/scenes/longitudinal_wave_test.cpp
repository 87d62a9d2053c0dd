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

constexpr int kScene = 3;

// The layers: 3-wide black lines from 40 to 200, in the order of i.
std::vector<double> layerPositions(const std::vector<TraceOp>& ops)
{
    std::vector<double> xs;
    for (const TraceOp& l : OpsOfKind(ops, "line"))
        if (l.width == 3 && l.color == "#000000") {
            EXPECT_EQ(l.nums[0], l.nums[2]);
            EXPECT_EQ(l.nums[1], 40);
            EXPECT_EQ(l.nums[3], 200);
            xs.push_back(l.nums[0]);
        }
    return xs;
}

// d(i) of the layer resting at offset i = 36 k.
double displacement(const std::vector<double>& layers, int k) { return layers[static_cast<std::size_t>(k)] - 35 - 36 * k; }

TEST(LongitudinalWave, FrameZeroCompressionAndRarefaction)
{
    const std::vector<int> expected = {0, -18, -29, -29, -18, 0, 18, 29, 29, 18, 0};
    for (int frames : {12, 24}) {
        const auto layers = layerPositions(TraceFrame(kScene, 0, MakeContext(frames)));
        ASSERT_EQ(layers.size(), 17u);
        for (int k = 0; k < static_cast<int>(expected.size()); ++k)
            EXPECT_EQ(displacement(layers, k), expected[static_cast<std::size_t>(k)]) << frames << " frames, k " << k;
        // Crowded round the rest position 360, spread round 180.
        EXPECT_EQ(layers[9], 377);
        EXPECT_EQ(layers[10], 395);
        EXPECT_EQ(layers[11], 413);
        EXPECT_EQ(layers[4], 161);
        EXPECT_EQ(layers[5], 215);
        EXPECT_EQ(layers[6], 269);
    }
}

TEST(LongitudinalWave, QuarterPeriodOfTwelve)
{
    const auto ops = TraceFrame(kScene, 3, MakeContext(12));
    const auto layers = layerPositions(ops);
    ASSERT_EQ(layers.size(), 17u);
    EXPECT_EQ(displacement(layers, 0), 30);
    EXPECT_EQ(displacement(layers, 5), -30);
    EXPECT_EQ(displacement(layers, 10), 30);
    EXPECT_EQ(displacement(layers, 16), -24);
    // The particle on the axis goes with its layer.
    const auto particles = Dots(ops, 7, "#ff0000");
    ASSERT_EQ(particles.size(), 17u);
    EXPECT_EQ(particles[0].nums, (std::vector<double>{65, 120, 7}));
    EXPECT_EQ(particles[0].width, 3);
    const auto greenDots = Dots(ops, 4, "#00ff00");
    ASSERT_EQ(greenDots.size(), 17u);
    EXPECT_EQ(greenDots[0].nums, (std::vector<double>{35, 135, 4}));
}

TEST(LongitudinalWave, TransverseDotKeepsItsHalfUnit)
{
    // d(0) = 21 a quarter period into 24 frames: the dot is at 130.5.
    const auto greenDots = Dots(TraceFrame(kScene, 3, MakeContext(24)), 4, "#00ff00");
    ASSERT_FALSE(greenDots.empty());
    EXPECT_EQ(greenDots[0].nums[0], 35);
    EXPECT_EQ(greenDots[0].nums[1], 130.5);
}

TEST(LongitudinalWave, SeventeenLayersTheLastRestingAt611)
{
    for (int frames : {12, 24})
        for (int f = 0; f < frames; ++f) {
            const auto ops = TraceFrame(kScene, f, MakeContext(frames));
            const auto layers = layerPositions(ops);
            ASSERT_EQ(layers.size(), 17u) << frames << " frames, frame " << f;
            // Within an amplitude of the last rest position, none at 647.
            EXPECT_LE(layers.back(), 611 + 30);
            EXPECT_GE(layers.back(), 611 - 30);
            // Each layer keeps a green guide line at its rest position.
            const auto greenDots = Dots(ops, 4, "#00ff00");
            ASSERT_EQ(greenDots.size(), 17u);
            EXPECT_EQ(greenDots.back().nums[0], 611);
        }
}

}  // namespace
}  // namespace kelvora
