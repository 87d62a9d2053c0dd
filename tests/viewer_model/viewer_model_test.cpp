// The viewer's behaviour without any widget: a host that keeps frames as
// the trace of their drawing, a clock that runs when told, and the real
// scenes.

#include "viewer_model/viewer_model.h"

#include "canvas/canvas.h"
#include "canvas/runtime_error.h"
#include "canvas/trace_surface.h"
#include "scenes/scene_catalogue.h"
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

// Frames are the trace text their drawing left, drawn one by one on the
// picture; the shown frame is the slot last put on the picture.
struct TraceHost : ViewerHost {
    TraceSurface trace;
    Canvas picture{trace, 960, 600};
    std::map<int, std::string> store;
    int allocated = 0;
    int shown = -1;
    bool capturePending = false;
    std::unique_ptr<PictureFrameSource> source;
    std::vector<int> drawn;  // the frame number each frame was drawn with

    Canvas& canvas() override { return picture; }
    int screenWidth() const override { return 1280; }
    int screenHeight() const override { return 800; }
    void allocateFrames(int count) override { allocated = count; }
    FrameSource& frameSource() override { return *source; }
    void keep(int k)
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
    void modelChanged() override {}
    void showMessage(const std::string&) override {}
    void reportRuntimeError(const RuntimeError& error) override { errors.push_back(error.number()); }
    std::vector<ErrorNumber> errors;
};

struct Viewer {
    explicit Viewer(int scene)
        : model(scene, host, clock)
    {
        host.source = std::make_unique<PictureFrameSource>(model,
            PictureFrameSource::Host{[this]() -> Canvas& { return host.picture; },
                [this] { host.capturePending = true; }, [this] { host.capturePending = false; },
                [this](int k) { host.keep(k); }, [] {}});
        // The real scene, and whatever the test does after each frame.
        host.source->setRenderer([this](int scene, Canvas& canvas, std::int16_t& frameNo, SceneContext& context) {
            host.drawn.push_back(frameNo);
            const bool ran = DrawCaptureFrame(scene, canvas, frameNo, context);
            if (afterFrame)
                afterFrame(frameNo, context);
            return ran;
        });
    }
    // Runs the frames one by one, as the host's event loop would.
    void runCapture()
    {
        while (host.capturePending) {
            host.capturePending = false;
            host.source->drawPending();
        }
    }
    void capture()
    {
        model.pressDraw();
        runCapture();
    }
    std::function<void(int frameNo, SceneContext& context)> afterFrame;
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
    v.runCapture();
    EXPECT_EQ(v.model.phase(), ViewerPhase::Playing);
    EXPECT_EQ(v.host.shown, 5);
    v.model.pressStep();
    v.model.pictureResized();
    v.clock->fire();
    v.runCapture();
    EXPECT_EQ(v.model.phase(), ViewerPhase::Stepped);
    v.model.pressStep();
    EXPECT_EQ(v.host.shown, 7) << "a step goes on from the frame shown";
}

TEST(ViewerModel, ClosingDuringACaptureStopsItBeforeTheStoreGoes)
{
    Viewer v(0);
    v.model.pressDraw();
    v.host.source->drawPending();
    v.model.close();
    EXPECT_FALSE(v.host.capturePending);
    EXPECT_TRUE(v.host.store.empty());
    v.host.source->drawPending();
    EXPECT_EQ(v.host.drawn.size(), 1u) << "nothing is drawn after the viewer closed";
}

