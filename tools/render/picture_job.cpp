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

#include <cmath>
#include <cstdio>
#include <optional>
#include <new>
#include <unistd.h>
#include <vector>

namespace kelvora::render {

static_assert(kMaxDelayMs == kMaxGifDelayMs, "--delay accepts what a GIF holds");

namespace {

// A scene's frames drawn as a capture draws them: in order on one surface,
// each a Cls and then the scene's DrawFrame, so each frame starts from the
// state the last one left. With probes, a frame is handed on ringed, over
// its graph.
class CaptureSequence {
public:
    CaptureSequence(const RenderOptions& options, DrawFrameFunction drawFrame)
        : surface_(options.size.width, options.size.height, options.scale)
        , canvas_(surface_, options.size.width, options.size.height)
        , context_(RenderSceneContext(options, control_))
        , drawFrame_(drawFrame)
        , probes_(options, ProbeSites(options, context_), amplitudeOf(options, context_))
    {
    }

    // Draws the next frame; FrameNo itself is the loop variable handed to
    // the scene, as in a capture.
    void drawNext()
    {
        canvas_.Cls();
        drawFrame_(canvas_, frameNo_, context_);
        ++frameNo_;
    }
    // Draws frames up to and including k.
    void drawThrough(int k)
    {
        while (frameNo_ <= k)
            drawNext();
    }
    // The frame drawn last as the picture shows it: a copy, since drawing
    // goes on in the surface's own pixels.
    QImage snapshot()
    {
        QImage copy = probes_.empty() ? surface_.snapshot() : probes_.WithGraph(surface_.image(), canvas_.state(), last());
        if (copy.isNull())
            throw std::bad_alloc();
        return copy;
    }
    // The frame drawn last, without a copy where no probe is drawn on it.
    QImage picture() { return probes_.empty() ? surface_.image() : snapshot(); }

private:
    static double amplitudeOf(const RenderOptions& options, const SceneContext& context)
    {
        const std::optional<Medium> medium = MediumOf(options.scene, context);
        return medium ? MediumAmplitude(*medium) : 1;
    }
    int last() const { return frameNo_ - 1; }

    RasterSurface surface_;
    Canvas canvas_;
    ParameterControl control_;
    SceneContext context_;
    DrawFrameFunction drawFrame_;
    ProbePictures probes_;
    std::int16_t frameNo_ = 0;
};

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
        + (options.mode == OutputMode::Gif ? std::to_string(options.frames) + " frames need "
                : options.mode == OutputMode::Sheet ? "the worksheet needs "
                                                    : "the frame needs ")
        + gibibytes(needed) + " of memory, more than half of this machine's " + gibibytes(physical);
}

JobResult writePng(const RenderOptions& options, DrawFrameFunction drawFrame)
{
    CaptureSequence capture(options, drawFrame);
    capture.drawThrough(options.frame);
    const ExportResult written = WritePng(options.output, capture.picture());
    if (!written.ok)
        return FailedJob(kExitFailed, written.error);
    return {};
}

JobResult writeGif(const RenderOptions& options, DrawFrameFunction drawFrame)
{
    std::vector<QImage> frames;
    {
        CaptureSequence capture(options, drawFrame);
        frames.reserve(static_cast<std::size_t>(options.frames));
        for (int k = 0; k < options.frames; ++k) {
            capture.drawNext();
            frames.push_back(capture.snapshot());
        }
    }
    const ExportResult written = WriteAnimatedGif(options.output, frames, options.delayMs);
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
    const ExportResult written = WriteSceneWorksheet(options.output, sheet);
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
    // The surface, plus a copy of every frame for a GIF, or of the frame
    // being put on the page of a worksheet.
    const std::uint64_t copies = options.mode == OutputMode::Gif ? static_cast<std::uint64_t>(options.frames)
        : options.mode == OutputMode::Sheet                       ? 1
                                                                  : 0;
    return frameBytes * (1 + copies);
}

JobResult RunPictureJob(const RenderOptions& options, DrawFrameFunction drawFrame)
{
    if (std::string problem = checkMemory(options); !problem.empty())
        return FailedJob(kExitBadInput, problem);
    if (std::string problem = CheckWritable(options.output); !problem.empty())
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
