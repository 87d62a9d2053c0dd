// Capture on worker threads: frames are drawn ahead, two or more at once,
// each from the drawing state the frame before it is expected to leave,
// and taken into the store strictly in order. A frame is kept only when
// the frame before it really left the state, frame number and parameter
// it was drawn from; otherwise it is drawn again from the real ones. So
// the stored frames are those of a one-by-one capture, and a scene whose
// state settles (every scene here) has each frame drawn once.

#include "viewer/form1.h"

#include "app/shared_state.h"
#include "canvas/numeric.h"
#include "viewer/capture_workers.h"

#include <QPushButton>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <deque>
#include <new>
#include <thread>

namespace kelvora {

namespace {

// Frames drawn ahead of the one to be stored next.
constexpr std::size_t kFramesAhead = 4;
// Frames are put on the screen at most this often while a capture runs
// (and the last one always): the screen shows no more anyway.
constexpr auto kShowInterval = std::chrono::milliseconds(16);

int workerThreadCount() { return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 4); }

}  // namespace

struct Form1::WorkerCapture {
    struct Ahead {
        std::uint64_t ticket;
        FrameStart start;
    };

    std::unique_ptr<CaptureWorkers> workers;
    std::deque<Ahead> ahead;
    // The last frame stored left the state, parameter and frame number it
    // started from: the next ones are likely to start from them too.
    bool steady = false;
    std::atomic<bool> wakePosted{false};
    std::chrono::steady_clock::time_point lastShown;
};

Form1::WorkerCapture& Form1::workerCapture()
{
    if (!workerCapture_) {
        auto capture = std::make_shared<WorkerCapture>();
        WorkerCapture* raw = capture.get();
        const RasterSurface& surface = picture1_->surface();
        capture->workers = std::make_unique<CaptureWorkers>(Shared().SceneIndex, surface.logicalWidth(),
            surface.logicalHeight(), surface.devicePixelRatio(), workerThreadCount(), [this, raw] {
                // One wake-up at a time is enough: it takes every frame done.
                if (!raw->wakePosted.exchange(true))
                    QMetaObject::invokeMethod(
                        this, [this] { guarded([this] { collectFrames(); }); }, Qt::QueuedConnection);
            });
        workerCapture_ = std::move(capture);
    }
    return *workerCapture_;
}

int Form1::framesDrawnByWorkers() const { return workerCapture_ ? workerCapture_->workers->drawCount() : 0; }

void Form1::stopWorkers()
{
    if (!workerCapture_)
        return;
    workerCapture_->workers->cancelAll();
    workerCapture_->ahead.clear();
}

void Form1::queueFrames()
{
    WorkerCapture& w = workerCapture();
    ParameterControl unused;
    const SceneContext context = sceneContext(unused);
    while (w.ahead.size() < kFramesAhead) {
        FrameStart start;
        if (w.ahead.empty()) {
            // The next frame to store: its start is known exactly.
            start.state = picture1_->canvas().state();
            start.frameNo = vars_.FrameNo;
            start.parameter = readParameterControls();
        } else {
            if (!w.steady)
                break;
            start = w.ahead.back().start;
            start.frameNo = Add16(start.frameNo, 1);
        }
        if (start.frameNo > captureEnd_)
            break;
        w.ahead.push_back({w.workers->submit(start, context), start});
    }
}

void Form1::collectFrames()
{
    if (!workerCapture_)
        return;
    WorkerCapture& w = *workerCapture_;
    w.wakePosted = false;
    while (capturing_ && !unloaded_ && !w.ahead.empty()) {
        std::optional<DrawnFrame> drawn = w.workers->take(w.ahead.front().ticket);
        if (!drawn)
            return;
        w.ahead.pop_front();
        Canvas& canvas = picture1_->canvas();
        const FrameStart actual{canvas.state(), vars_.FrameNo, readParameterControls()};
        if (!SameFrameStart(drawn->start, actual)) {
            // Drawn from a start the previous frame did not leave: this
            // frame and those after it are drawn again from the real one.
            w.workers->recycle(std::move(drawn->pixels));
            stopWorkers();
            w.steady = false;
            break;
        }
        canvas.RestoreState(drawn->endState);
        if (drawn->error) {
            // A run-time error of the scene goes on to the error handler.
            try {
                std::rethrow_exception(drawn->error);
            } catch (const std::bad_alloc&) {
                captureOutOfMemory();
                return;
            }
        }

        vars_.FrameNo = drawn->frameNoAfter;
        const bool last = vars_.FrameNo >= captureEnd_;
        const auto now = std::chrono::steady_clock::now();
        // Handing the parameter back may move HScroll2, whose handler ends
        // the capture and releases the store.
        writeParameterControls(drawn->parameterAfter);
        if (last || !capturing_ || now - w.lastShown >= kShowInterval) {
            DecodeFrame(drawn->pixels, picture1_->surface().pixelsForWriting());
            picture1_->update();
            noteShownFrame(vars_.FrameNo);
            w.lastShown = now;
        }
        if (!capturing_)
            return;
        w.steady = SameFrameStart({drawn->endState, drawn->frameNoAfter, drawn->parameterAfter}, drawn->start);
        try {
            frameStore_.put(vars_.FrameNo, drawn->pixels);
        } catch (const std::bad_alloc&) {
            captureOutOfMemory();
            return;
        }
        w.workers->recycle(std::move(drawn->pixels));

        vars_.FrameNo = Add16(vars_.FrameNo, 1);
        if (vars_.FrameNo > captureEnd_) {
            finishCapture();
            return;
        }
    }
    if (capturing_ && !unloaded_)
        queueFrames();
}

}  // namespace kelvora
