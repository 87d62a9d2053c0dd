// Capture of all frames of a scene through the real viewer (描画 pressed,
// the event loop run until the last frame is stored), beside its floors:
// writing the same bytes, and for the water scenes their arithmetic alone.

#include "canvas/canvas.h"
#include "canvas/canvas_backend.h"
#include "raster/raster_surface.h"
#include "scenes/capture_cache.h"
#include "scenes/scene_catalogue.h"
#include "viewer/viewer_window.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRadioButton>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstring>
#include <string>
#include <memory>
#include <vector>

namespace kelvora {
namespace {

constexpr int kFrames = 24;

struct ViewerDeleter {
    void operator()(ViewerWindow* viewer) const { delete viewer; }
};
using Viewer = std::unique_ptr<ViewerWindow, ViewerDeleter>;

Viewer openViewer(int sceneIndex, bool workers)
{
    Viewer viewer(new ViewerWindow(sceneIndex));
    viewer->setMessageSink([](const QString&) {});
    viewer->setParallelCapture(workers);
    viewer->frames24()->setChecked(true);
    viewer->show();
    QCoreApplication::processEvents();
    return viewer;
}

void captureAndWait(ViewerWindow& viewer)
{
    viewer.drawButton()->click();
    while (viewer.isCapturing())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// Processor time of the whole process, every thread, in milliseconds.
double processCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
        (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

QSize drawingArea()
{
    const Viewer viewer = openViewer(0, false);
    return viewer->picture()->surface().image().size();
}

// Arg 0: scene; arg 1: 1 to draw on worker threads, 0 one by one.
void BM_Capture(benchmark::State& state)
{
    const Viewer viewer = openViewer(static_cast<int>(state.range(0)), state.range(1) != 0);
    captureAndWait(*viewer);  // the first capture settles the drawing state
    const double cpuBefore = processCpuMs();
    for (auto _ : state)
        captureAndWait(*viewer);
    // Benchmark's own CPU column counts the main thread only.
    state.counters["cpuAllThreadsMs"] = (processCpuMs() - cpuBefore) / static_cast<double>(state.iterations());
    const QSize size = viewer->picture()->surface().image().size();
    state.counters["width"] = size.width();
    state.counters["height"] = size.height();
    state.counters["storeMB"] = static_cast<double>(viewer->frameStore().heldBytes()) / 1e6;
}

// Writing 24 frames of the drawing area at `bytesPerPixel`: 4 is what
// clearing an RGB32 surface for every frame costs at the least, 1 is the
// bytes the store keeps.
void writeFloor(benchmark::State& state, std::size_t bytesPerPixel)
{
    const QSize size = drawingArea();
    const std::size_t bytes =
        static_cast<std::size_t>(size.width()) * static_cast<std::size_t>(size.height()) * bytesPerPixel;
    std::vector<std::unique_ptr<std::uint8_t[]>> frames;
    for (int k = 0; k < kFrames; ++k)
        frames.push_back(std::make_unique<std::uint8_t[]>(bytes));
    int value = 0;
    for (auto _ : state) {
        for (auto& frame : frames) {
            std::memset(frame.get(), ++value & 0xFF, bytes);
            benchmark::DoNotOptimize(frame.get());
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kFrames * static_cast<std::int64_t>(bytes));
}

void BM_WriteFloorRgb32(benchmark::State& state) { writeFloor(state, 4); }
void BM_WriteFloorStore(benchmark::State& state) { writeFloor(state, 1); }

// Draws nothing: what is left is the scene's own work.
class DiscardingBackend : public CanvasBackend {
public:
    void scaleChanged(const DrawState&) override {}
    void clear(const DrawState&) override {}
    void line(const DrawState&, float, float, float, float, Color) override {}
    void filledBox(const DrawState&, float, float, float, float, Color) override {}
    void circle(const DrawState&, float, float, float, Color) override {}
    void pset(const DrawState&, float, float, Color) override {}
    void print(const DrawState&, const std::string&) override {}
};

// The water scenes' arithmetic for a capture of 24 frames, every point's
// heights and projection, on one thread, drawing nothing.
void BM_WaterArithmetic(benchmark::State& state)
{
    DiscardingBackend nothing;
    Canvas canvas(nothing, 1436, 860);
    SceneContext context;
    context.lastFrame = kFrames - 1;
    for (auto _ : state) {
        context.captureCache = std::make_shared<CaptureCache>();
        for (std::int16_t frame = 0; frame < kFrames; ++frame) {
            std::int16_t frameNo = frame;
            DrawCaptureFrame(static_cast<int>(state.range(0)), canvas, frameNo, context);
        }
    }
    state.SetItemsProcessed(state.iterations() * kFrames * 87 * 601);
}

void captureArgs(benchmark::internal::Benchmark* b)
{
    for (int scene = 0; scene < kSceneCount; ++scene)
        for (int workers : {1, 0})
            b->Args({scene, workers});
}

BENCHMARK(BM_Capture)->Apply(captureArgs)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteFloorRgb32)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteFloorStore)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WaterArithmetic)->Arg(8)->Arg(9)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kelvora
