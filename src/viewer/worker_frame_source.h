#pragma once

#include "viewer/capture_workers.h"
#include "viewer_model/frame_source.h"

#include <QObject>

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>

namespace kelvora {

class FrameStore;
class PictureBox;
class ViewerModel;

// Frames drawn on worker threads, two or more at once, each from the
// drawing state the frame before it is expected to leave; they are handed
// to the model strictly in order from the window's thread. The model takes
// a frame only when the frame before it really left the state, frame
// number and parameter it was drawn from; otherwise the frames ahead are
// dropped and drawn again from the real start. So the frames kept are those
// of a one-by-one capture, and a scene whose state settles (every scene
// here) has each frame drawn once.
class WorkerFrameSource : public FrameSource {
public:
    // context: the object on whose thread the frames are handed in.
    WorkerFrameSource(ViewerModel& model, FrameStore& store, PictureBox& picture, QObject* context);
    ~WorkerFrameSource() override;

    void drawFrom(const FrameStart& start, const SceneContext& context) override;
    void cancel() override;
    bool drawsOnPicture() const override { return false; }
    void keepFrame(int k) override;
    void showFrame(int k) override;

    // Replaces DrawCaptureFrame, before the first capture: a renderer that
    // may run on several threads at once.
    void setRenderer(FrameRenderer renderer) { renderer_ = std::move(renderer); }
    // The picture's surface was made anew: threads for its size are started
    // at the next frame asked for.
    void surfaceReplaced()
    {
        cancel();
        workers_.reset();
    }
    // Frames the threads have drawn so far.
    int drawCount() const { return workers_ ? workers_->drawCount() : 0; }

private:
    struct Ahead {
        std::uint64_t ticket;
        FrameStart start;
    };

    CaptureWorkers& workers();
    void queueAhead(const SceneContext& context);
    void handFramesIn();
    // Hands the next frame in from the event loop (from any thread).
    void wake();

    ViewerModel& model_;
    FrameStore& store_;
    PictureBox& picture_;
    QObject* context_;
    FrameRenderer renderer_;
    // One wake-up waiting at a time is enough. Declared before the workers,
    // whose threads use it until they are joined.
    std::atomic<bool> wakePosted_{false};
    std::unique_ptr<CaptureWorkers> workers_;
    std::deque<Ahead> ahead_;
    // The last frame handed in left the state, parameter and frame number
    // it started from: the next ones are likely to start from them too.
    bool steady_ = false;
    DrawnFrame* current_ = nullptr;  // the frame being handed in
};

}  // namespace kelvora
