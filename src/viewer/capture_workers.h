#pragma once

#include "canvas/draw_state.h"
#include "scenes/scene_context.h"
#include "viewer/frame_store.h"
#include "viewer_model/frame_source.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace kelvora {

// A frame drawn by a worker, packed for the frame store, with what it
// started from and what it left behind.
struct DrawnFrame {
    FrameResult result;
    EncodedFrame pixels;
};

// Threads that draw capture frames of one scene with a renderer that may run
// on several threads at once (DrawCaptureFrame), each on a raster surface of its own of the
// viewer's size, and pack them for the frame store. The caller says what
// each frame starts from; results come back by ticket, in any order.
class CaptureWorkers {
public:
    // resultReady runs on a worker thread whenever a result is waiting.
    CaptureWorkers(int sceneIndex, int logicalWidth, int logicalHeight, double devicePixelRatio, int threadCount,
        FrameRenderer renderer, std::function<void()> resultReady);
    ~CaptureWorkers();
    CaptureWorkers(const CaptureWorkers&) = delete;
    CaptureWorkers& operator=(const CaptureWorkers&) = delete;

    // Queues a frame; context.parameter is ignored (start.parameter is used).
    std::uint64_t submit(const FrameStart& start, const SceneContext& context);
    // The result of ticket, once its frame is done.
    std::optional<DrawnFrame> take(std::uint64_t ticket);
    // Forgets every queued frame and every result; frames being drawn now
    // are dropped when they end.
    void cancelAll();
    // A packed frame's buffer, back for reuse.
    void recycle(EncodedFrame&& buffer);
    // Frames drawn to the end since the workers started.
    int drawCount() const;

private:
    struct Job {
        std::uint64_t ticket;
        std::uint64_t generation;
        FrameStart start;
        SceneContext context;
    };

    void run();

    const int sceneIndex_;
    const int width_;
    const int height_;
    const double devicePixelRatio_;
    const FrameRenderer renderer_;
    const std::function<void()> resultReady_;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> queue_;
    std::map<std::uint64_t, DrawnFrame> results_;
    std::vector<EncodedFrame> spareBuffers_;
    std::uint64_t nextTicket_ = 1;
    std::uint64_t generation_ = 0;
    int drawCount_ = 0;
    bool quitting_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace kelvora
