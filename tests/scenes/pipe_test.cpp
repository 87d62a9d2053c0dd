#include "canvas/canvas.h"
#include "canvas/runtime_error.h"
#include "canvas/trace_surface.h"
#include "scenes/scenes.h"
#include "support/trace_reader.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace kelvora {
namespace {

using test::MakeContext;
using test::OpsOfKind;
using test::TraceFrame;
using test::TraceOp;

constexpr int kClosedPipe = 10;
constexpr int kOpenPipe = 11;

// What one frame of a pipe shows, keyed by the position Q along the pipe.
struct PipeFrame {
    std::map<int, int> displacement;  // from the layer markers
    std::map<int, double> graphY;     // height of the displacement graph point
    std::map<int, int> density;       // from the density graph points
    std::vector<TraceOp> layers;      // the air layers, left to right
    std::vector<TraceOp> ops;
};

PipeFrame drawPipe(int scene, int n, int frameNo, int frames = 12)
{
    SceneContext context = MakeContext(frames);
    context.sceneParam = static_cast<std::int16_t>(n);
    PipeFrame frame;
    frame.ops = TraceFrame(scene, frameNo, context);
    const int left = scene == kClosedPipe ? 40 : 80;
    int q = 0;
    for (const TraceOp& c : OpsOfKind(frame.ops, "circle")) {
        if (c.fill == "#ffff00") {
            q = static_cast<int>(c.nums[0]) - left;
            frame.graphY[q] = c.nums[1];
        } else if (c.fill == "#00ff00") {
            frame.displacement[q] = static_cast<int>(c.nums[0]) - left - q;
            EXPECT_EQ(c.nums[1], 200);
            EXPECT_EQ(c.nums[2], 4);
        } else if (c.fill == "#ff0000") {
            EXPECT_EQ(c.nums[0], q + left);
            frame.density[q] = static_cast<int>((c.nums[1] - 70) * 2);
        }
    }
    for (const TraceOp& l : OpsOfKind(frame.ops, "line"))
        if (l.nums[1] == 150 && l.nums[3] == 250 && l.width == 1)
            frame.layers.push_back(l);
    return frame;
}

void expectValues(const std::map<int, int>& actual, const std::map<int, int>& expected, const char* what)
{
    for (const auto& [q, value] : expected)
        EXPECT_EQ(actual.at(q), value) << what << " at Q = " << q;
}

TEST(ClosedPipe, OneNodeAtFrameZero)
{
    const PipeFrame f = drawPipe(kClosedPipe, 1, 0);
    ASSERT_EQ(f.displacement.size(), 25u);
    ASSERT_EQ(f.density.size(), 25u);
    ASSERT_EQ(f.layers.size(), 25u);
    expectValues(f.displacement, {{0, 0}, {120, -29}, {240, -54}, {360, -70}, {480, -76}}, "D");
    expectValues(f.density, {{0, 76}, {120, 70}, {240, 54}, {360, 29}, {480, 0}}, "P");
    EXPECT_EQ(f.layers.back().nums[0], 444);
    EXPECT_EQ(f.graphY.at(480), 162);
    EXPECT_EQ(OpsOfKind(f.ops, "circle")[2].nums[1], 108);  // density point at the closed end
    // Every layer's stroke stands at its marker and runs wall to wall.
    for (std::size_t i = 0; i < f.layers.size(); ++i) {
        const int q = static_cast<int>(i) * 20;
        EXPECT_EQ(f.layers[i].nums[0], q + 40 + f.displacement.at(q));
        EXPECT_EQ(f.layers[i].nums[2], f.layers[i].nums[0]);
        // The graph shows the displacement at half size, on a half unit
        // where it is odd.
        EXPECT_EQ(f.graphY.at(q), f.displacement.at(q) / 2.0 + 200);
    }
}

TEST(ClosedPipe, HalfAPeriodLaterEverythingIsReversed)
{
    const PipeFrame start = drawPipe(kClosedPipe, 1, 0);
    const PipeFrame half = drawPipe(kClosedPipe, 1, 6);
    EXPECT_EQ(half.displacement.at(480), 76);
    EXPECT_EQ(half.density.at(0), -76);
    for (int q = 0; q <= 480; q += 20) {
        EXPECT_EQ(half.displacement.at(q), -start.displacement.at(q)) << q;
        EXPECT_EQ(half.density.at(q), -start.density.at(q)) << q;
    }
}

TEST(ClosedPipe, TwoAndFiveNodes)
{
    const PipeFrame two = drawPipe(kClosedPipe, 2, 0);
    expectValues(two.displacement, {{0, 0}, {320, 0}, {160, -45}, {480, 45}}, "D, n = 2");
    expectValues(two.density, {{0, 45}, {160, 0}, {480, 0}, {320, -45}}, "P, n = 2");
    const PipeFrame five = drawPipe(kClosedPipe, 5, 0);
    expectValues(five.displacement, {{0, 0}, {320, 0}, {160, 29}, {480, -29}}, "D, n = 5");
    expectValues(five.density, {{0, 29}, {160, 0}, {480, 0}}, "P, n = 5");
}

TEST(ClosedPipe, DrawsAClosedEndAndLeavesItsState)
{
    const PipeFrame f = drawPipe(kClosedPipe, 3, 1);
    std::vector<std::vector<double>> walls;
    for (const TraceOp& l : OpsOfKind(f.ops, "line"))
        if (l.width == 4)
            walls.push_back(l.nums);
    EXPECT_EQ(walls, (std::vector<std::vector<double>>{{40, 150, 520, 150}, {40, 250, 520, 250}, {40, 150, 40, 250},
                         {40, 20, 520, 20}, {40, 120, 520, 120}, {40, 20, 40, 120}}));
    const auto texts = OpsOfKind(f.ops, "print");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "変位");
    EXPECT_EQ(texts[0].nums, (std::vector<double>{270, 265, 15}));
    EXPECT_EQ(texts[1].text, "密度（圧力）");
    EXPECT_EQ(texts[1].nums, (std::vector<double>{255, 135, 15}));
    EXPECT_EQ(f.ops[0].nums, (std::vector<double>{0, 280, 640, 0}));
}

