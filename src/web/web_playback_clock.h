#pragma once

#include "viewer_model/playback_clock.h"

#include <cstdint>
#include <functional>

namespace kelvora {

// Playback time in the browser: performance.now() for the time, and one
// setTimeout for the wake-up, armed by the page. The page calls fire() with
// the ticket it was given when the timeout runs; a ticket that was replaced
// or cancelled in the meantime does nothing.
class WebPlaybackClock : public PlaybackClock {
public:
    // Arms the page's timeout: (ticket, milliseconds from now).
    using Arm = std::function<void(int ticket, double delayMs)>;
    // Clears the page's timeout.
    using Disarm = std::function<void()>;

    WebPlaybackClock(Arm arm, Disarm disarm);

    std::int64_t nowMs() override;
    void wakeAt(std::int64_t dueMs, std::function<void()> callback) override;
    void cancel() override;
    void fire(int ticket);

private:
    Arm arm_;
    Disarm disarm_;
    std::function<void()> callback_;
    int ticket_ = 0;
};

}  // namespace kelvora
