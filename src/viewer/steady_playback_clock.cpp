#include "viewer/steady_playback_clock.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <thread>
#include <utility>

namespace kelvora {

SteadyPlaybackClock::SteadyPlaybackClock()
{
    timer_.setSingleShot(true);
    // A coarse timer may be 5 % late; frames are due to the millisecond.
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        // The timer is armed for the whole milliseconds left, so it ends
        // up to a millisecond early: sleep off the rest (never run early),
        // or wait again if the timer was earlier still.
        const std::int64_t early = dueMs_ * 1000 - nowMicros();
        if (early > 1000) {
            arm();
            return;
        }
        if (early > 0)
            std::this_thread::sleep_for(std::chrono::microseconds(early));
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

std::int64_t SteadyPlaybackClock::nowMicros()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

void SteadyPlaybackClock::arm()
{
    // Whole milliseconds, rounded down: the timer counts from this very
    // moment, not from the last whole millisecond.
    const std::int64_t wait =
        std::clamp<std::int64_t>((dueMs_ * 1000 - nowMicros()) / 1000, 0, std::numeric_limits<int>::max());
    timer_.start(static_cast<int>(wait));
}

void SteadyPlaybackClock::cancel()
{
    timer_.stop();
    callback_ = nullptr;
}

}  // namespace kelvora
