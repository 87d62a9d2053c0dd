#pragma once

#include "canvas/draw_state.h"
#include "probe/probe_graph.h"
#include "scenes/medium.h"

#include <QImage>
#include <QSize>

#include <vector>

namespace kelvora {

// A picture of a PNG or a GIF with probes, as kelvora-render --probe and
// the viewer's 保存 both write it: frame k ringed where the probed places
// are, over the displacement-time graph laid out as the core describes
// (LayOutProbeGraph), its cursor at the frame. `frame` holds logicalSize
// at devicePixelRatio; `state` is the drawing state the frames left, whose
// scale places the rings.
QImage ProbedPicture(const QImage& frame, const DrawState& state, const std::vector<MediumSite>& sites,
    const ProbeGraph& graph, int frameNo, QSize logicalSize, double devicePixelRatio);

}  // namespace kelvora
