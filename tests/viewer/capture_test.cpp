#include "viewer/viewer_fixture.h"


#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>


namespace kelvora {
namespace {

using test::ViewerFixture;

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
    v.captureFrames(3);
    EXPECT_TRUE(v.form().isCapturing());
    EXPECT_EQ(buttonsOf(v.form()), kDuringCapture);
    v.settle();
    EXPECT_EQ(v.drawCount(), 12);
    EXPECT_EQ(v.form().model().lastFrame(), 11);
    EXPECT_EQ(v.form().frameStore().heldCount(), 12);
    EXPECT_TRUE(v.form().frameStore().holds(11));
    EXPECT_FALSE(v.form().frameStore().holds(12));
    EXPECT_EQ(v.form().model().frameNo(), 12);
    EXPECT_EQ(buttonsOf(v.form()), kCaptureFinished);
    EXPECT_EQ(v.shownFrame(), 11) << "the last frame is on the picture";
}

TEST(Capture, TwentyFourFramesFillTwentyFourSlotsOfTheSurfaceSize)
{
    ViewerFixture v;
    v.form().frames24()->setChecked(true);
    v.capture();
    EXPECT_EQ(v.drawCount(), 24);
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
    EXPECT_EQ(v.drawCount(), 24);
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
    v.capture();
    QImage first;
    ASSERT_TRUE(v.form().frameStore().read(0, first));
    QImage second;
    ASSERT_TRUE(v.form().frameStore().read(1, second));
    EXPECT_NE(first, second);
    for (int k = 0; k < 12; ++k) {
        v.click(v.form().stepButton());
        EXPECT_EQ(v.shownFrame(), k);
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
    EXPECT_EQ(v.drawCount(), 0);
    EXPECT_EQ(v.form().frameStore().heldCount(), 0);
    EXPECT_FALSE(v.form().isCapturing());
    EXPECT_EQ(buttonsOf(v.form()), kDuringCapture);  // as after a parameter change
}

// Moving the parameter between two frames ends the capture on the window
// too (the model's rules of capture are tested with the model).
TEST(CaptureReentry, MovingTheParameterStopsTheCapture)
{
    ViewerFixture v(10);
    v.captureFrames(4);
    ASSERT_TRUE(v.form().isCapturing());
    v.form().parameterBar()->setValue(3);
    EXPECT_FALSE(v.form().isCapturing());
    QTest::qWait(50);
    EXPECT_EQ(v.form().frameStore().heldCount(), 0);
    EXPECT_EQ(v.form().model().sceneParam(), 3);
    EXPECT_EQ(buttonsOf(v.form()), kDuringCapture);
}

}  // namespace
}  // namespace kelvora
