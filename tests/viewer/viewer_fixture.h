#pragma once

// A viewer opened on a real scene, capturing on its worker threads as it
// ships, with a fake playback clock.

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

struct ViewerFixture {
    explicit ViewerFixture(int sceneIndex = 0);
    ~ViewerFixture();

    ViewerWindow& form() { return *viewer; }
    // Presses 描画 and lets the capture run to its end.
    void capture();
    // Presses 描画 and lets the capture run until `frames` frames are kept
    // (or it ends).
    void captureFrames(int frames);
    // Runs pending events until the capture has ended (or a few seconds).
    bool settle();
    // The stored frame the picture shows now (-1 if none).
    int shownFrame();
    // Frames drawn so far.
    int drawCount() const { return viewer->framesDrawnByWorkers(); }
    void click(QWidget* button);

    QPointer<ViewerWindow> viewer;
    std::shared_ptr<FakeClock> clock = std::make_shared<FakeClock>();
    std::vector<QString> messages;
};

// Where particle `index` of scene 2 is drawn in the frame shown, in the
// window's coordinates.
QPoint particleOnScreen(ViewerWindow& form, std::size_t index);

// Clicks whatever widget the window has at `point`, as the mouse would;
// it must be the picture.
void clickAt(ViewerWindow& form, QPoint point);

}  // namespace kelvora::test
