#include "scenes/scene_context.h"
#include "support/trace_reader.h"

#include <gtest/gtest.h>

#include <vector>

namespace kelvora {
namespace {

using test::MakeContext;
using test::OpsOfKind;
using test::TraceFrame;
using test::TraceOp;

constexpr int kScene = 15;

ParameterControl scrollBarAt(int value)
{
    ParameterControl control;
    control.value = static_cast<std::int16_t>(value);
    control.min = 0;
    control.max = 16;
    control.text = "?";
    return control;
}

// One panel's circles in drawing order: the wave from A, the wave from B,
// the sum at P.
struct Panel {
    std::vector<TraceOp> waveA, waveB;
    TraceOp sum;
};

struct ConditionFrame {
    Panel upper, lower;
    std::vector<TraceOp> ops;
};

ConditionFrame drawCondition(ParameterControl& control, int frameNo = 0, int frames = 12)
{
    SceneContext context = MakeContext(frames);
    context.parameter = &control;
    ConditionFrame f;
    f.ops = TraceFrame(kScene, frameNo, context);
    Panel* panel = &f.upper;
    for (const TraceOp& c : OpsOfKind(f.ops, "circle")) {
        if (c.fill == "#00ff00") {
            panel->waveA.push_back(c);
        } else if (c.fill == "#ffff00") {
            panel->waveB.push_back(c);
        } else {
            EXPECT_EQ(c.nums[2], 5);
            panel->sum = c;
            panel = &f.lower;
        }
    }
    return f;
}

TEST(InterferenceCondition, PointHalfWayBetweenTheSources)
{
    ParameterControl control = scrollBarAt(8);
    EXPECT_EQ(drawCondition(control, 3).upper.sum.nums[1], 140);
    EXPECT_EQ(control.text, "8");
    EXPECT_EQ(drawCondition(control, 0).upper.sum.nums[1], 180);
    EXPECT_EQ(drawCondition(control, 6).upper.sum.nums[1], 180);
    EXPECT_EQ(drawCondition(control, 3).upper.sum.nums[0], 320);
    for (int frames : {12, 24})
        for (int frameNo = 0; frameNo < frames; ++frameNo)
            EXPECT_EQ(drawCondition(control, frameNo, frames).lower.sum.nums[1], 60)
                << "frame " << frameNo << " of " << frames;
}

TEST(InterferenceCondition, PathDifferenceOfThreeAndAHalfWavelengths)
{
    ParameterControl control = scrollBarAt(1);
    for (int frames : {12, 24})
        for (int frameNo = 0; frameNo < frames; ++frameNo)
            EXPECT_EQ(drawCondition(control, frameNo, frames).upper.sum.nums[1], 180)
                << "frame " << frameNo << " of " << frames;
    EXPECT_EQ(drawCondition(control, 0).lower.sum.nums[1], 100);
    EXPECT_EQ(drawCondition(control, 3).lower.sum.nums[1], 60);
    EXPECT_EQ(drawCondition(control, 6).lower.sum.nums[1], 20);

    // An odd v: the A wave stops one short of P, the B wave one short of B.
    const ConditionFrame f = drawCondition(control, 0);
    for (const Panel* panel : {&f.upper, &f.lower}) {
        ASSERT_EQ(panel->waveA.size(), 18u);
        EXPECT_EQ(panel->waveA.front().nums[0], 40);
        EXPECT_EQ(panel->waveA.back().nums[0], 74);
        ASSERT_EQ(panel->waveB.size(), 263u);
        EXPECT_EQ(panel->waveB.front().nums[0], 75);
        EXPECT_EQ(panel->waveB.back().nums[0], 599);
        EXPECT_EQ(panel->sum.nums[0], 75);
    }
}

TEST(InterferenceCondition, PathDifferenceOfThreeWavelengths)
{
    ParameterControl control = scrollBarAt(2);
    const ConditionFrame f = drawCondition(control, 3);
    EXPECT_EQ(f.upper.sum.nums[1], 220);
    EXPECT_EQ(f.lower.sum.nums[1], 60);
    // An even v: both waves have a point at P.
    EXPECT_EQ(f.upper.waveA.back().nums[0], 110);
    EXPECT_EQ(f.upper.waveB.front().nums[0], 110);
}

TEST(InterferenceCondition, PointAtSourceA)
{
    ParameterControl control = scrollBarAt(0);
    const ConditionFrame f = drawCondition(control, 2);
    for (const Panel* panel : {&f.upper, &f.lower}) {
        ASSERT_EQ(panel->waveA.size(), 1u);
        EXPECT_EQ(panel->waveA[0].nums[0], 40);
    }
    // The upper B wave starts one step after A, the lower one at A itself.
    ASSERT_EQ(f.upper.waveB.size(), 280u);
    EXPECT_EQ(f.upper.waveB.front().nums[0], 42);
    ASSERT_EQ(f.lower.waveB.size(), 281u);
    EXPECT_EQ(f.lower.waveB.front().nums[0], 40);
    EXPECT_EQ(f.lower.waveB.back().nums[0], 600);
    // In the lower panel the yellow point at x = 40 is drawn after the
    // green one, on top of it.
    const auto circles = OpsOfKind(f.ops, "circle");
    std::vector<std::string> fillsAt40;
    for (std::size_t i = circles.size() / 2; i < circles.size(); ++i)
        if (circles[i].nums[0] == 40 && circles[i].nums[2] == 3)
            fillsAt40.push_back(circles[i].fill);
    EXPECT_EQ(fillsAt40, (std::vector<std::string>{"#00ff00", "#ffff00"}));
}

TEST(InterferenceCondition, PointAtSourceB)
{
    ParameterControl control = scrollBarAt(16);
    const ConditionFrame f = drawCondition(control, 0);
    EXPECT_EQ(control.text, "16");
    for (const Panel* panel : {&f.upper, &f.lower}) {
        ASSERT_EQ(panel->waveA.size(), 281u);
        EXPECT_EQ(panel->waveA.back().nums[0], 600);
        ASSERT_EQ(panel->waveB.size(), 1u);
        EXPECT_EQ(panel->waveB[0].nums[0], 600);
        EXPECT_EQ(panel->sum.nums[0], 600);
    }
}

TEST(InterferenceCondition, GridTextsAndMarker)
{
    ParameterControl control = scrollBarAt(5);
    const ConditionFrame f = drawCondition(control, 1);
    // Per panel: the axis, 9 dotted lines, 5 solid ones over them, the marker.
    const auto lines = OpsOfKind(f.ops, "line");
    ASSERT_EQ(lines.size(), 2u * (1 + 9 + 5 + 1));
    for (int panel = 0; panel < 2; ++panel) {
        const std::size_t first = static_cast<std::size_t>(panel) * 16;
        const double base = panel == 0 ? 180 : 60;
        const double top = panel == 0 ? 220 : 100;
        EXPECT_EQ(lines[first].nums, (std::vector<double>{40, base, 600, base}));
        for (int i = 0; i < 9; ++i) {
            const TraceOp& dotted = lines[first + 1 + static_cast<std::size_t>(i)];
            EXPECT_EQ(dotted.nums, (std::vector<double>{70.0 * i + 40, top, 70.0 * i + 40, top - 80}));
            EXPECT_EQ(dotted.style, "dotted");
        }
        for (int i = 0; i < 5; ++i) {
            const TraceOp& solid = lines[first + 10 + static_cast<std::size_t>(i)];
            EXPECT_EQ(solid.nums[0], 140.0 * i + 40);
            EXPECT_EQ(solid.style, "solid");
        }
        const TraceOp& marker = lines[first + 15];
        EXPECT_EQ(marker.nums, (std::vector<double>{215, top, 215, top - 80}));
        EXPECT_EQ(marker.color, "#ff0000");
        EXPECT_EQ(marker.style, "solid");
    }

    const auto texts = OpsOfKind(f.ops, "print");
    ASSERT_EQ(texts.size(), 8u);
    EXPECT_EQ(texts[0].text, "波源Ａ，Ｂが同位相の場合");
    EXPECT_EQ(texts[0].nums, (std::vector<double>{210, 235, 14}));
    EXPECT_EQ(texts[1].nums, (std::vector<double>{0, 183, 11}));
    EXPECT_EQ(texts[2].text, "波源Ｂ");
    EXPECT_EQ(texts[2].nums, (std::vector<double>{600, 183, 11}));
    EXPECT_EQ(texts[3].text, "Ｐ");
    EXPECT_EQ(texts[3].nums, (std::vector<double>{210, 135, 11}));
    EXPECT_EQ(texts[4].text, "波源Ａ，Ｂが逆位相の場合");
    EXPECT_EQ(texts[4].nums, (std::vector<double>{210, 115, 14}));
    EXPECT_EQ(texts[7].nums, (std::vector<double>{210, 15, 11}));

    // The lower panel draws its axis before its title.
    std::size_t lowerAxis = 0;
    std::size_t lowerTitle = 0;
    for (std::size_t i = 0; i < f.ops.size(); ++i) {
        if (f.ops[i].kind == "line" && f.ops[i].nums == std::vector<double>{40, 60, 600, 60})
            lowerAxis = i;
        if (f.ops[i].kind == "print" && f.ops[i].text == "波源Ａ，Ｂが逆位相の場合")
            lowerTitle = i;
    }
    EXPECT_LT(lowerAxis, lowerTitle);
    EXPECT_GT(lowerAxis, 0u);
}

TEST(InterferenceCondition, WithoutAScrollBarDrawsTheInitialPoint)
{
    SceneContext context = MakeContext(12);
    const std::string withoutControl = test::TraceFrameText(kScene, 3, context);
    ParameterControl control = scrollBarAt(8);
    context.parameter = &control;
    EXPECT_EQ(withoutControl, test::TraceFrameText(kScene, 3, context));
}

}  // namespace
}  // namespace kelvora
