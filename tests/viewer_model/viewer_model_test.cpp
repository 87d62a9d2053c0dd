// The viewer's behaviour without any widget: a host that keeps frames as
// the trace of their drawing, a clock that runs when told, and the real
// scenes.

#include "viewer_model/viewer_model.h"

#include "canvas/canvas.h"
#include "canvas/trace_surface.h"
#include "viewer_model/viewer_host.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace kelvora {
namespace {

struct ManualClock : PlaybackClock {
    std::int64_t now = 0;
    std::function<void()> pending;
    std::int64_t due = 0;
    std::int64_t nowMs() override { return now; }
    void wakeAt(std::int64_t dueMs, std::function<void()> callback) override
    {
        due = dueMs;
        pending = std::move(callback);
    }
    void cancel() override { pending = nullptr; }
    void fire()
    {
        now = due;
        auto callback = std::move(pending);
        pending = nullptr;
        if (callback)
            callback();
    }
};

// Frames are the trace text their drawing left; the shown frame is the
// slot last put on the picture.
struct TraceHost : ViewerHost {
    TraceSurface trace;
    Canvas picture{trace, 960, 600};
    std::map<int, std::string> store;
    int allocated = 0;
    int shown = -1;
    bool capturePending = false;

    Canvas& canvas() override { return picture; }
    int screenWidth() const override { return 1280; }
    int screenHeight() const override { return 800; }
    void allocateFrames(int count) override { allocated = count; }
    void storeFrame(int k) override
    {
        store[k] = trace.text();
        trace.clearText();
    }
    bool showFrame(int k) override
    {
        if (!store.count(k))
            return false;
        shown = k;
        return true;
    }
    void releaseFrames() override
    {
        store.clear();
        allocated = 0;
    }
    void scheduleCapture() override { capturePending = true; }
    void cancelCapture() override { capturePending = false; }
    void modelChanged() override {}
    void showMessage(const std::string&) override {}
    void reportRuntimeError(const RuntimeError&) override {}
};

struct Viewer {
    explicit Viewer(int scene) : model(scene, host, clock) {}
    void capture()
    {
        model.pressDraw();
        drawFrames();
    }
    void drawFrames()
    {
        while (host.capturePending) {
            host.capturePending = false;
            model.captureNextFrame();
        }
    }
    TraceHost host;
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    ViewerModel model;
};

TEST(ViewerModel, CapturesPlaysAndStepsARealSceneWithoutWidgets)
{
    Viewer v(10);
    v.model.chooseFrameCount(24);
    v.capture();
    ASSERT_EQ(v.model.phase(), ViewerPhase::Ready);
    ASSERT_EQ(v.host.store.size(), 24u);
    EXPECT_NE(v.host.store.at(0), v.host.store.at(1));
    EXPECT_NE(v.host.store.at(0).find("print"), std::string::npos) << "the pipe's captions are drawn";
    EXPECT_EQ(v.model.frameReadout(), "コマ 24 / 24");

    v.model.setSpeed(100);
    v.model.pressPlay();
    EXPECT_EQ(v.host.shown, 0);
    for (int k = 1; k <= 25; ++k) {
        EXPECT_EQ(v.clock->due, 100 * k);
        v.clock->fire();
    }
    EXPECT_EQ(v.host.shown, 1) << "the 26th frame shown is frame 1 of the loop";
    EXPECT_FALSE(v.model.controls().parameter);
    v.model.pressStep();
    EXPECT_EQ(v.host.shown, 2);
    EXPECT_FALSE(v.clock->pending);
    EXPECT_FALSE(v.model.controls().parameter) << "a step that stops playback leaves the parameter locked";
    v.model.stepBack();
    v.model.stepBack();
    EXPECT_EQ(v.host.shown, 0);
    v.model.stepBack();
    EXPECT_EQ(v.host.shown, 23);
    v.model.pressPause();
    EXPECT_TRUE(v.model.controls().parameter);
    v.model.setParameter(3);
    EXPECT_EQ(v.model.parameter().text, "3");
    EXPECT_TRUE(v.host.store.empty());
    EXPECT_EQ(v.model.phase(), ViewerPhase::Empty);
    EXPECT_FALSE(v.model.controls().frameCount) << "the frame count stays as the first capture chose it";
}

TEST(ViewerModel, AResizeRedrawsTheFramesOnceItSettlesAndGoesBackToTheFrameShown)
{
    Viewer v(3);
    v.capture();
    v.model.setSpeed(100);
    v.model.pressPlay();
    v.clock->fire();
    v.clock->fire();
    v.model.pictureResized();
    v.clock->fire();
    EXPECT_EQ(v.host.shown, 3) << "the loop plays on while the size settles";
    v.model.pictureResized();
    v.clock->fire();
    v.clock->fire();
    EXPECT_EQ(v.model.phase(), ViewerPhase::Playing);
    v.clock->fire();
    ASSERT_EQ(v.model.phase(), ViewerPhase::Capturing) << "drawn again 300 ms after the last change";
    EXPECT_EQ(v.host.allocated, 12);
    v.drawFrames();
    EXPECT_EQ(v.model.phase(), ViewerPhase::Playing);
    EXPECT_EQ(v.host.shown, 5);
    v.model.pressStep();
    v.model.pictureResized();
    v.clock->fire();
    v.drawFrames();
    EXPECT_EQ(v.model.phase(), ViewerPhase::Stepped);
    v.model.pressStep();
    EXPECT_EQ(v.host.shown, 7) << "a step goes on from the frame shown";
}

TEST(ViewerModel, ClosingDuringACaptureStopsItBeforeTheStoreGoes)
{
    Viewer v(0);
    v.model.pressDraw();
    v.model.captureNextFrame();
    v.model.close();
    EXPECT_FALSE(v.host.capturePending);
    EXPECT_TRUE(v.host.store.empty());
    v.model.captureNextFrame();
    EXPECT_TRUE(v.host.store.empty()) << "nothing is drawn after the viewer closed";
}

// A focused control keeps the keys it has a use for; the others are the
// viewer's while their button is live.
TEST(ViewerKeys, AFocusedControlKeepsItsOwnKeys)
{
    ViewerControls ready = ControlsFor(ViewerPhase::Ready, true, false);
    struct Case {
        ViewerKey key;
        FocusKind focus;
        KeyCommand expected;
    };
    const Case cases[] = {
        {ViewerKey::Right, FocusKind::ScrollBar, KeyCommand::None},
        {ViewerKey::PageUp, FocusKind::ScrollBar, KeyCommand::None},
        {ViewerKey::Space, FocusKind::ScrollBar, KeyCommand::Play},
        {ViewerKey::Enter, FocusKind::ScrollBar, KeyCommand::Draw},
        {ViewerKey::Space, FocusKind::Button, KeyCommand::None},
        {ViewerKey::Right, FocusKind::Button, KeyCommand::Step},
        {ViewerKey::Left, FocusKind::Picture, KeyCommand::StepBack},
        {ViewerKey::PageDown, FocusKind::Picture, KeyCommand::Step},
        {ViewerKey::Left, FocusKind::TextBox, KeyCommand::None},
        {ViewerKey::PageDown, FocusKind::TextBox, KeyCommand::Step},
        {ViewerKey::Escape, FocusKind::ScrollBar, KeyCommand::End},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CommandForKey(c.key, c.focus, ready, false), c.expected)
            << static_cast<int>(c.key) << " with focus " << static_cast<int>(c.focus);

    const ViewerControls playing = ControlsFor(ViewerPhase::Playing, true, true);
    EXPECT_EQ(CommandForKey(ViewerKey::Space, FocusKind::Picture, playing, true), KeyCommand::Pause);
    EXPECT_EQ(CommandForKey(ViewerKey::Enter, FocusKind::Picture, playing, true), KeyCommand::None)
        << "描画 is off while playing";
    const ViewerControls fresh = ControlsFor(ViewerPhase::Empty, false, false);
    EXPECT_EQ(CommandForKey(ViewerKey::Right, FocusKind::Picture, fresh, false), KeyCommand::None)
        << "no step before a capture";
}

}  // namespace
}  // namespace kelvora
