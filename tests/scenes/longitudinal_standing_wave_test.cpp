#include "scenes/wave_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace kelvora {
namespace {

using test::Dots;
using test::DotYAt;
using test::MakeContext;
using test::OpsOfKind;
using test::TraceFrame;
using test::TraceOp;

constexpr int kScene = 5;

// The particles of the row on the line y = rowY, in order of rest position.
std::vector<double> particlesOnRow(const std::vector<TraceOp>& ops, double rowY)
{
    std::vector<double> xs;
    for (const TraceOp& dot : Dots(ops, 4, "#00ff00"))
        if (dot.nums[1] == rowY)
            xs.push_back(dot.nums[0]);
    EXPECT_EQ(xs.size(), 33u) << "row " << rowY;
    return xs;
}

// s at the particle resting at x + 20, read from the black dot of the sum.
double sumAt(const std::vector<TraceOp>& ops, int x) { return DotYAt(Dots(ops, 3, "#000000"), x + 20) - 40; }

TEST(LongitudinalStandingWave, FrameZeroDoublesEachWave)
{
    for (int frames : {12, 24}) {
        const auto ops = TraceFrame(kScene, 0, MakeContext(frames));
        EXPECT_EQ(ops[0].kind, "scale");
        EXPECT_EQ(ops[0].nums, (std::vector<double>{0, 240, 680, 0}));
        const std::vector<std::pair<int, int>> expected = {
            {20, -11}, {40, -21}, {80, -30}, {240, 30}, {0, 0}, {160, 0}, {320, 0}};
        for (const auto& [x, s] : expected)
            EXPECT_EQ(sumAt(ops, x), s) << frames << " frames, x " << x;
        // The bottom-row particle carries the same rounded s.
        EXPECT_EQ(particlesOnRow(ops, 40)[1], 40 - 11);
    }
}

TEST(LongitudinalStandingWave, TopRowsKeepTheUnroundedDisplacement)
{
    // d1 = d2 = 15 sin(-pi/4) at x = 20: about -5.74, not rounded.
    const auto ops = TraceFrame(kScene, 0, MakeContext(12));
    const double d = -15 * std::sin(3.14159 / 8);
    EXPECT_NEAR(DotYAt(Dots(ops, 3, "#0000ff"), 40), 200 + d, 1e-4);
    EXPECT_NEAR(DotYAt(Dots(ops, 3, "#ffff00"), 40), 120 + d, 1e-4);
    EXPECT_NEAR(particlesOnRow(ops, 200)[1], 40 + d, 1e-4);
    EXPECT_NEAR(particlesOnRow(ops, 120)[1], 40 + d, 1e-4);
}

TEST(LongitudinalStandingWave, QuarterPeriodOfTwelve)
{
    const auto ops = TraceFrame(kScene, 3, MakeContext(12));
    // Every particle of the sum at rest, every black dot on its line.
    const auto bottom = particlesOnRow(ops, 40);
    for (std::size_t k = 0; k < bottom.size(); ++k)
        EXPECT_EQ(bottom[k], 20 + 20.0 * static_cast<double>(k));
    for (const TraceOp& dot : Dots(ops, 3, "#000000"))
        EXPECT_EQ(dot.nums[1], 40);
    // The travelling waves are mirror images: 15 and -15 at x = 0.
    EXPECT_NEAR(DotYAt(Dots(ops, 3, "#0000ff"), 20), 215, 1e-4);
    EXPECT_NEAR(DotYAt(Dots(ops, 3, "#ffff00"), 20), 105, 1e-4);
    EXPECT_NEAR(particlesOnRow(ops, 200)[0], 35, 1e-4);
    EXPECT_NEAR(particlesOnRow(ops, 120)[0], 5, 1e-4);
}

TEST(LongitudinalStandingWave, OneFrameIntoTwentyFour)
{
    const auto ops = TraceFrame(kScene, 1, MakeContext(24));
    EXPECT_EQ(sumAt(ops, 20), -11);
    EXPECT_EQ(sumAt(ops, 40), -20);
    EXPECT_EQ(sumAt(ops, 80), -29);
    EXPECT_EQ(sumAt(ops, 240), 29);
}

TEST(LongitudinalStandingWave, BottomRowNodesStayInEveryFrame)
{
    for (int frames : {12, 24})
        for (int f = 0; f < frames; ++f) {
            const auto bottom = particlesOnRow(TraceFrame(kScene, f, MakeContext(frames)), 40);
            ASSERT_EQ(bottom.size(), 33u);
            for (std::size_t k : {0u, 8u, 16u, 24u, 32u})
                EXPECT_EQ(bottom[k], 20 + 20.0 * static_cast<double>(k)) << frames << " frames, frame " << f;
        }
}

TEST(LongitudinalStandingWave, RowLabels)
{
    const auto texts = OpsOfKind(TraceFrame(kScene, 0, MakeContext(12)), "print");
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, "右へ進む進行波");
    EXPECT_EQ(texts[0].nums, (std::vector<double>{270, 230, 13}));
    EXPECT_EQ(texts[1].text, "左へ進む進行波");
    EXPECT_EQ(texts[1].nums, (std::vector<double>{270, 150, 13}));
    EXPECT_EQ(texts[2].text, "     合成波");
    EXPECT_EQ(texts[2].nums, (std::vector<double>{270, 80, 13}));
}

}  // namespace
}  // namespace kelvora
