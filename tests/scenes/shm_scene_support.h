#pragma once

// Helpers for the tests of the simple harmonic motion scenes: picking
// operations out of a frame's trace, and plane geometry in the scenes'
// round units.

#include "support/trace_reader.h"

#include <cmath>
#include <string>
#include <vector>

namespace kelvora::test {

inline const std::string kBlackHex = "#000000";
inline const std::string kLightBlueHex = "#0000ff";
inline const std::string kLightGreenHex = "#00ff00";
inline const std::string kLightRedHex = "#ff0000";

// The lines of one colour and pen width, in drawing order.
inline std::vector<TraceOp> LinesOf(const std::vector<TraceOp>& ops, const std::string& color, int width)
{
    std::vector<TraceOp> out;
    for (const TraceOp& op : OpsOfKind(ops, "line"))
        if (op.color == color && op.width == width)
            out.push_back(op);
    return out;
}

// A vector in units that are the same length on the screen both ways:
// vertical offsets divided by the aspect factor k.
struct RoundVector {
    double x;
    double y;
};

inline RoundVector Round(double dx, double dy, double k) { return {dx, dy / k}; }
inline double Length(RoundVector v) { return std::hypot(v.x, v.y); }
inline double Dot(RoundVector a, RoundVector b) { return a.x * b.x + a.y * b.y; }
inline double Cross(RoundVector a, RoundVector b) { return a.x * b.y - a.y * b.x; }
inline double CosBetween(RoundVector a, RoundVector b) { return Dot(a, b) / (Length(a) * Length(b)); }

}  // namespace kelvora::test
