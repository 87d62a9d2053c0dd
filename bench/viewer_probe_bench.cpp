// The probe in the real viewer, with and without two particles marked, in
// one run: a capture (drawn again for the smaller picture, as after a
// resize), and a frame shown by コマ送り (the stored frame unpacked, and with
// probes the rings and the graph drawn on it).

#include "viewer/viewer_window.h"
#include "viewer_model/playback_clock.h"

#include <QCoreApplication>
#include <QRadioButton>

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

namespace kelvora {
namespace {

// Time moves only when the benchmark says, so a resize's wait to settle
// costs nothing.
class ManualClock : public PlaybackClock {
public:
    std::int64_t nowMs() override { return now_; }
    void wakeAt(std::int64_t dueMs, std::function<void()> callback) override
    {
        due_ = dueMs;
        callback_ = std::move(callback);
    }
    void cancel() override { callback_ = nullptr; }
    void fire()
    {
        now_ = std::max(now_, due_);
        if (auto callback = std::move(callback_))
            callback();
    }

private:
    std::int64_t now_ = 1000;
    std::int64_t due_ = 0;
    std::function<void()> callback_;
};

struct Probed {
    std::unique_ptr<ViewerWindow> viewer;
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();

    // Scene `sceneIndex` with 24 frames drawn, and `probes` particles marked
    // (the frames then drawn again for the picture beside the graph).
    Probed(int sceneIndex, int probes)
        : viewer(std::make_unique<ViewerWindow>(sceneIndex))
    {
        viewer->setPlaybackClock(clock);
        viewer->setMessageSink([](const QString&) {});
        viewer->frames24()->setChecked(true);
        viewer->show();
        QCoreApplication::processEvents();
        viewer->model().pressDraw();
        waitForCapture();
        for (int n = 0; n < probes; ++n) {
            const int w = viewer->picture()->surface().logicalWidth();
            const int h = viewer->picture()->surface().logicalHeight();
            viewer->model().clickPicture(w * (0.3 + 0.3 * n), h * 0.5, w, h, w, h);
        }
        recapture();
    }
    void waitForCapture()
    {
        while (viewer->isCapturing())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    // The capture a resize asks for once it settles.
    void recapture()
    {
        viewer->model().pictureResized();
        clock->fire();
        waitForCapture();
    }
};

// Arg 0: scene; arg 1: particles marked.
void BM_CaptureWithProbes(benchmark::State& state)
{
    Probed p(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state)
        p.recapture();
    state.counters["probes"] = static_cast<double>(p.viewer->model().probe().marks().sites.size());
    state.counters["width"] = p.viewer->picture()->surface().logicalWidth();
}

void BM_StepShownWithProbes(benchmark::State& state)
{
    Probed p(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state)
        p.viewer->model().pressStep();
    state.counters["probes"] = static_cast<double>(p.viewer->model().probe().marks().sites.size());
}

void probeArgs(benchmark::internal::Benchmark* b)
{
    for (int scene : {2, 8})
        for (int probes : {0, 2})
            b->Args({scene, probes});
}

BENCHMARK(BM_CaptureWithProbes)->Apply(probeArgs)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StepShownWithProbes)->Apply(probeArgs)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kelvora
