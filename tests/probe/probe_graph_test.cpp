#include "canvas/canvas.h"
#include "canvas/trace_surface.h"
#include "probe/probe.h"
#include "probe/probe_graph.h"
#include "probe/probe_marks.h"
#include "support/trace_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kelvora {
namespace {

using test::OpsOfKind;
using test::TraceOp;

// Scene 2's green particle and the blue one half a wavelength before it.
const std::vector<MediumSite>& sites()
{
    static const Medium medium = *MediumOf(2, test::MakeContext(12));
    static const std::vector<MediumSite> both = {*SiteNear(medium, 245, 0), *SiteNear(medium, 35, 0)};
    return both;
}

std::vector<TraceOp> graphOps(GraphContent content, int frameShown)
{
    TraceSurface trace;
    Canvas canvas(trace, 960, 240);
    DrawProbeGraph(canvas, MakeProbeGraph(sites(), 50, 12), content, frameShown);
    return test::ParseTrace(trace.text());
}

TEST(ProbeGraph, UnderThePictureWithLabelledAxesDotsAtTheFramesAndACursor)
{
    const ProbeLayout layout = LayOutProbeGraph(960, 600);
    EXPECT_EQ(layout.graph.top, 600);
    EXPECT_EQ(layout.graph.width, 960);
    EXPECT_EQ(layout.height, 600 + layout.graph.height);

    const std::vector<TraceOp> ops = graphOps(GraphContent::Shown, 3);
    std::vector<std::string> texts;
    for (const TraceOp& op : OpsOfKind(ops, "print"))
        texts.push_back(op.text);
    for (const char* label : {"変位 y", "時刻 t", "T/4", "T/2", "3T/4", "T"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), label), texts.end()) << label;
    const auto isLine = [&](const char* color, bool vertical) {
        return std::find_if(ops.begin(), ops.end(), [=](const TraceOp& op) {
            if (op.kind != "line" || op.color != color)
                return false;
            return vertical ? op.nums[0] == op.nums[2] : op.nums[1] == op.nums[3];
        });
    };
    const double axisY = isLine("#000000", false)->nums[1];
    const auto cursor = isLine("#808080", true);
    ASSERT_NE(cursor, ops.end());
    // Twelve dots a probe in its colour, heights in proportion to the
    // model's values; the frame shown stands out under the cursor.
    for (int n = 0; n < 2; ++n) {
        std::vector<TraceOp> dots;
        for (const TraceOp& op : OpsOfKind(ops, "circle"))
            if (op.fill == ColorHex(ProbeColor(n)))
                dots.push_back(op);
        ASSERT_EQ(dots.size(), 12u) << "probe " << n;
        EXPECT_GT(dots[3].nums[2], dots[2].nums[2]);
        EXPECT_FLOAT_EQ(cursor->nums[0], dots[3].nums[0]);
        const double scale = (axisY - dots[3].nums[1]) / sites()[n].displacement(3 / 12.0);
        for (int k = 0; k < 12; ++k)
            EXPECT_NEAR(axisY - dots[k].nums[1], scale * sites()[n].displacement(k / 12.0), 1e-3) << n << " " << k;
    }
    // Blank, for students: axes and grid only.
    for (const TraceOp& op : graphOps(GraphContent::Blank, 0))
        EXPECT_TRUE(op.kind != "circle" && (op.kind != "line" || op.color == "#000000" || op.color == "#c0c0c0"));
}

TEST(ProbeMarks, ClicksAndKeysPlaceMoveAndRemoveAtMostTwo)
{
    const Medium wave = *MediumOf(2, test::MakeContext(12));
    ProbeMarks marks;
    const auto placed = [&] {
        std::string text;
        for (const MediumSite& site : marks.sites)
            text += std::to_string(static_cast<int>(site.rest.x)) + ' ';
        return text;
    };
    // A click on the picture: pixel (368, 425) of 960 x 600 is (245.33, 70).
    TraceSurface trace;
    Canvas canvas(trace, 960, 600);
    canvas.Scale(0, 240, 640, 0);
    EXPECT_TRUE(ToggleProbeAt(marks, wave, PictureToUser(canvas.state(), 960, 600, 368, 425)));
    const std::pair<double, std::string> clicks[] = {{40, "245 35 "}, {70, "245 65 "}, {250, "65 "}, {700, "65 "}};
    for (const auto& [x, expected] : clicks) {
        EXPECT_EQ(ToggleProbeAt(marks, wave, {x, 0}), x != 700) << x;
        EXPECT_EQ(placed(), expected) << "after a click at " << x;
    }
    EXPECT_TRUE(StepProbe(marks, wave, -1));
    EXPECT_FALSE(StepProbe(marks, wave, -1));
    EXPECT_EQ(placed(), "35 ");
    EXPECT_EQ(ProbeDescription(0, sites()[0], 12).rfind("プローブ 1：x = 245 の粒子の変位 y　コマ 1 0、コマ 2 -25、", 0), 0u);
    // In the water the key steps across and from row to row.
    const Medium water = *MediumOf(8, test::MakeContext(12));
    ProbeMarks onWater{{*SiteNear(water, 480, 100)}};
    EXPECT_TRUE(StepProbe(onWater, water, +1));
    EXPECT_EQ(onWater.sites[0].rest.x, 490);
    EXPECT_TRUE(StepProbe(onWater, water, +1, false));
    EXPECT_NEAR(onWater.sites[0].rest.y, 102.5, 1);
}

}  // namespace
}  // namespace kelvora
