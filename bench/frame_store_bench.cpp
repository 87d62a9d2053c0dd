// The frame store: unpacking a stored frame into the drawing surface's
// image (what ShowStoredFrame does before it asks for a repaint), packing
// one, and the memory 24 frames take, at 1440 x 830 and 2880 x 1730.

#include "canvas/canvas.h"
#include "raster/raster_surface.h"
#include "scenes/scene_catalogue.h"
#include "viewer/frame_store.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace kelvora {
namespace {

constexpr int kFrames = 24;

QSize sizeOf(std::int64_t wide) { return wide ? QSize(2880, 1730) : QSize(1440, 830); }

// 24 frames of a scene drawn at the given size into a store.
struct StoredScene {
    StoredScene(int sceneIndex, QSize size)
        : surface(size.width(), size.height())
        , canvas(surface, size.width(), size.height())
    {
        SceneContext context;
        context.lastFrame = kFrames - 1;
        context.screenWidth = 1920;
        context.screenHeight = 1080;
        ParameterControl parameter;
        context.parameter = &parameter;
        for (std::int16_t k = 0; k < kFrames; ++k) {
            std::int16_t frameNo = k;
            DrawCaptureFrame(sceneIndex, canvas, frameNo, context);
            store.allocate(k, size, 4);
            store.write(k, surface.image());
        }
    }
    RasterSurface surface;
    Canvas canvas;
    FrameStore store;
};

// Arg 0: scene; arg 1: 0 for 1440 x 830, 1 for 2880 x 1730.
void BM_ShowStoredFrame(benchmark::State& state)
{
    const QSize size = sizeOf(state.range(1));
    StoredScene scene(static_cast<int>(state.range(0)), size);
    QImage& target = scene.surface.pixelsForWriting();
    int k = 0;
    for (auto _ : state) {
        scene.store.read(k, target);
        k = (k + 1) % kFrames;
        benchmark::DoNotOptimize(target.constBits());
    }
}

void BM_StoreFrame(benchmark::State& state)
{
    const QSize size = sizeOf(state.range(1));
    StoredScene scene(static_cast<int>(state.range(0)), size);
    const QImage& frame = scene.surface.image();
    for (auto _ : state)
        scene.store.write(0, frame);
}

// Bytes held by 24 frames of every scene at 2880 x 1730.
void BM_StoreMemory(benchmark::State& state)
{
    const QSize size = sizeOf(1);
    for (auto _ : state) {
        StoredScene scene(static_cast<int>(state.range(0)), size);
        state.counters["storeMB"] = static_cast<double>(scene.store.heldBytes()) / 1e6;
        state.counters["rgb32MB"] = kFrames * 4.0 * size.width() * size.height() / 1e6;
    }
}

void showArgs(benchmark::internal::Benchmark* b)
{
    for (int scene : {0, 8, 14})
        for (int wide : {0, 1})
            b->Args({scene, wide});
}

BENCHMARK(BM_ShowStoredFrame)->Apply(showArgs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreFrame)->Apply(showArgs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreMemory)->DenseRange(0, kSceneCount - 1)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kelvora

namespace kelvora {
namespace {

// Drawing alone: 24 capture frames of a scene on one raster surface of the
// viewer's size, on one thread, stored nowhere.
void BM_DrawFrames(benchmark::State& state)
{
    RasterSurface surface(1436, 860);
    Canvas canvas(surface, 1436, 860);
    SceneContext context;
    context.lastFrame = kFrames - 1;
    context.screenWidth = 1920;
    context.screenHeight = 1080;
    ParameterControl parameter;
    context.parameter = &parameter;
    for (auto _ : state) {
        for (std::int16_t k = 0; k < kFrames; ++k) {
            std::int16_t frameNo = k;
            DrawCaptureFrame(static_cast<int>(state.range(0)), canvas, frameNo, context);
        }
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}

BENCHMARK(BM_DrawFrames)->DenseRange(0, kSceneCount - 1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kelvora
