#include "render_job.h"

#include "app/scene_catalogue.h"
#include "canvas/canvas.h"
#include "canvas/raster_surface.h"
#include "canvas/runtime_error.h"
#include "canvas/trace_surface.h"
#include "export/atomic_file.h"
#include "export/gif_writer.h"
#include "export/png_writer.h"
#include "export/worksheet_writer.h"

#include <QFile>

#include <cmath>

#include <cstdio>
#include <new>
#include <unistd.h>
#include <vector>

namespace kelvora::render {

namespace {

JobResult failed(int status, std::string message)
{
    JobResult result;
    result.status = status;
    result.message = std::move(message);
    return result;
}

// The parameter controls as the viewer sets them up for the scene, with
// the scroll bar at the chosen value; SceneParam follows the scroll bar.
SceneContext sceneContext(const RenderOptions& options, ParameterControl& control)
{
    SceneContext context;
    context.lastFrame = static_cast<std::int16_t>(options.frames - 1);
    context.screenWidth = options.screen.width;
    context.screenHeight = options.screen.height;
    context.sceneParam = static_cast<std::int16_t>(options.param);
    if (const std::optional<ParameterSetup> setup = ParameterSetupFor(options.scene)) {
        control.value = static_cast<std::int16_t>(options.param);
        control.min = setup->min;
        control.max = setup->max;
        control.largeChange = setup->largeChange;
        control.text = ParameterText(options.scene, options.param);
        context.parameter = &control;
    }
    return context;
}

// Draws frames 0 to last on one surface as a capture does (Cls, then the
// scene's DrawFrame), calling afterFrame once each frame is drawn.
template <typename AfterFrame>
void drawAsCapture(
    const RenderOptions& options, DrawFrameFunction drawFrame, Canvas& canvas, int last, AfterFrame afterFrame)
{
    ParameterControl control;
    SceneContext context = sceneContext(options, control);
    // FrameNo itself is the loop variable handed to the scene, as in a capture.
    for (std::int16_t frameNo = 0; frameNo <= last; ++frameNo) {
        canvas.Cls();
        drawFrame(canvas, frameNo, context);
        afterFrame();
    }
}

std::uint64_t physicalMemoryBytes()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0)
        return 0;
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
}

std::string gibibytes(std::uint64_t bytes)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f GiB", static_cast<double>(bytes) / (1024.0 * 1024.0 * 1024.0));
    return text;
}

// Refuses a job whose frames would take more than half the machine's memory.
std::string checkMemory(const RenderOptions& options)
{
    const std::uint64_t physical = physicalMemoryBytes();
    const std::uint64_t needed = FrameMemoryBytes(options);
    if (physical == 0 || needed <= physical / 2)
        return {};
    return "--size " + std::to_string(options.size.width) + "x" + std::to_string(options.size.height) + ": "
        + (options.mode == OutputMode::Gif || options.mode == OutputMode::Sheet
                ? std::to_string(options.frames) + " frames need "
                : "the frame needs ")
        + gibibytes(needed) + " of memory, more than half of this machine's " + gibibytes(physical);
}

JobResult writePng(const RenderOptions& options, DrawFrameFunction drawFrame)
{
    RasterSurface surface(options.size.width, options.size.height, options.scale);
    Canvas canvas(surface, options.size.width, options.size.height);
    drawAsCapture(options, drawFrame, canvas, options.frame, [] {});
    const ExportResult written = WritePng(QFile::decodeName(options.output.c_str()), surface.image());
    if (!written.ok)
        return failed(kExitFailed, written.error);
    return {};
}

// Every frame of the loop, drawn as a capture draws them.
std::vector<QImage> drawAllFrames(const RenderOptions& options, DrawFrameFunction drawFrame)
{
    RasterSurface surface(options.size.width, options.size.height, options.scale);
    Canvas canvas(surface, options.size.width, options.size.height);
    std::vector<QImage> frames;
    frames.reserve(static_cast<std::size_t>(options.frames));
    drawAsCapture(options, drawFrame, canvas, options.frames - 1, [&] { frames.push_back(surface.snapshot()); });
    return frames;
}

