#include "render_job.h"

#include "picture_job.h"
#include "trace_job.h"

#include "scenes/scene_catalogue.h"

namespace kelvora::render {

JobResult RunRenderJob(const RenderOptions& options, std::ostream& trace)
{
    // The parser keeps the scene inside the catalogue.
    return RunRenderJob(options, trace, SceneCatalogue().at(static_cast<std::size_t>(options.scene)).drawFrame);
}

JobResult RunRenderJob(const RenderOptions& options, std::ostream& trace, DrawFrameFunction drawFrame)
{
    if (options.mode == OutputMode::Trace)
        return RunTraceJob(options, trace, drawFrame);
    return RunPictureJob(options, drawFrame);
}

}  // namespace kelvora::render