TEST(OpenPipe, OneNodeAtFrameZeroAndHalfAPeriodLater)
{
    const PipeFrame f = drawPipe(kOpenPipe, 1, 0);
    ASSERT_EQ(f.displacement.size(), 25u);
    ASSERT_EQ(f.layers.size(), 25u);
    expectValues(f.displacement, {{0, 70}, {120, 50}, {240, 0}, {360, -50}, {480, -70}}, "D");
    expectValues(f.density, {{0, 0}, {120, 50}, {240, 70}, {360, 50}, {480, 0}}, "P");
    EXPECT_EQ(f.layers.front().nums[0], 150);
    EXPECT_EQ(f.layers.back().nums[0], 490);
    for (int q = 0; q <= 480; q += 20)
        EXPECT_EQ(f.graphY.at(q), f.displacement.at(q) / 2.0 + 200) << q;

    const PipeFrame half = drawPipe(kOpenPipe, 1, 6);
    expectValues(half.displacement, {{0, -70}, {480, 70}}, "D");
    expectValues(half.density, {{20, -10}}, "P");
}

TEST(OpenPipe, EachTermIsRoundedOnItsOwn)
{
    // At a quarter period the two travelling components cancel, except
    // where each rounds away from the other (18 and -17 at D(80)).
    std::map<int, int> zero;
    for (int q = 0; q <= 480; q += 20)
        zero[q] = 0;
    const auto with = [&](std::map<int, int> values) {
        std::map<int, int> all = zero;
        for (const auto& [q, v] : values)
            all[q] = v;
        return all;
    };
    const PipeFrame quarter = drawPipe(kOpenPipe, 1, 3);
    EXPECT_EQ(quarter.displacement, with({{80, 1}}));
    EXPECT_EQ(quarter.density, with({{160, 1}}));
    const PipeFrame threeQuarters = drawPipe(kOpenPipe, 1, 9);
    EXPECT_EQ(threeQuarters.displacement, with({{80, -1}, {400, 1}}));
    EXPECT_EQ(threeQuarters.density, with({{160, -1}, {320, -1}}));
    for (int frame : {3, 9}) {
        const PipeFrame three = drawPipe(kOpenPipe, 3, frame);
        EXPECT_EQ(three.displacement, zero) << "frame " << frame;
        EXPECT_EQ(three.density, zero) << "frame " << frame;
    }
}

