#include "trace_job.h"

#include "render_context.h"

#include "canvas/canvas.h"
#include "canvas/runtime_error.h"
#include "canvas/trace_surface.h"
#include "probe/probe.h"

#include <new>

namespace kelvora::render {

namespace {

void writeTrace(const RenderOptions& options, DrawFrameFunction drawFrame, std::ostream& out)
{
    TraceSurface trace;
    Canvas canvas(trace, options.size.width, options.size.height);
    ParameterControl control;
    SceneContext context = RenderSceneContext(options, control);
    const std::vector<MediumSite> probes = ProbeSites(options, context);
    const double frames = options.frames;
    const int last = options.allFrames ? options.frames - 1 : options.frame;
    try {
        for (std::int16_t frameNo = 0; frameNo <= last; ++frameNo) {
            const bool shown = options.allFrames || frameNo == options.frame;
            trace.setRecording(false);
            canvas.Cls();
            trace.setRecording(shown);
            trace.beginFrame(frameNo);
            drawFrame(canvas, frameNo, context);
            // Written frame by frame: a trace of every frame can be large.
            out << trace.text();
            trace.clearText();
            // Each probe's displacement follows the frame's drawing.
            for (std::size_t n = 0; shown && n < probes.size(); ++n)
                out << ProbeTraceLine(static_cast<int>(n), probes[n], frameNo / frames) << '\n';
            if (!out)
                return;  // its reader has gone: no use drawing on
        }
    } catch (const RuntimeError&) {
        // What the frame drew before the error still goes out.
        out << trace.text();
        throw;
    }
}

}  // namespace

JobResult RunTraceJob(const RenderOptions& options, std::ostream& out, DrawFrameFunction drawFrame)
{
    try {
        writeTrace(options, drawFrame, out);
    } catch (const RuntimeError& error) {
        return FailedJob(kExitFailed, error.what());
    } catch (const std::bad_alloc&) {
        return FailedJob(kExitFailed, "out of memory");
    }
    out.flush();
    if (!out)
        return FailedJob(kExitFailed, "cannot write the trace to standard output");
    return {};
}

}  // namespace kelvora::render
