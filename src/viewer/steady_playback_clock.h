#pragma once

#include "viewer_model/playback_clock.h"

#include <QTimer>

#include <cstdint>
#include <functional>

namespace kelvora {

// The real clock: std::chrono::steady_clock, and a precise single-shot
// timer that sleeps until the due time.
class SteadyPlaybackClock : public PlaybackClock {
public:
    SteadyPlaybackClock();

    std::int64_t nowMs() override;
    void wakeAt(std::int64_t dueMs, std::function<void()> callback) override;
    void cancel() override;

private:
    static std::int64_t nowMicros();
    void arm();

    QTimer timer_;
    std::int64_t dueMs_ = 0;
    std::function<void()> callback_;
};

}  // namespace kelvora
