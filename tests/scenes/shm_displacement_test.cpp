#include "support/trace_reader.h"

#include <gtest/gtest.h>

#include <vector>

namespace kelvora {
namespace {

using test::MakeContext;
using test::OpsOfKind;
using test::TraceFrame;
using test::TraceOp;

constexpr int kScene = 0;

// The circling body of a frame: the light green circle of radius 10.
TraceOp circlingBody(const std::vector<TraceOp>& ops)
{
    for (const TraceOp& op : OpsOfKind(ops, "circle"))
        if (op.nums[2] == 10 && op.color == "#00ff00")
            return op;
    ADD_FAILURE() << "no circling body";
    return {};
}

// The graph bars: blue lines starting on the time axis right of x = 365.
std::vector<TraceOp> graphBars(const std::vector<TraceOp>& ops)
{
    std::vector<TraceOp> bars;
    for (const TraceOp& op : OpsOfKind(ops, "line"))
        if (op.color == "#0000ff" && op.nums[0] >= 365)
            bars.push_back(op);
    return bars;
}

TEST(ShmDisplacement, WorkedPositionsForTwelveAndTwentyFourFrames)
{
    const std::vector<std::pair<int, int>> twelve = {{120, 0}, {104, 35}, {60, 60}, {0, 70}, {-60, 60},
        {-104, 35}, {-120, 0}, {-104, -35}, {-60, -60}, {0, -70}, {60, -60}, {104, -35}};
    const std::vector<std::pair<int, int>> twentyFour = {{120, 0}, {116, 18}, {104, 35}, {85, 49}, {60, 60},
        {31, 67}, {0, 70}, {-31, 67}, {-60, 60}, {-85, 49}, {-104, 35}, {-116, 18}, {-120, 0}, {-116, -18},
        {-104, -35}, {-85, -49}, {-60, -60}, {-31, -67}, {0, -70}, {31, -67}, {60, -60}, {85, -49},
        {104, -35}, {116, -18}};
    for (const auto* table : {&twelve, &twentyFour}) {
        const int frames = static_cast<int>(table->size());
        for (int f = 0; f < frames; ++f) {
            const auto ops = TraceFrame(kScene, f, MakeContext(frames));
            const TraceOp body = circlingBody(ops);
            EXPECT_EQ(body.nums[0], (*table)[f].first + 160) << frames << " frames, frame " << f;
            EXPECT_EQ(body.nums[1], (*table)[f].second + 120) << frames << " frames, frame " << f;
        }
    }
}

TEST(ShmDisplacement, FrameZero)
{
    const auto ops = TraceFrame(kScene, 0, MakeContext(12));
    ASSERT_GE(ops.size(), 3u);
    EXPECT_EQ(ops[0].kind, "scale");
    EXPECT_EQ(ops[0].nums, (std::vector<double>{0, 240, 640, 0}));
    EXPECT_EQ(ops[1].kind, "cls");
    // The path: black, 2 wide, unfilled.
    EXPECT_EQ(ops[2].kind, "circle");
    EXPECT_EQ(ops[2].nums, (std::vector<double>{160, 120, 120}));
    EXPECT_EQ(ops[2].width, 2);
    EXPECT_EQ(ops[2].fill, "none");

    const auto circles = OpsOfKind(ops, "circle");
    ASSERT_EQ(circles.size(), 3u);
    EXPECT_EQ(circles[1].nums, (std::vector<double>{280, 120, 10}));
    EXPECT_EQ(circles[1].fill, "#00ff00");
    EXPECT_EQ(circles[1].width, 1);
    EXPECT_EQ(circles[2].nums, (std::vector<double>{320, 120, 10}));
    EXPECT_EQ(circles[2].color, "#ff0000");
    EXPECT_EQ(circles[2].fill, "#ff0000");
    EXPECT_EQ(circles[2].width, 2);

    const auto lines = OpsOfKind(ops, "line");
    // Displacement bar and the single graph bar: zero length, 5 wide.
    const auto displacement = std::find_if(lines.begin(), lines.end(),
        [](const TraceOp& l) { return l.color == "#0000ff" && l.nums[0] == 320; });
    ASSERT_NE(displacement, lines.end());
    EXPECT_EQ(displacement->nums, (std::vector<double>{320, 120, 320, 120}));
    EXPECT_EQ(displacement->width, 5);
    const auto bars = graphBars(ops);
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_EQ(bars[0].nums, (std::vector<double>{365, 120, 365, 120}));
    EXPECT_EQ(bars[0].width, 5);
    // The projection line from the circling body to the top of the bar.
    const bool projection = std::any_of(lines.begin(), lines.end(), [](const TraceOp& l) {
        return l.nums == std::vector<double>{280, 120, 365, 120} && l.color == "#000000" && l.width == 1;
    });
    EXPECT_TRUE(projection);

    const auto texts = OpsOfKind(ops, "print");
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, "等速円運動");
    EXPECT_EQ(texts[1].text, "単振動");
    EXPECT_EQ(texts[2].text, "\uFF58-tグラフ");
    EXPECT_EQ(texts[2].nums, (std::vector<double>{450, 20, 14}));
}

TEST(ShmDisplacement, QuarterPeriodOfTwelve)
{
    const auto ops = TraceFrame(kScene, 3, MakeContext(12));
    const auto circles = OpsOfKind(ops, "circle");
    EXPECT_EQ(circles[1].nums[0], 160);
    EXPECT_EQ(circles[1].nums[1], 190);
    EXPECT_EQ(circles[2].nums[1], 190);
    const auto bars = graphBars(ops);
    ASSERT_EQ(bars.size(), 4u);
    EXPECT_EQ(bars.back().nums[3], 190);
    EXPECT_EQ(bars.back().width, 5);
    EXPECT_EQ(bars[0].width, 1);
}

TEST(ShmDisplacement, BarsStandOnTheCurveForBothFrameCounts)
{
    for (int frames : {12, 24}) {
        for (auto screen : {std::pair{1280, 800}, std::pair{1024, 768}, std::pair{1920, 1080}}) {
            const int last = frames - 1;
            const auto ops = TraceFrame(kScene, last, MakeContext(frames, screen.first, screen.second));
            const auto bars = graphBars(ops);
            ASSERT_EQ(static_cast<int>(bars.size()), frames);
            // The curve: a pset at x = 365, then 240 lines from the current point.
            const auto psets = OpsOfKind(ops, "pset");
            ASSERT_EQ(psets.size(), 1u);
            EXPECT_EQ(psets[0].nums[0], 365);
            std::vector<double> curve(241);
            curve[0] = psets[0].nums[1];
            int segments = 0;
            for (const TraceOp& l : OpsOfKind(ops, "line"))
                if (l.color == "#000000" && l.nums[2] == l.nums[0] + 1 && l.nums[0] >= 365) {
                    curve[static_cast<std::size_t>(l.nums[2] - 365)] = l.nums[3];
                    ++segments;
                }
            EXPECT_EQ(segments, 240);
            const double dx = 240.0 / frames;
            for (int i = 0; i < frames; ++i) {
                EXPECT_EQ(bars[static_cast<std::size_t>(i)].nums[0], 365 + i * dx);
                EXPECT_EQ(bars[static_cast<std::size_t>(i)].nums[3], curve[static_cast<std::size_t>(i * dx)])
                    << frames << " frames, bar " << i << ", screen " << screen.first << "x" << screen.second;
            }
        }
    }
}

}  // namespace
}  // namespace kelvora
