#include "viewer/playback_clock.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <utility>

namespace kelvora {

SteadyPlaybackClock::SteadyPlaybackClock()
{
    timer_.setSingleShot(true);
    // A coarse timer may be 5 % late; frames are due to the millisecond.
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        // The timer counts whole milliseconds of its own; never run early.
        if (nowMs() < dueMs_) {
            arm();
            return;
        }
        // The callback may set the next wake-up, replacing callback_.
        std::function<void()> callback = std::move(callback_);
        callback_ = nullptr;
        if (callback)
            callback();
    });
}

std::int64_t SteadyPlaybackClock::nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void SteadyPlaybackClock::wakeAt(std::int64_t dueMs, std::function<void()> callback)
{
    dueMs_ = dueMs;
    callback_ = std::move(callback);
    arm();
}

void SteadyPlaybackClock::arm()
{
    const std::int64_t wait = std::clamp<std::int64_t>(dueMs_ - nowMs(), 0, std::numeric_limits<int>::max());
    timer_.start(static_cast<int>(wait));
}

void SteadyPlaybackClock::cancel()
{
    timer_.stop();
    callback_ = nullptr;
}

}  // namespace kelvora
