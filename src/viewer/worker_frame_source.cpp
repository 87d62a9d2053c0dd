#include "viewer/worker_frame_source.h"

#include "canvas/numeric.h"
#include "viewer/frame_store.h"
#include "scenes/scene_catalogue.h"
#include "viewer/picture_box.h"
#include "viewer_model/viewer_model.h"

#include <QMetaObject>

#include <algorithm>
#include <optional>
#include <thread>

namespace kelvora {

namespace {

// Frames drawn ahead of the one to be kept next.
constexpr std::size_t kFramesAhead = 4;

int workerThreadCount() { return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 4); }

}  // namespace

WorkerFrameSource::WorkerFrameSource(ViewerModel& model, FrameStore& store, PictureBox& picture, QObject* context)
    : model_(model)
    , store_(store)
    , picture_(picture)
    , context_(context)
    , renderer_(&DrawCaptureFrame)
{
}

// Joins the drawing threads.
WorkerFrameSource::~WorkerFrameSource() = default;

CaptureWorkers& WorkerFrameSource::workers()
{
    if (!workers_) {
        const RasterSurface& surface = picture_.surface();
        workers_ = std::make_unique<CaptureWorkers>(model_.sceneIndex(), surface.logicalWidth(),
            surface.logicalHeight(), surface.devicePixelRatio(), workerThreadCount(), renderer_,
            [this] { wake(); });
    }
    return *workers_;
}

void WorkerFrameSource::drawFrom(const FrameStart& start, const SceneContext& context)
{
    // The frame drawn ahead for this start, if the guess was right, is the
    // first one waiting; the model checks it when it comes in.
    if (ahead_.empty())
        ahead_.push_back({workers().submit(start, context), start});
    queueAhead(context);
}

void WorkerFrameSource::queueAhead(const SceneContext& context)
{
    while (steady_ && ahead_.size() < kFramesAhead) {
        FrameStart start = ahead_.back().start;
        start.frameNo = Add16(start.frameNo, 1);
        if (start.frameNo > context.lastFrame)
            break;
        ahead_.push_back({workers().submit(start, context), start});
    }
}

void WorkerFrameSource::cancel()
{
    if (workers_)
        workers_->cancelAll();
    ahead_.clear();
}

void WorkerFrameSource::keepFrame(int k) { store_.put(k, current_->pixels); }

void WorkerFrameSource::showFrame(int k)
{
    // Unpacked from the store straight into the drawing surface.
    store_.read(k, picture_.surface().pixelsForWriting());
    picture_.update();
}

// One frame a pass of the event loop, in order, so the window stays live
// between two frames as it does when they are drawn on the picture.
void WorkerFrameSource::handFramesIn()
{
    wakePosted_ = false;
    if (ahead_.empty())
        return;
    std::optional<DrawnFrame> drawn = workers_->take(ahead_.front().ticket);
    if (!drawn)
        return;  // its thread wakes this up when it is done
    ahead_.pop_front();
    const FrameResult& r = drawn->result;
    steady_ = !r.error && SameFrameStart({r.endState, r.frameNoAfter, r.parameterAfter}, r.start);
    current_ = &*drawn;
    const bool taken = model_.frameDrawn(r);
    current_ = nullptr;
    workers_->recycle(std::move(drawn->pixels));
    if (!taken) {
        // Drawn from a start the frame before did not leave: the frames
        // ahead are dropped, and the one wanted is drawn from the real
        // start.
        cancel();
        steady_ = false;
        if (model_.isCapturing())
            drawFrom(model_.captureStart(), model_.sceneContext(nullptr));
        return;
    }
    if (!ahead_.empty())
        wake();
}

void WorkerFrameSource::wake()
{
    if (!wakePosted_.exchange(true))
        QMetaObject::invokeMethod(context_, [this] { handFramesIn(); }, Qt::QueuedConnection);
}

}  // namespace kelvora
