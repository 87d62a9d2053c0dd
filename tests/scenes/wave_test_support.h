#pragma once

// Picking dots out of a frame's trace, for the wave scene tests.

#include "support/trace_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvora::test {

// Circles of one radius and fill ("none" for hollow ones), in drawing order.
inline std::vector<TraceOp> Dots(const std::vector<TraceOp>& ops, double radius, const std::string& fill)
{
    std::vector<TraceOp> dots;
    for (const TraceOp& op : OpsOfKind(ops, "circle"))
        if (op.nums[2] == radius && op.fill == fill)
            dots.push_back(op);
    return dots;
}

// The y of the dot centred at x; a test failure when there is none.
inline double DotYAt(const std::vector<TraceOp>& dots, double x)
{
    for (const TraceOp& dot : dots)
        if (dot.nums[0] == x)
            return dot.nums[1];
    ADD_FAILURE() << "no dot at x = " << x;
    return -1000;
}

}  // namespace kelvora::test
