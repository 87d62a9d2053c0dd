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
using test::ParseTrace;
using test::TraceOp;

// Scene 2's green particle and the blue one half a wavelength before it.
std::vector<MediumSite> sceneTwoSites()
{
    const Medium medium = *MediumOf(2, test::MakeContext(12));
    return {*SiteNear(medium, 245, 0), *SiteNear(medium, 35, 0)};
}

std::vector<TraceOp> graphOps(GraphContent content, int frameShown)
{
    TraceSurface trace;
    Canvas canvas(trace, 960, 240);
    DrawProbeGraph(canvas, MakeProbeGraph(sceneTwoSites(), 50, 12), content, frameShown);
    return ParseTrace(trace.text());
}

TEST(ProbeLayout, TheGraphGoesUnderThePictureAsWideAsIt)
{
    const ProbeLayout layout = LayOutProbeGraph(960, 600);
    EXPECT_EQ(layout.picture.y + layout.picture.height, layout.graph.y);
    EXPECT_EQ(layout.graph.x, 0);
    EXPECT_EQ(layout.graph.width, 960);
    EXPECT_GT(layout.graph.height, 0);
    EXPECT_EQ(layout.width, 960);
    EXPECT_EQ(layout.height, layout.graph.y + layout.graph.height);
}

TEST(ProbeGraph, LabelledAxesQuarterPeriodsDotsAtTheFramesAndACursor)
{
    const std::vector<TraceOp> ops = graphOps(GraphContent::Shown, 3);
    std::vector<std::string> texts;
    for (const TraceOp& op : OpsOfKind(ops, "print"))
        texts.push_back(op.text);
    for (const char* label : {"変位 y", "時刻 t", "T/4", "T/2", "3T/4", "T"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), label), texts.end()) << label;

    // Twelve dots a probe, each in its colour; the frame shown stands out.
    const std::vector<MediumSite> sites = sceneTwoSites();
    double axisY = 0;
    for (const TraceOp& op : OpsOfKind(ops, "line"))
        if (op.nums[1] == op.nums[3] && op.color == "#000000" && op.nums[2] - op.nums[0] > 500)
            axisY = op.nums[1];
    for (int n = 0; n < 2; ++n) {
        std::vector<TraceOp> dots;
        for (const TraceOp& op : OpsOfKind(ops, "circle"))
            if (op.fill == ColorHex(ProbeColor(n)))
                dots.push_back(op);
        ASSERT_EQ(dots.size(), 12u) << "probe " << n;
        EXPECT_GT(dots[3].nums[2], dots[2].nums[2]);
        // Height above the time axis in proportion to the model's value.
        const double scale = (axisY - dots[3].nums[1]) / sites[n].displacement(3 / 12.0);
        for (int k = 0; k < 12; ++k)
            EXPECT_NEAR(axisY - dots[k].nums[1], scale * sites[n].displacement(k / 12.0), 1e-3) << n << " " << k;
        // The cursor stands at the shown frame.
        const auto cursor = std::find_if(ops.begin(), ops.end(), [&](const TraceOp& op) {
            return op.kind == "line" && op.color == "#808080" && op.nums[0] == op.nums[2];
        });
        ASSERT_NE(cursor, ops.end());
        EXPECT_FLOAT_EQ(cursor->nums[0], dots[3].nums[0]);
    }
}

TEST(ProbeGraph, TheBlankGraphHasAxesAndGridButNothingToCopy)
{
    const std::vector<TraceOp> ops = graphOps(GraphContent::Blank, 0);
    EXPECT_TRUE(OpsOfKind(ops, "circle").empty());
    for (const TraceOp& op : OpsOfKind(ops, "line"))
        EXPECT_TRUE(op.color == "#000000" || op.color == "#c0c0c0") << op.color;
    EXPECT_FALSE(OpsOfKind(ops, "print").empty());
}

TEST(ProbeRings, RingEachSiteWhereTheFrameDrawsItAndLeaveTheStateAlone)
{
    TraceSurface trace;
    Canvas canvas(trace, 960, 600);
    canvas.Scale(0, 240, 640, 0);
    canvas.SetDrawWidth(4);
    canvas.SetFillStyle(0);
    const DrawState before = canvas.state();
    trace.clearText();
    const std::vector<MediumSite> sites = sceneTwoSites();
    DrawProbeRings(canvas, sites, 0.25);
    const std::vector<TraceOp> rings = OpsOfKind(ParseTrace(trace.text()), "circle");
    ASSERT_EQ(rings.size(), 2u);
    for (int n = 0; n < 2; ++n) {
        EXPECT_EQ(rings[n].nums[0], sites[n].position(0.25).x);
        EXPECT_EQ(rings[n].nums[1], sites[n].position(0.25).y);
        EXPECT_EQ(rings[n].color, ColorHex(ProbeColor(n)));
        EXPECT_EQ(rings[n].fill, "none");
    }
    EXPECT_EQ(canvas.state().drawWidth, before.drawWidth);
    EXPECT_EQ(canvas.state().fillStyle, before.fillStyle);
    EXPECT_EQ(ProbeTraceLine(1, sites[1], 0.25), "probe 1 35 50");
}

}  // namespace
}  // namespace kelvora
