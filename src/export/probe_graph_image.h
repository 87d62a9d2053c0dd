#pragma once

#include "probe/probe_graph.h"

#include <QImage>
#include <QSize>

namespace kelvora {

// The displacement-time graph of probes as a picture of `size` logical
// pixels at devicePixelRatio, for a file: under a frame of a PNG or a
// GIF, or under the frames of a worksheet.
QImage ProbeGraphImage(const ProbeGraph& graph, GraphContent content, QSize size, double devicePixelRatio,
    int frameShown = 0);

}  // namespace kelvora
