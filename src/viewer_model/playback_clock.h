#pragma once

#include <cstdint>
#include <functional>

namespace kelvora {

// The time source and the alarm of playback: a monotonic millisecond count
// in 64 bits (it does not wrap within any run) and one pending wake-up.
// Each front end brings its own (a precise timer on the desktop, the
// browser's timers on the web); tests put a fake in its place and run the
// schedule without waiting.
class PlaybackClock {
public:
    virtual ~PlaybackClock() = default;

    virtual std::int64_t nowMs() = 0;
    // Runs callback from the event loop once nowMs() has reached due,
    // replacing any wake-up still pending. A due time already past still
    // goes through the event loop first, so pending window events run.
    virtual void wakeAt(std::int64_t dueMs, std::function<void()> callback) = 0;
    // Drops the pending wake-up, if any.
    virtual void cancel() = 0;
};

}  // namespace kelvora
