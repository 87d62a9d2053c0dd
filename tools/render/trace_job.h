#pragma once

#include "job_result.h"
#include "render_options.h"

#include "scenes/scene_context.h"

#include <ostream>

namespace kelvora::render {

// --trace: draws frames 0 to K (or every frame) on one trace surface as a
// capture does and writes the scene's own operations of frame K (or of
// every frame) to `out`, each frame after a "frame <k>" line; the
// capture's Cls before a frame is not shown. With probes, each frame ends
// with one "probe" line a probe. Needs no Qt.
JobResult RunTraceJob(const RenderOptions& options, std::ostream& out, DrawFrameFunction drawFrame);

}  // namespace kelvora::render
