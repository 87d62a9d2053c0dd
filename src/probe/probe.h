#pragma once

// The probe: one or two marked places of a scene's medium, each followed
// through the period. Drawn the same way on every face: a ring round the
// marked particle in each frame, and beside the picture a graph of its
// displacement against time (probe/probe_graph.h).

#include "canvas/color.h"
#include "scenes/medium.h"
#include "scenes/scene_key.h"

#include <string>
#include <vector>

namespace kelvora {

class Canvas;

inline constexpr int kMaxProbes = 2;

// The colour of probe 0 and of probe 1, for its ring and its curve.
Color ProbeColor(int number);

// The colour key's entry for probe `number`'s ring, whose graph it names:
// "赤紫：y–t グラフの粒子 1" (for the water, "…の点 1").
KeyEntry ProbeKeyEntry(int number, Motion motion);

// The trace line of probe `number` at time t, as the trace formats numbers:
// "probe <n> <rest x> <displacement>", or for a point of the water
// "probe <n> <x>,<y> <displacement>".
std::string ProbeTraceLine(int number, const MediumSite& site, double t);

// Rings the marked places where the frame at time t draws them, in the
// scene's own coordinates (the canvas's scale as the frame left it). The
// canvas keeps the drawing state it had.
void DrawProbeRings(Canvas& canvas, const std::vector<MediumSite>& sites, double t);

}  // namespace kelvora
