#include "viewer/viewer_fixture.h"

#include "canvas/canvas.h"
#include "scenes/scene_catalogue.h"
#include "viewer/runtime_error_report.h"

#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <numeric>

namespace kelvora {
namespace {

using test::ViewerFixture;

std::vector<int> range(int from, int to)
{
    std::vector<int> frames(static_cast<std::size_t>(to - from + 1));
    std::iota(frames.begin(), frames.end(), from);
    return frames;
}

struct Buttons {
    bool picture, anime, stop, step, options;
    bool operator==(const Buttons&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Buttons& b)
{
    return out << "picture " << b.picture << " anime " << b.anime << " stop " << b.stop << " step " << b.step
               << " options " << b.options;
}

Buttons buttonsOf(ViewerWindow& f)
{
    EXPECT_EQ(f.frames12()->isEnabled(), f.frames24()->isEnabled());
    return {f.drawButton()->isEnabled(), f.playButton()->isEnabled(), f.pauseButton()->isEnabled(),
        f.stepButton()->isEnabled(), f.frames12()->isEnabled()};
}

constexpr Buttons kDuringCapture{true, false, false, false, false};
constexpr Buttons kCaptureFinished{true, true, true, true, false};

TEST(Capture, TwelveFramesFillTwelveSlots)
{
    ViewerFixture v;
    std::vector<Buttons> during;
    v.onRender = [&](int) { during.push_back(buttonsOf(v.form())); };
    v.capture();
    EXPECT_EQ(v.renderedFrames, range(0, 11));
    EXPECT_EQ(v.form().model().lastFrame(), 11);
    EXPECT_EQ(v.form().frameStore().heldCount(), 12);
    EXPECT_TRUE(v.form().frameStore().holds(11));
    EXPECT_FALSE(v.form().frameStore().holds(12));
    EXPECT_EQ(v.form().model().frameNo(), 12);
    for (const Buttons& b : during)
        EXPECT_EQ(b, kDuringCapture);
    EXPECT_EQ(buttonsOf(v.form()), kCaptureFinished);
}

TEST(Capture, TwentyFourFramesFillTwentyFourSlotsOfTheSurfaceSize)
{
    ViewerFixture v;
    v.form().frames24()->setChecked(true);
    v.capture();
    EXPECT_EQ(v.renderedFrames, range(0, 23));
    EXPECT_EQ(v.form().model().lastFrame(), 23);
    EXPECT_EQ(v.form().frameStore().heldCount(), 24);
    EXPECT_EQ(v.form().model().frameNo(), 24);
    const StoredFrameGeometry& vars = v.form().storedFrameGeometry();
    EXPECT_EQ(vars.PicWidth, v.form().picture()->width());
    EXPECT_EQ(vars.PicHeight, v.form().picture()->height());
    EXPECT_EQ(vars.BytesPerPixel, 4);
    const QSize area = v.form().picture()->contentsRect().size();
    EXPECT_EQ(v.form().frameStore().heldBytes(), 24u * static_cast<std::size_t>(area.width() * area.height()));
}

TEST(Capture, SecondCaptureFreesTheFirstSetFirst)
{
    ViewerFixture v;
    v.capture();
    v.capture();
    EXPECT_EQ(v.renderedFrames.size(), 24u);
    EXPECT_EQ(v.form().frameStore().heldCount(), 12);
    EXPECT_EQ(v.form().frameStore().peakHeldCount(), 12);
    // The options stay disabled after a capture, and the count stays.
    EXPECT_FALSE(v.form().frames12()->isEnabled());
    EXPECT_FALSE(v.form().frames24()->isEnabled());
    EXPECT_EQ(v.form().model().lastFrame(), 11);
}

TEST(Capture, StoredFramesComeBackExactly)
{
    ViewerFixture v;
    std::vector<QImage> drawn;
    // The real scene 0, snapshotted as each frame is stored.
    v.form().setFrameRenderer([&](int scene, Canvas& canvas, std::int16_t& frameNo, SceneContext& context) {
        const bool ran = DrawCaptureFrame(scene, canvas, frameNo, context);
        drawn.push_back(v.form().picture()->surface().snapshot());
        return ran;
    });
    v.capture();
    ASSERT_EQ(drawn.size(), 12u);
    EXPECT_NE(drawn[0], drawn[1]);
    for (int k = 0; k < 12; ++k) {
        v.click(v.form().stepButton());
        EXPECT_EQ(v.form().picture()->surface().image(), drawn[static_cast<std::size_t>(k)]) << "frame " << k;
    }
}

TEST(Capture, FailedAllocationStopsWithAMessageAndAnEmptyStore)
{
    ViewerFixture v;
    const QSize area = v.form().picture()->contentsRect().size();
    v.form().setFrameStoreBudget(5u * static_cast<std::size_t>(area.width() * area.height()));  // a byte a pixel
    v.capture();
    ASSERT_EQ(v.messages.size(), 1u);
    EXPECT_TRUE(v.messages[0].contains("メモリ"));
    EXPECT_TRUE(v.renderedFrames.empty());
    EXPECT_EQ(v.form().frameStore().heldCount(), 0);
    EXPECT_FALSE(v.form().isCapturing());
    EXPECT_EQ(buttonsOf(v.form()), kDuringCapture);  // as after a parameter change
}

TEST(Capture, RunTimeErrorInASceneStopsTheCaptureAndIsReported)
{
    ViewerFixture v;
    std::vector<ErrorNumber> reported;
    SetRuntimeErrorHandler([&](const RuntimeError& e) { reported.push_back(e.number()); });
    v.onRender = [](int frameNo) {
        if (frameNo == 3)
            throw RuntimeError(ErrorNumber::Overflow);
    };
    v.capture();
    SetRuntimeErrorHandler({});
    EXPECT_EQ(reported, std::vector<ErrorNumber>{ErrorNumber::Overflow});
    EXPECT_EQ(v.renderedFrames, range(0, 3));
    EXPECT_FALSE(v.form().isCapturing());
    EXPECT_EQ(v.form().frameStore().heldCount(), 0);
    EXPECT_FALSE(v.form().playButton()->isEnabled());
}

// The three things a user can do between two frames of a capture.

TEST(CaptureReentry, MovingTheParameterStopsTheCapture)
{
    ViewerFixture v(10);
    bool moved = false;
    v.onRender = [&](int frameNo) {
        EXPECT_FALSE(moved) << "drawn after the parameter changed";
        if (frameNo == 4)
            QTimer::singleShot(0, &v.form(), [&] {
                v.form().parameterBar()->setValue(3);
                moved = true;
            });
    };
    v.capture();
    QTest::qWait(20);
    EXPECT_TRUE(moved);
    EXPECT_LT(v.renderedFrames.size(), 12u);
    EXPECT_FALSE(v.form().isCapturing());
    EXPECT_EQ(v.form().frameStore().heldCount(), 0);
    EXPECT_EQ(v.form().model().sceneParam(), 3);
    EXPECT_EQ(buttonsOf(v.form()), kDuringCapture);
}

TEST(CaptureReentry, AParameterMovedByTheSceneItselfStopsTheCapture)
{
    ViewerFixture v(10);
    // A renderer that narrows the range below the value: handing the
    // controls back moves HScroll2 and runs its change handler mid-frame.
    v.form().setFrameRenderer([&](int, Canvas&, std::int16_t& frameNo, SceneContext& context) {
        v.renderedFrames.push_back(frameNo);
        if (frameNo == 2) {
            context.parameter->min = 0;
            context.parameter->max = 0;
        }
        return true;
    });
    v.capture();
    EXPECT_EQ(v.renderedFrames, range(0, 2));
    EXPECT_EQ(v.form().model().sceneParam(), 0);
    EXPECT_EQ(v.form().frameStore().heldCount(), 0);
    EXPECT_EQ(buttonsOf(v.form()), kDuringCapture);
}

TEST(CaptureReentry, PressingDrawAgainStartsOver)
{
    ViewerFixture v;
    bool pressed = false;
    v.onRender = [&](int frameNo) {
        if (frameNo == 4 && !pressed) {
            pressed = true;
            QTimer::singleShot(0, &v.form(), [&] { v.click(v.form().drawButton()); });
        }
    };
    v.capture();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !v.form().isCapturing() && v.renderedFrames.size() >= 12; }));
    // The first run ends somewhere after frame 4; the second runs whole.
    const std::vector<int> tail(v.renderedFrames.end() - 12, v.renderedFrames.end());
    EXPECT_EQ(tail, range(0, 11));
    EXPECT_LT(v.renderedFrames.size(), 24u);
    EXPECT_EQ(v.form().frameStore().heldCount(), 12);
    EXPECT_LE(v.form().frameStore().peakHeldCount(), 12);
    EXPECT_EQ(buttonsOf(v.form()), kCaptureFinished);
}

TEST(CaptureReentry, ClosingTheViewerStopsTheCapture)
{
    ViewerFixture v;
    bool closed = false;
    int heldAfterClose = -1;
    v.onRender = [&](int frameNo) {
        EXPECT_FALSE(closed) << "drawn after the viewer closed";
        if (frameNo == 4)
            QTimer::singleShot(0, &v.form(), [&] {
                v.form().close();
                closed = true;
                heldAfterClose = v.form().frameStore().heldCount();
            });
    };
    v.click(v.form().drawButton());
    EXPECT_TRUE(QTest::qWaitFor([&] { return v.viewer.isNull(); }));
    EXPECT_TRUE(closed);
    EXPECT_EQ(heldAfterClose, 0);
    QTest::qWait(20);
    EXPECT_LT(v.renderedFrames.size(), 12u);
}

}  // namespace
}  // namespace kelvora
