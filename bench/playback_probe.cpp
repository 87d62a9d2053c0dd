// playback_probe [SECONDS]: opens the real viewer on scene 0 on an
// offscreen 1920 x 1080 screen, captures 24 frames, plays them at 200 ms a
// frame for SECONDS (10) and reports the processor time the process used
// while playing and how late each frame was shown against its due time.

#include "offscreen_screen.h"

#include "viewer/viewer_window.h"
#include "viewer/steady_playback_clock.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

std::int64_t nowMicros()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

double cpuMillis()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
        (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// The real clock, noting for every wake-up how long after its due time the
// frame it shows was on Picture1.
class RecordingClock : public kelvora::PlaybackClock {
public:
    std::vector<double> latenessMs;  // frame on Picture1 (ShowStoredFrame done)
    std::vector<double> wakeMs;      // the clock's wake-up, before the frame

    std::int64_t nowMs() override { return clock_.nowMs(); }
    void wakeAt(std::int64_t dueMs, std::function<void()> callback) override
    {
        clock_.wakeAt(dueMs, [this, dueMs, callback = std::move(callback)] {
            wakeMs.push_back(static_cast<double>(nowMicros() - dueMs * 1000) / 1e3);
            callback();  // shows the due frame, then sets the next wake-up
            latenessMs.push_back(static_cast<double>(nowMicros() - dueMs * 1000) / 1e3);
        });
    }
    void cancel() override { clock_.cancel(); }

private:
    kelvora::SteadyPlaybackClock clock_;
};

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(at, values.size() - 1)];
}

}  // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    kelvora::bench::UseOffscreenScreen(1920, 1080);
    QApplication app(argc, argv);
    auto* viewer = new kelvora::ViewerWindow(0);
    auto clock = std::make_shared<RecordingClock>();
    viewer->setPlaybackClock(clock);
    viewer->setMessageSink([](const QString& text) { std::fprintf(stderr, "%s\n", text.toUtf8().constData()); });
    viewer->frames24()->setChecked(true);
    viewer->show();
    viewer->drawButton()->click();
    while (viewer->isCapturing())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    viewer->speedBar()->setValue(200);
    const QSize area = viewer->picture()->surface().image().size();

    double cpuAtStart = 0;
    std::int64_t wallAtStart = 0;
    QTimer::singleShot(0, [&] {
        cpuAtStart = cpuMillis();
        wallAtStart = nowMicros();
        viewer->playButton()->click();
    });
    QTimer::singleShot(static_cast<int>(seconds * 1000), &app, &QCoreApplication::quit);
    // Quitting closes the viewer, which deletes itself.
    QApplication::exec();
    const double cpu = cpuMillis() - cpuAtStart;
    const double wall = static_cast<double>(nowMicros() - wallAtStart) / 1e3;

    std::printf("drawing area        %d x %d\n", area.width(), area.height());
    std::printf("frames shown        %zu (+1 at the start)\n", clock->latenessMs.size());
    std::printf("wall time           %.0f ms\n", wall);
    std::printf("cpu time            %.1f ms = %.2f %% of one core\n", cpu, 100.0 * cpu / wall);
    std::printf("lateness median     %.3f ms\n", percentile(clock->latenessMs, 0.5));
    std::printf("lateness p99        %.3f ms\n", percentile(clock->latenessMs, 0.99));
    std::printf("lateness max        %.3f ms\n", percentile(clock->latenessMs, 1.0));
    std::printf("wake-up median      %.3f ms late (p99 %.3f ms)\n", percentile(clock->wakeMs, 0.5),
        percentile(clock->wakeMs, 0.99));
    return 0;
}
