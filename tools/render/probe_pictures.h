#pragma once

#include "render_options.h"

#include "canvas/draw_state.h"
#include "probe/probe_graph.h"
#include "scenes/medium.h"

#include <QImage>

#include <vector>

namespace kelvora::render {

// The pictures of a --png or --gif job with --probe (see ProbedPicture).
class ProbePictures {
public:
    ProbePictures(const RenderOptions& options, const std::vector<MediumSite>& sites, double amplitude);

    bool empty() const { return sites_.empty(); }
    // The frame drawn at frameNo, with `state` the drawing state it left
    // (its scale places the rings), ringed, over the graph with its cursor
    // at the frame.
    QImage WithGraph(const QImage& frame, const DrawState& state, int frameNo) const;

private:
    const RenderOptions& options_;
    std::vector<MediumSite> sites_;
    ProbeGraph graph_;
};

// How a picture of the job is laid out: the frame alone, or with probes
// the frame over its graph.
ProbeLayout PictureLayout(const RenderOptions& options);

}  // namespace kelvora::render
