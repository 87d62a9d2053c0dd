#include "picture_job.h"

#include "probe_pictures.h"
#include "render_context.h"

#include "canvas/canvas.h"
#include "canvas/runtime_error.h"
#include "export/atomic_file.h"
#include "export/gif_writer.h"
#include "export/png_writer.h"
#include "export/scene_worksheet.h"
#include "raster/raster_surface.h"
#include "scenes/scene_catalogue.h"

#include <QFile>

#include <cmath>
#include <cstdio>
#include <optional>
#include <new>
#include <unistd.h>
#include <vector>

namespace kelvora::render {

static_assert(kMaxDelayMs == kMaxGifDelayMs, "--delay accepts what a GIF holds");

namespace {

// Draws frames 0 to last on one surface as a capture does (Cls, then the
// scene's DrawFrame), calling afterFrame(frameNo, probes) once each frame
// is drawn.
template <typename AfterFrame>
void drawAsCapture(
    const RenderOptions& options, DrawFrameFunction drawFrame, Canvas& canvas, int last, AfterFrame afterFrame)
{
    ParameterControl control;
    SceneContext context = RenderSceneContext(options, control);
    const std::optional<Medium> medium = MediumOf(options.scene, context);
    const ProbePictures probes(options, ProbeSites(options, context), medium ? MediumAmplitude(*medium) : 1);
    // FrameNo itself is the loop variable handed to the scene, as in a capture.
    for (std::int16_t frameNo = 0; frameNo <= last; ++frameNo) {
        canvas.Cls();
        drawFrame(canvas, frameNo, context);
        afterFrame(frameNo, probes);
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

QString outputPath(const RenderOptions& options) { return QFile::decodeName(options.output.c_str()); }

JobResult writePng(const RenderOptions& options, DrawFrameFunction drawFrame)
{
    RasterSurface surface(options.size.width, options.size.height, options.scale);
    Canvas canvas(surface, options.size.width, options.size.height);
    QImage withProbes;
    drawAsCapture(options, drawFrame, canvas, options.frame, [&](int frameNo, const ProbePictures& probes) {
        if (!probes.empty() && frameNo == options.frame)
            withProbes = probes.WithGraph(surface.image(), canvas.state(), frameNo);
    });
    const ExportResult written = WritePng(outputPath(options), withProbes.isNull() ? surface.image() : withProbes);
    if (!written.ok)
        return FailedJob(kExitFailed, written.error);
    return {};
}

// Every frame of the loop, drawn as a capture draws them; with probes,
// ringed over the graph.
std::vector<QImage> drawAllFrames(const RenderOptions& options, DrawFrameFunction drawFrame)
{
    RasterSurface surface(options.size.width, options.size.height, options.scale);
    Canvas canvas(surface, options.size.width, options.size.height);
    std::vector<QImage> frames;
    frames.reserve(static_cast<std::size_t>(options.frames));
    drawAsCapture(options, drawFrame, canvas, options.frames - 1, [&](int frameNo, const ProbePictures& probes) {
        frames.push_back(
            probes.empty() ? surface.snapshot() : probes.WithGraph(surface.image(), canvas.state(), frameNo));
    });
    return frames;
}

JobResult writeGif(const RenderOptions& options, DrawFrameFunction drawFrame)
{
    const std::vector<QImage> frames = drawAllFrames(options, drawFrame);
    const ExportResult written = WriteAnimatedGif(outputPath(options), frames, options.delayMs);
    if (!written.ok)
        return FailedJob(kExitFailed, written.error);
    JobResult result;
    if (written.quantised)
        result.notice = "the frames use more than 256 colours; the GIF shows them with 256";
    return result;
}

JobResult writeSheet(const RenderOptions& options)
{
    SceneWorksheet sheet;
    sheet.sceneIndex = options.scene;
    sheet.frameCount = options.frames;
    // Each page's title names the parameter value drawn: the one its box shows.
    sheet.parameterValues = options.allParameterValues ? ParameterValues(options.scene) : std::vector{options.param};
    sheet.size = QSize(options.size.width, options.size.height);
    sheet.screen = QSize(options.screen.width, options.screen.height);
    sheet.devicePixelRatio = options.scale;
    for (const ProbePlace& place : options.probes)
        sheet.probes.push_back({place.x, place.y.value_or(0)});
    const ExportResult written = WriteSceneWorksheet(outputPath(options), sheet);
    if (!written.ok)
        return FailedJob(kExitFailed, written.error);
    return {};
}

}  // namespace

std::uint64_t FrameMemoryBytes(const RenderOptions& options)
{
    if (options.mode == OutputMode::Trace)
        return 0;
    const auto devicePixels = [&](int side) { return static_cast<std::uint64_t>(std::lround(side * options.scale)); };
    const ProbeLayout layout = PictureLayout(options);
    const std::uint64_t frameBytes = devicePixels(layout.width) * devicePixels(layout.height) * 4;
    // The surface, plus a copy of every frame for a GIF or a worksheet.
    const bool everyFrame = options.mode == OutputMode::Gif || options.mode == OutputMode::Sheet;
    const std::uint64_t copies = everyFrame ? static_cast<std::uint64_t>(options.frames) : 0;
    return frameBytes * (1 + copies);
}

JobResult RunPictureJob(const RenderOptions& options, DrawFrameFunction drawFrame)
{
    if (std::string problem = checkMemory(options); !problem.empty())
        return FailedJob(kExitBadInput, problem);
    if (std::string problem = CheckWritable(outputPath(options)); !problem.empty())
        return FailedJob(kExitBadInput, problem);
    try {
        switch (options.mode) {
        case OutputMode::Png: return writePng(options, drawFrame);
        case OutputMode::Gif: return writeGif(options, drawFrame);
        case OutputMode::Sheet: return writeSheet(options);
        case OutputMode::Trace: break;
        }
    } catch (const RuntimeError& error) {
        return FailedJob(kExitFailed, error.what());
    } catch (const std::bad_alloc&) {
        return FailedJob(kExitFailed, "out of memory");
    }
    return {};
}

}  // namespace kelvora::render
