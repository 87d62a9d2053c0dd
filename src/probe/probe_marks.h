#pragma once

// The probes a viewer has placed, and what the user's actions do to them:
// the same rules for a click, a tap and the keys on every face.

#include "canvas/draw_state.h"
#include "scenes/medium.h"

#include <string>
#include <vector>

namespace kelvora {

// At most kMaxProbes marked places, in the order they were placed; the
// first is drawn in ProbeColor(0), the second in ProbeColor(1).
struct ProbeMarks {
    std::vector<MediumSite> sites;
};

// A click or a tap at `at` (the scene's user coordinates): on a marked
// place it removes that probe; elsewhere in the medium it marks the
// nearest place, replacing the second probe when two are marked already.
// Returns whether the marks changed (nothing happens outside the medium).
bool ToggleProbeAt(ProbeMarks& marks, const Medium& medium, UserPoint at);

// The key that moves the probe: the last placed one goes to the next
// particle in `direction` (+1 right, -1 left; in the water a step of 10
// across, or with `across` false a row nearer (-1) or further (+1)). With
// no probe, the first is placed at the left end of the medium. Returns
// whether the marks changed (a probe at the end of the medium stays).
bool StepProbe(ProbeMarks& marks, const Medium& medium, int direction, bool across = true);

// The picture's pixel (px, py) in the scene's user coordinates, by the
// scale the frames left in force on a picture of width x height pixels.
UserPoint PictureToUser(const DrawState& state, int width, int height, double px, double py);

// The text alternative of a probe's graph: the place and its displacement
// at each stored frame ("プローブ 1：x = 245 の粒子の変位 y　コマ 1 0、
// コマ 2 -25、…").
std::string ProbeDescription(int number, const MediumSite& site, int frames);

}  // namespace kelvora
