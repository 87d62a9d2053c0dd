#include "web/web_playback_clock.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace kelvora {

WebPlaybackClock::WebPlaybackClock(Arm arm, Disarm disarm)
    : arm_(std::move(arm))
    , disarm_(std::move(disarm))
{
}

std::int64_t WebPlaybackClock::nowMs() { return static_cast<std::int64_t>(std::floor(emscripten_get_now())); }

void WebPlaybackClock::wakeAt(std::int64_t dueMs, std::function<void()> callback)
{
    callback_ = std::move(callback);
    ++ticket_;
    // A time already past still waits for the event loop, as setTimeout(0).
    const double delay = std::max(0.0, static_cast<double>(dueMs) - emscripten_get_now());
    arm_(ticket_, delay);
}

void WebPlaybackClock::cancel()
{
    if (!callback_)
        return;
    callback_ = nullptr;
    ++ticket_;
    disarm_();
}

void WebPlaybackClock::fire(int ticket)
{
    if (ticket != ticket_ || !callback_)
        return;
    // The callback may arm the next wake-up, which replaces this one.
    std::function<void()> callback = std::move(callback_);
    callback_ = nullptr;
    callback();
}

}  // namespace kelvora
