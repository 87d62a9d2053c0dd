#pragma once

// Reads the drawing trace back into operations, and draws scene frames on
// a trace surface the way a capture does, for tests that check what a
// scene draws.

#include "scenes/scene_context.h"

#include <string>
#include <vector>

namespace kelvora::test {

struct TraceOp {
    std::string kind;          // frame, scale, cls, line, box, circle, pset, print
    std::vector<double> nums;  // the numbers in order
    std::string color;         // line, box, pset: colour; circle: outline
    int width = 0;             // line, circle, pset
    std::string style;         // line: solid / dotted
    std::string fill;          // circle: colour or none
    std::string text;          // print
};

std::vector<TraceOp> ParseTrace(const std::string& trace);

// The operations of frame frameNo of a scene: frames 0..frameNo are drawn
// in order on one surface (so the state each leaves carries over), with
// Cls before each; only frameNo's own operations are returned.
std::vector<TraceOp> TraceFrame(int sceneIndex, int frameNo, SceneContext context);
// Same, as raw trace text (without the "frame" header).
std::string TraceFrameText(int sceneIndex, int frameNo, SceneContext context);

// The operations of one kind, in order.
std::vector<TraceOp> OpsOfKind(const std::vector<TraceOp>& ops, const std::string& kind);

// A context for a loop of `frames` frames on a screen of the given size.
SceneContext MakeContext(int frames, int screenWidth = 1280, int screenHeight = 800);

}  // namespace kelvora::test
