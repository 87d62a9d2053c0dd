#pragma once

// A viewer opened on a scene, with a fake playback clock and a renderer
// that paints each frame in a colour of its own and records its calls.

#include "viewer/viewer_window.h"
#include "viewer_model/playback_clock.h"

#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace kelvora::test {

// Time stands still until the test moves it; the wake-up runs when asked.
class FakeClock : public PlaybackClock {
public:
    std::int64_t now = 1000;

    std::int64_t nowMs() override { return now; }
    void wakeAt(std::int64_t dueMs, std::function<void()> callback) override;
    void cancel() override { callback_ = nullptr; }

    bool pending() const { return static_cast<bool>(callback_); }
    std::int64_t due() const { return due_; }
    // Moves the time to the due time plus `late` and runs the wake-up.
    void fire(std::int64_t late = 0);

private:
    std::int64_t due_ = 0;
    std::function<void()> callback_;
};

// The colour frame k is painted in, and back.
std::uint32_t FrameColour(int frameNo);
int FrameOfColour(std::uint32_t argb);

struct ViewerFixture {
    explicit ViewerFixture(int sceneIndex = 0);
    ~ViewerFixture();

    ViewerWindow& form() { return *viewer; }
    // Presses 描画 and lets the capture run to its end.
    void capture();
    // Runs pending events until the capture has ended (or a second).
    bool settle();
    // The stored frame Picture1 shows now, read from its pixels (-1 if none).
    int shownFrame();
    void click(QWidget* button);

    QPointer<ViewerWindow> viewer;
    std::shared_ptr<FakeClock> clock = std::make_shared<FakeClock>();
    std::vector<int> renderedFrames;       // FrameNo of each renderer call
    std::function<void(int frameNo)> onRender;  // runs after a frame is drawn
    std::vector<QString> messages;
};

}  // namespace kelvora::test
