#pragma once

#include "job_result.h"
#include "render_options.h"

#include "scenes/scene_context.h"

#include <cstdint>

namespace kelvora::render {

// --png, --gif and --sheet: draws the frames on a raster surface as a
// capture does and writes the file. Refuses frames that would take more
// than half the machine's memory, and an output file that cannot be
// created, before drawing. Needs a QGuiApplication for text.
JobResult RunPictureJob(const RenderOptions& options, DrawFrameFunction drawFrame);

// The memory the frames of a job hold at once, in bytes (0 for a trace).
std::uint64_t FrameMemoryBytes(const RenderOptions& options);

}  // namespace kelvora::render