// What can happen between two frames of a capture, or during one: each
// ends the capture with nothing kept, or starts it over.
TEST(ViewerModel, ACaptureEndsOnAParameterChangeOrAnErrorAndStartsOverOnDraw)
{
    Viewer moved(10);
    moved.afterFrame = [&](int frameNo, SceneContext&) {
        if (frameNo == 4)
            moved.model.setParameter(3);  // the user, between two frames
    };
    moved.capture();
    EXPECT_EQ(moved.host.drawn.size(), 5u);
    EXPECT_EQ(moved.model.phase(), ViewerPhase::Empty);
    EXPECT_TRUE(moved.host.store.empty());
    EXPECT_EQ(moved.model.sceneParam(), 3);

    Viewer narrowed(10);
    narrowed.afterFrame = [](int frameNo, SceneContext& context) {
        if (frameNo == 2)
            context.parameter->min = context.parameter->max = 0;  // the scene moves the parameter itself
    };
    narrowed.capture();
    EXPECT_EQ(narrowed.host.drawn.size(), 3u);
    EXPECT_TRUE(narrowed.host.store.empty());
    EXPECT_EQ(narrowed.model.sceneParam(), 0);

    Viewer failing(0);
    failing.afterFrame = [](int frameNo, SceneContext&) {
        if (frameNo == 3)
            throw RuntimeError(ErrorNumber::Overflow);
    };
    failing.capture();
    EXPECT_EQ(failing.host.errors, std::vector<ErrorNumber>{ErrorNumber::Overflow});
    EXPECT_EQ(failing.host.drawn.size(), 4u);
    EXPECT_TRUE(failing.host.store.empty());
    EXPECT_FALSE(failing.model.controls().play);

    Viewer again(0);
    again.afterFrame = [&](int frameNo, SceneContext&) {
        if (frameNo == 4 && again.host.drawn.size() == 5)
            again.model.pressDraw();
    };
    again.capture();
    EXPECT_EQ(again.host.drawn.size(), 5u + 12u);
    EXPECT_EQ(again.host.store.size(), 12u);
    EXPECT_EQ(again.model.phase(), ViewerPhase::Ready);
}

// A scene's writes to the parameter controls reach the next frame and the
// window; a range that keeps the value inside it changes nothing stored.
TEST(ViewerModel, AScenesWritesToTheParameterControlsReachTheNextFrame)
{
    Viewer v(10);
    std::vector<int> largeChanges;
    v.afterFrame = [&](int, SceneContext& context) {
        largeChanges.push_back(context.parameter->largeChange);
        context.parameter->largeChange = 5;
        context.parameter->max = 9;
        context.parameter->text = "x" + std::to_string(context.parameter->value);
    };
    v.capture();
    ASSERT_EQ(largeChanges.size(), 12u);
    EXPECT_EQ(largeChanges[0], 1);
    EXPECT_EQ(largeChanges[1], 5);
    EXPECT_EQ(v.model.parameter().text, "x1");
    EXPECT_EQ(v.model.parameter().max, 9);
    EXPECT_EQ(v.host.store.size(), 12u);
}

// A frame drawn from any other start than the one asked for is not taken.
TEST(ViewerModel, TakesOnlyAFrameDrawnFromTheStartAskedFor)
{
    Viewer v(0);
    v.model.pressDraw();
    FrameResult guess;
    guess.start = v.model.captureStart();
    guess.start.frameNo = 1;
    EXPECT_FALSE(v.model.frameDrawn(guess));
    guess.start = v.model.captureStart();
    guess.start.state.scaleTop = -0.0f;  // another bit pattern is another start
    EXPECT_FALSE(v.model.frameDrawn(guess));
    guess.start = v.model.captureStart();
    guess.start.state.currentX = 7;  // Cls forgets the current point
    guess.endState = guess.start.state;
    EXPECT_TRUE(v.model.frameDrawn(guess));
    EXPECT_EQ(v.host.store.size(), 1u);
    EXPECT_EQ(v.model.frameNo(), 1);
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
    // A focused scroll bar: right, down and Page Down raise its value.
    EXPECT_EQ(ScrollBarKeyStep(ScrollKey::PageDown, 10, 50), 50);
    EXPECT_EQ(ScrollBarKeyStep(ScrollKey::Down, 10, 50), 10);
    EXPECT_EQ(ScrollBarKeyStep(ScrollKey::Up, 10, 50), -10);
    const ViewerControls fresh = ControlsFor(ViewerPhase::Empty, false, false);
    EXPECT_EQ(CommandForKey(ViewerKey::Right, FocusKind::Picture, fresh, false), KeyCommand::None)
        << "no step before a capture";
}

}  // namespace
}  // namespace kelvora
