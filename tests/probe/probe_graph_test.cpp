#include "canvas/canvas.h"
#include "canvas/trace_surface.h"
#include "probe/probe.h"
#include "probe/probe_graph.h"
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
    EXPECT_EQ(layout.graph.y, 600);
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
            return op.kind == "line" && op.color == color && (vertical ? op.nums[0] == op.nums[2] : op.nums[1] == op.nums[3]);
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

}  // namespace
}  // namespace kelvora
