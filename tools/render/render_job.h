#pragma once

#include "render_options.h"

#include "scenes/scene_context.h"

#include <cstdint>
#include <ostream>
#include <string>

namespace kelvora::render {

// Exit statuses of kelvora-render.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;    // run-time error while drawing, or failure while writing
inline constexpr int kExitBadInput = 2;  // includes an output file that cannot be created

struct JobResult {
    int status = kExitDone;
    std::string message;  // one line for stderr when the job failed
    std::string notice;   // one line for stderr about a job that succeeded
};

// Draws what the options ask for and writes the PNG or GIF file, or the
// trace to `trace`. Needs a QGuiApplication for text.
JobResult RunRenderJob(const RenderOptions& options, std::ostream& trace);
// The same with the scene's DrawFrame given, for a scene outside the
// catalogue (tests use scenes that fail on purpose).
JobResult RunRenderJob(const RenderOptions& options, std::ostream& trace, DrawFrameFunction drawFrame);

// The memory the frames of a job hold at once, in bytes.
std::uint64_t FrameMemoryBytes(const RenderOptions& options);

}  // namespace kelvora::render
