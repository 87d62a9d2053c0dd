#include "viewer/capture_workers.h"

#include "canvas/canvas.h"
#include "raster/raster_surface.h"

#include <utility>

namespace kelvora {

CaptureWorkers::CaptureWorkers(int sceneIndex, int logicalWidth, int logicalHeight, double devicePixelRatio,
    int threadCount, FrameRenderer renderer, std::function<void()> resultReady)
    : sceneIndex_(sceneIndex)
    , width_(logicalWidth)
    , height_(logicalHeight)
    , devicePixelRatio_(devicePixelRatio)
    , renderer_(std::move(renderer))
    , resultReady_(std::move(resultReady))
{
    for (int i = 0; i < std::max(threadCount, 1); ++i)
        threads_.emplace_back([this] { run(); });
}

CaptureWorkers::~CaptureWorkers()
{
    {
        const std::lock_guard lock(mutex_);
        quitting_ = true;
        queue_.clear();
    }
    wake_.notify_all();
    for (std::thread& thread : threads_)
        thread.join();
}

std::uint64_t CaptureWorkers::submit(const FrameStart& start, const SceneContext& context)
{
    std::uint64_t ticket = 0;
    {
        const std::lock_guard lock(mutex_);
        ticket = nextTicket_++;
        queue_.push_back({ticket, generation_, start, context});
    }
    wake_.notify_one();
    return ticket;
}

std::optional<DrawnFrame> CaptureWorkers::take(std::uint64_t ticket)
{
    const std::lock_guard lock(mutex_);
    const auto found = results_.find(ticket);
    if (found == results_.end())
        return std::nullopt;
    std::optional<DrawnFrame> result(std::move(found->second));
    results_.erase(found);
    return result;
}

void CaptureWorkers::cancelAll()
{
    const std::lock_guard lock(mutex_);
    ++generation_;
    queue_.clear();
    for (auto& [ticket, frame] : results_)
        spareBuffers_.push_back(std::move(frame.pixels));
    results_.clear();
}

void CaptureWorkers::recycle(EncodedFrame&& buffer)
{
    if (!buffer.bits)
        return;
    const std::lock_guard lock(mutex_);
    spareBuffers_.push_back(std::move(buffer));
}

int CaptureWorkers::drawCount() const
{
    const std::lock_guard lock(mutex_);
    return drawCount_;
}

void CaptureWorkers::run()
{
    // Each thread draws on a surface of its own, made on the thread that
    // uses it.
    RasterSurface surface(width_, height_, devicePixelRatio_);
    Canvas canvas(surface, surface.logicalWidth(), surface.logicalHeight());
    for (;;) {
        Job job;
        DrawnFrame drawn;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return quitting_ || !queue_.empty(); });
            if (quitting_)
                return;
            job = std::move(queue_.front());
            queue_.pop_front();
            if (!spareBuffers_.empty()) {
                drawn.pixels = std::move(spareBuffers_.back());
                spareBuffers_.pop_back();
            }
        }
        drawn.result = DrawFrameFrom(sceneIndex_, canvas, job.start, job.context, renderer_);
        if (!drawn.result.error) {
            try {
                EncodeFrame(surface.image(), drawn.pixels);
            } catch (...) {
                drawn.result.error = std::current_exception();
            }
        }
        {
            const std::lock_guard lock(mutex_);
            ++drawCount_;
            if (job.generation != generation_) {
                spareBuffers_.push_back(std::move(drawn.pixels));
                continue;
            }
            results_.emplace(job.ticket, std::move(drawn));
        }
        resultReady_();
    }
}

}  // namespace kelvora
