#pragma once

#include "job_result.h"
#include "render_options.h"

#include "scenes/scene_context.h"

#include <ostream>

namespace kelvora::render {

// Draws what the options ask for and writes the PNG, GIF or worksheet
// file, or the trace to `trace`. Needs a QGuiApplication for text.
JobResult RunRenderJob(const RenderOptions& options, std::ostream& trace);
// The same with the scene's DrawFrame given, for a scene outside the
// catalogue (tests use scenes that fail on purpose).
JobResult RunRenderJob(const RenderOptions& options, std::ostream& trace, DrawFrameFunction drawFrame);

}  // namespace kelvora::render