JobResult writeGif(const RenderOptions& options, DrawFrameFunction drawFrame)
{
    const std::vector<QImage> frames = drawAllFrames(options, drawFrame);
    const ExportResult written = WriteAnimatedGif(QFile::decodeName(options.output.c_str()), frames, options.delayMs);
    if (!written.ok)
        return failed(kExitFailed, written.error);
    JobResult result;
    if (written.quantised)
        result.notice = "the frames use more than 256 colours; the GIF shows them with 256";
    return result;
}

JobResult writeSheet(const RenderOptions& options, DrawFrameFunction drawFrame)
{
    const std::vector<QImage> frames = drawAllFrames(options, drawFrame);
    const ExportResult written
        = WriteWorksheet(QFile::decodeName(options.output.c_str()), SceneTitle(options.scene), frames);
    if (!written.ok)
        return failed(kExitFailed, written.error);
    return {};
}

// The scene's own operations of frame K (or of every frame), each frame
// after a "frame <k>" line; the capture's Cls before a frame is not shown.
JobResult writeTrace(const RenderOptions& options, DrawFrameFunction drawFrame, std::ostream& out)
{
    TraceSurface trace;
    Canvas canvas(trace, options.size.width, options.size.height);
    ParameterControl control;
    SceneContext context = sceneContext(options, control);
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
        }
    } catch (const RuntimeError&) {
        // What the frame drew before the error still goes out.
        out << trace.text();
        throw;
    }
    out.flush();
    if (!out)
        return failed(kExitFailed, "cannot write the trace to standard output");
    return {};
}

}  // namespace

std::uint64_t FrameMemoryBytes(const RenderOptions& options)
{
    if (options.mode == OutputMode::Trace)
        return 0;
    const auto devicePixels = [&](int side) { return static_cast<std::uint64_t>(std::lround(side * options.scale)); };
    const std::uint64_t frameBytes = devicePixels(options.size.width) * devicePixels(options.size.height) * 4;
    // The surface, plus a copy of every frame for a GIF or a worksheet.
    const bool everyFrame = options.mode == OutputMode::Gif || options.mode == OutputMode::Sheet;
    const std::uint64_t copies = everyFrame ? static_cast<std::uint64_t>(options.frames) : 0;
    return frameBytes * (1 + copies);
}

JobResult RunRenderJob(const RenderOptions& options, std::ostream& trace)
{
    const SceneInfo* scene = FindScene(options.scene);
    if (!scene || !scene->drawFrame)
        return failed(kExitBadInput, "scene " + std::to_string(options.scene) + " is not built yet");
    return RunRenderJob(options, trace, scene->drawFrame);
}

JobResult RunRenderJob(const RenderOptions& options, std::ostream& trace, DrawFrameFunction drawFrame)
{
    if (std::string problem = checkMemory(options); !problem.empty())
        return failed(kExitBadInput, problem);
    if (options.mode != OutputMode::Trace)
        if (std::string problem = CheckWritable(QFile::decodeName(options.output.c_str())); !problem.empty())
            return failed(kExitBadInput, problem);
    try {
        switch (options.mode) {
        case OutputMode::Png: return writePng(options, drawFrame);
        case OutputMode::Gif: return writeGif(options, drawFrame);
        case OutputMode::Trace: return writeTrace(options, drawFrame, trace);
        case OutputMode::Sheet: return writeSheet(options, drawFrame);
        }
    } catch (const RuntimeError& error) {
        return failed(kExitFailed, error.what());
    } catch (const std::bad_alloc&) {
        return failed(kExitFailed, "out of memory");
    }
    return {};
}

}  // namespace kelvora::render
