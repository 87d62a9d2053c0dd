// The viewer window as the model's host: the frame store of the picture's
// pixels, the pacing of capture from the event loop, and capture on
// worker threads. Those threads draw frames ahead, two or more at once,
// each from the drawing state the frame before it is expected to leave,
// and the frames are taken into the store strictly in order. A frame is
// kept only when the frame before it really left the state, frame number
// and parameter it was drawn from; otherwise it is drawn again from the
// real ones. So the stored frames are those of a one-by-one capture, and
// a scene whose state settles (every scene here) has each frame drawn once.

#include "viewer/viewer_window.h"

#include "canvas/numeric.h"
#include "viewer/capture_workers.h"
#include "viewer/runtime_error_report.h"

#include <QScreen>

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

Canvas& ViewerWindow::canvas() { return picture_->canvas(); }

int ViewerWindow::screenWidth() const { return screen()->geometry().width(); }

int ViewerWindow::screenHeight() const { return screen()->geometry().height(); }

void ViewerWindow::allocateFrames(int count)
{
    if (picture_->surfaceOutOfDate()) {
        // Frames of the new size, and drawing threads for it.
        workerCapture_.reset();
        picture_->createSurface();
    }
    const QImage& pixels = picture_->surface().image();
    geometry_.BytesPerPixel = ToInt32(pixels.depth() / 8.0);
    geometry_.PicWidth = ToInt32(picture_->width());
    geometry_.PicHeight = ToInt32(picture_->height());
    for (int k = 0; k < count; ++k)
        frameStore_.allocate(k, pixels.size(), geometry_.BytesPerPixel);
}

void ViewerWindow::storeFrame(int k)
{
    frameStore_.write(k, picture_->surface().image());
    picture_->repaint();
}

bool ViewerWindow::showFrame(int k)
{
    // Unpacked straight into the drawing surface, with no copy between.
    QImage& pixels = picture_->surface().pixelsForWriting();
    if (!frameStore_.holds(k) || frameStore_.frameSize(k) != pixels.size())
        return false;
    frameStore_.read(k, pixels);
    picture_->update();
    return true;
}

void ViewerWindow::releaseFrames() { frameStore_.releaseAll(); }

void ViewerWindow::scheduleCapture()
{
    if (usesWorkers()) {
        queueFrames();
        return;
    }
    // One frame per pass of the event loop, so each frame is seen as it is
    // drawn and the live controls stay live in between.
    captureTimer_.start(0);
}

void ViewerWindow::cancelCapture()
{
    captureTimer_.stop();
    stopWorkers();
}

void ViewerWindow::showMessage(const std::string& text) { messageSink_(QString::fromStdString(text)); }

void ViewerWindow::reportRuntimeError(const RuntimeError& error) { ReportRuntimeError(error); }

struct ViewerWindow::WorkerCapture {
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

ViewerWindow::WorkerCapture& ViewerWindow::workerCapture()
{
    if (!workerCapture_) {
        auto capture = std::make_shared<WorkerCapture>();
        WorkerCapture* raw = capture.get();
        const RasterSurface& surface = picture_->surface();
        capture->workers = std::make_unique<CaptureWorkers>(model_->sceneIndex(), surface.logicalWidth(),
            surface.logicalHeight(), surface.devicePixelRatio(), workerThreadCount(), [this, raw] {
                // One wake-up at a time is enough: it takes every frame done.
                if (!raw->wakePosted.exchange(true))
                    QMetaObject::invokeMethod(this, [this] { collectFrames(); }, Qt::QueuedConnection);
            });
        workerCapture_ = std::move(capture);
    }
    return *workerCapture_;
}

int ViewerWindow::framesDrawnByWorkers() const
{
    return workerCapture_ ? workerCapture_->workers->drawCount() : 0;
}

void ViewerWindow::stopWorkers()
{
    if (!workerCapture_)
        return;
    workerCapture_->workers->cancelAll();
    workerCapture_->ahead.clear();
}

void ViewerWindow::queueFrames()
{
    WorkerCapture& w = workerCapture();
    const SceneContext context = model_->sceneContext(nullptr);
    while (w.ahead.size() < kFramesAhead) {
        FrameStart start;
        if (w.ahead.empty()) {
            // The next frame to store: its start is known exactly.
            start = model_->captureStart();
        } else {
            if (!w.steady)
                break;
            start = w.ahead.back().start;
            start.frameNo = Add16(start.frameNo, 1);
        }
        if (start.frameNo > model_->lastFrame())
            break;
        w.ahead.push_back({w.workers->submit(start, context), start});
    }
}

void ViewerWindow::collectFrames()
{
    if (!workerCapture_)
        return;
    workerCapture_->wakePosted = false;
    try {
        takeFramesInOrder();
    } catch (const RuntimeError& error) {
        model_->fail(error);
    }
}

void ViewerWindow::takeFramesInOrder()
{
    WorkerCapture& w = *workerCapture_;
    while (model_->isCapturing() && !w.ahead.empty()) {
        std::optional<DrawnFrame> drawn = w.workers->take(w.ahead.front().ticket);
        if (!drawn)
            return;
        w.ahead.pop_front();
        if (!SameFrameStart(drawn->start, model_->captureStart())) {
            // Drawn from a start the previous frame did not leave: this
            // frame and those after it are drawn again from the real one.
            w.workers->recycle(std::move(drawn->pixels));
            stopWorkers();
            w.steady = false;
            break;
        }
        if (drawn->error) {
            // The state the frame left up to the error stays, as if it had
            // been drawn here; the error goes on to the model.
            picture_->canvas().RestoreState(drawn->endState);
            try {
                std::rethrow_exception(drawn->error);
            } catch (const std::bad_alloc&) {
                model_->captureOutOfMemory();
                return;
            }
        }

        const bool stillCapturing =
            model_->takeDrawnFrame(drawn->endState, drawn->frameNoAfter, drawn->parameterAfter);
        const int k = model_->frameNo();
        const auto now = std::chrono::steady_clock::now();
        if (k >= model_->lastFrame() || !stillCapturing || now - w.lastShown >= kShowInterval) {
            DecodeFrame(drawn->pixels, picture_->surface().pixelsForWriting());
            picture_->update();
            model_->noteShownFrame(k);
            w.lastShown = now;
        }
        if (!stillCapturing)
            return;
        w.steady = SameFrameStart({drawn->endState, drawn->frameNoAfter, drawn->parameterAfter}, drawn->start);
        try {
            frameStore_.put(k, drawn->pixels);
        } catch (const std::bad_alloc&) {
            model_->captureOutOfMemory();
            return;
        }
        w.workers->recycle(std::move(drawn->pixels));
        if (!model_->frameStored())
            return;
    }
    if (model_->isCapturing())
        queueFrames();
}

}  // namespace kelvora
