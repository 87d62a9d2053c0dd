// A 24-frame capture of the water-interference scenes (8 and 9), the
// heaviest of all: 52,287 points a frame, about 1.25 million a capture.

#include "canvas/canvas.h"
#include "canvas/trace_surface.h"
#include "raster/raster_surface.h"
#include "scenes/capture_cache.h"
#include "scenes/scene_catalogue.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace kelvora {
namespace {

constexpr int kFrames = 24;
constexpr int kPointsPerFrame = 87 * 601;

// Each capture starts with a cache of its own, as in the viewer.
void captureAllFrames(int sceneIndex, Canvas& canvas, SceneContext& context)
{
    context.captureCache = std::make_shared<CaptureCache>();
    for (std::int16_t frameNo = 0; frameNo < kFrames;) {
        std::int16_t frame = frameNo;
        DrawCaptureFrame(sceneIndex, canvas, frame, context);
        frameNo = static_cast<std::int16_t>(frameNo + 1);
    }
}

SceneContext twentyFourFrames()
{
    SceneContext context;
    context.lastFrame = kFrames - 1;
    return context;
}

void BM_WaterCaptureRaster(benchmark::State& state)
{
    const int sceneIndex = static_cast<int>(state.range(0));
    RasterSurface surface(1440, 830);
    Canvas canvas(surface, 1440, 830);
    SceneContext context = twentyFourFrames();
    for (auto _ : state) {
        captureAllFrames(sceneIndex, canvas, context);
        benchmark::DoNotOptimize(surface.image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * kFrames * kPointsPerFrame);
}

void BM_WaterCaptureTrace(benchmark::State& state)
{
    const int sceneIndex = static_cast<int>(state.range(0));
    TraceSurface trace;
    Canvas canvas(trace, 1440, 830);
    SceneContext context = twentyFourFrames();
    for (auto _ : state) {
        trace.clearText();
        captureAllFrames(sceneIndex, canvas, context);
        benchmark::DoNotOptimize(trace.text().data());
    }
    state.SetItemsProcessed(state.iterations() * kFrames * kPointsPerFrame);
}

BENCHMARK(BM_WaterCaptureRaster)->Arg(8)->Arg(9)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WaterCaptureTrace)->Arg(8)->Arg(9)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kelvora
