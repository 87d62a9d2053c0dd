#pragma once

// The time graph of the velocity and acceleration scenes as it appears in
// a frame's trace: light red bars standing on the time axis at x >= 365,
// their barbs, and the black curve over one period.

#include "scenes/shm_scene_support.h"

#include <gtest/gtest.h>

namespace kelvora::test {

// Vertical light red lines that start on the time axis right of x = 365.
inline std::vector<TraceOp> GraphBars(const std::vector<TraceOp>& ops)
{
    std::vector<TraceOp> bars;
    for (const TraceOp& op : OpsOfKind(ops, "line"))
        if (op.color == kLightRedHex && op.nums[0] >= 365 && op.nums[0] == op.nums[2] && op.nums[1] == 120)
            bars.push_back(op);
    return bars;
}

// Slanted light red lines in the graph (the bars' arrowheads).
inline std::vector<TraceOp> GraphBarbs(const std::vector<TraceOp>& ops)
{
    std::vector<TraceOp> barbs;
    for (const TraceOp& op : OpsOfKind(ops, "line"))
        if (op.color == kLightRedHex && op.nums[0] >= 350 && op.nums[0] != op.nums[2])
            barbs.push_back(op);
    return barbs;
}

// Heights of the curve above the time axis at x = 365 + j, j = 0..240: a
// PSet at the start, then one-unit black lines from the current point.
inline std::vector<double> CurveHeights(const std::vector<TraceOp>& ops)
{
    std::vector<double> curve(241, -1000);
    const auto psets = OpsOfKind(ops, "pset");
    EXPECT_EQ(psets.size(), 1u);
    if (psets.empty())
        return curve;
    EXPECT_EQ(psets[0].nums[0], 365);
    curve[0] = psets[0].nums[1] - 120;
    int segments = 0;
    for (const TraceOp& l : LinesOf(ops, kBlackHex, 1))
        if (l.nums[0] >= 365 && l.nums[2] == l.nums[0] + 1) {
            curve[static_cast<std::size_t>(l.nums[2] - 365)] = l.nums[3] - 120;
            ++segments;
        }
    EXPECT_EQ(segments, 240);
    return curve;
}

// Checks the last frame of a loop: one bar per frame at 365 + i x dx with
// the expected heights, each top on the curve; returns the bars.
inline std::vector<TraceOp> ExpectBarsOnCurve(int sceneIndex, const std::vector<int>& heights,
    int screenWidth = 1280, int screenHeight = 800)
{
    const int frames = static_cast<int>(heights.size());
    const auto ops = TraceFrame(sceneIndex, frames - 1, MakeContext(frames, screenWidth, screenHeight));
    const auto bars = GraphBars(ops);
    EXPECT_EQ(static_cast<int>(bars.size()), frames);
    if (static_cast<int>(bars.size()) != frames)
        return bars;
    const auto curve = CurveHeights(ops);
    const int dx = 240 / frames;
    for (int i = 0; i < frames; ++i) {
        const TraceOp& bar = bars[static_cast<std::size_t>(i)];
        EXPECT_EQ(bar.nums[0], 365 + i * dx) << frames << " frames, bar " << i;
        EXPECT_EQ(bar.nums[3] - 120, heights[static_cast<std::size_t>(i)]) << frames << " frames, bar " << i;
        EXPECT_EQ(bar.nums[3] - 120, curve[static_cast<std::size_t>(i * dx)]) << frames << " frames, bar " << i;
        EXPECT_EQ(bar.width, i == frames - 1 ? 5 : 1) << frames << " frames, bar " << i;
    }
    return bars;
}

}  // namespace kelvora::test