TEST(OpenPipe, TwoAndFiveNodes)
{
    const PipeFrame two = drawPipe(kOpenPipe, 2, 0);
    expectValues(two.displacement, {{0, 42}, {480, 42}, {120, 0}, {360, 0}, {240, -42}}, "D, n = 2");
    expectValues(two.density, {{0, 0}, {480, 0}, {240, 0}, {120, 42}, {360, -42}}, "P, n = 2");
    const PipeFrame five = drawPipe(kOpenPipe, 5, 0);
    expectValues(five.displacement, {{0, 26}, {480, -26}}, "D, n = 5");
    expectValues(five.density, {{0, 0}, {480, 0}}, "P, n = 5");
}

TEST(OpenPipe, BothEndsStayOpen)
{
    const PipeFrame f = drawPipe(kOpenPipe, 2, 1);
    std::vector<std::vector<double>> walls;
    for (const TraceOp& l : OpsOfKind(f.ops, "line"))
        if (l.width == 4)
            walls.push_back(l.nums);
    EXPECT_EQ(walls, (std::vector<std::vector<double>>{
                         {80, 150, 560, 150}, {80, 250, 560, 250}, {80, 20, 560, 20}, {80, 120, 560, 120}}));
    const auto texts = OpsOfKind(f.ops, "print");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].nums, (std::vector<double>{285, 265, 15}));
    EXPECT_EQ(texts[1].nums, (std::vector<double>{270, 135, 15}));
}

TEST(Pipes, QuarterPeriodFramesAreAtRestForEveryClosedPipe)
{
    for (int n = 1; n <= 5; ++n) {
        for (auto [frame, frames] : {std::pair{3, 12}, std::pair{9, 12}, std::pair{6, 24}, std::pair{18, 24}}) {
            const PipeFrame f = drawPipe(kClosedPipe, n, frame, frames);
            for (int q = 0; q <= 480; q += 20) {
                EXPECT_EQ(f.displacement.at(q), 0) << "n " << n << ", frame " << frame << " of " << frames;
                EXPECT_EQ(f.density.at(q), 0) << "n " << n << ", frame " << frame << " of " << frames;
                EXPECT_EQ(f.graphY.at(q), 200);
            }
        }
    }
}

TEST(Pipes, RefuseFewerThanOneNodeBeforeDrawingAnything)
{
    for (auto draw : {&ClosedPipe::DrawFrame, &OpenPipe::DrawFrame}) {
        for (std::int16_t n : {0, -1, -5}) {
            TraceSurface trace;
            Canvas canvas(trace, 960, 600);
            SceneContext context = MakeContext(12);
            context.sceneParam = n;
            std::int16_t frameNo = 0;
            try {
                draw(canvas, frameNo, context);
                ADD_FAILURE() << "n = " << n << " was drawn";
            } catch (const RuntimeError& error) {
                EXPECT_EQ(error.number(), ErrorNumber::InvalidProcedureCall) << "n = " << n;
            }
            EXPECT_EQ(trace.text(), "") << "n = " << n;
        }
    }
    // 2n - 1 is a 16-bit integer in the closed pipe.
    TraceSurface trace;
    Canvas canvas(trace, 960, 600);
    SceneContext context = MakeContext(12);
    context.sceneParam = 20000;
    std::int16_t frameNo = 0;
    try {
        ClosedPipe::DrawFrame(canvas, frameNo, context);
        ADD_FAILURE() << "2n - 1 did not overflow";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::Overflow);
    }
    EXPECT_EQ(trace.text(), "");
}

}  // namespace
}  // namespace kelvora
