// Showing a frame with probes costs drawing their rings on the picture and
// their displacement-time graph under it, every frame shown; the graph's
// values are worked out once. Sized as in the viewer on a 1920 x 1080
// screen: a picture of 1436 x 860.

#include "canvas/canvas.h"
#include "probe/probe.h"
#include "probe/probe_graph.h"
#include "raster/raster_surface.h"
#include "scenes/medium.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace kelvora {
namespace {

constexpr int kFrames = 24;

// Two probes on scene 2, or on the water of scene 8.
std::vector<MediumSite> twoProbes(int sceneIndex, const Medium& medium)
{
    if (sceneIndex == 8)
        return {*SiteNear(medium, 480, 100), *SiteNear(medium, 340, 120)};
    return {*SiteNear(medium, 245, 0), *SiteNear(medium, 35, 0)};
}

void BM_ProbeGraphPerFrameShown(benchmark::State& state)
{
    const int sceneIndex = static_cast<int>(state.range(0));
    SceneContext context;
    context.lastFrame = kFrames - 1;
    const Medium medium = *MediumOf(sceneIndex, context);
    const ProbeGraph graph = MakeProbeGraph(twoProbes(sceneIndex, medium), MediumAmplitude(medium), kFrames);
    const ProbeLayout layout = LayOutProbeGraph(1436, 860);
    RasterSurface surface(layout.graph.width, layout.graph.height);
    Canvas canvas(surface, layout.graph.width, layout.graph.height);
    int frame = 0;
    const GraphContent content = static_cast<GraphContent>(state.range(1));
    for (auto _ : state) {
        DrawProbeGraph(canvas, graph, content, frame);
        frame = (frame + 1) % kFrames;
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}
BENCHMARK(BM_ProbeGraphPerFrameShown)->Args({2, 0})->Args({2, 2})->Args({8, 2})->Unit(benchmark::kMicrosecond);

void BM_ProbeRingsPerFrameShown(benchmark::State& state)
{
    const int sceneIndex = static_cast<int>(state.range(0));
    SceneContext context;
    context.lastFrame = kFrames - 1;
    const Medium medium = *MediumOf(sceneIndex, context);
    const std::vector<MediumSite> sites = twoProbes(sceneIndex, medium);
    RasterSurface surface(1436, 860);
    Canvas canvas(surface, 1436, 860);
    canvas.Scale(0, 240, 640, 0);
    int frame = 0;
    for (auto _ : state) {
        DrawProbeRings(canvas, sites, frame / double(kFrames));
        frame = (frame + 1) % kFrames;
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}
BENCHMARK(BM_ProbeRingsPerFrameShown)->Arg(2)->Arg(8)->Unit(benchmark::kMicrosecond);

// Working out a graph's values once, when a probe is placed.
void BM_ProbeGraphValues(benchmark::State& state)
{
    const int sceneIndex = static_cast<int>(state.range(0));
    SceneContext context;
    context.lastFrame = kFrames - 1;
    const Medium medium = *MediumOf(sceneIndex, context);
    for (auto _ : state)
        benchmark::DoNotOptimize(MakeProbeGraph(twoProbes(sceneIndex, medium), MediumAmplitude(medium), kFrames));
}
BENCHMARK(BM_ProbeGraphValues)->Arg(2)->Arg(8)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kelvora
