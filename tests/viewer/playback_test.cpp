#include "viewer/viewer_fixture.h"

#include "viewer/steady_playback_clock.h"

#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace kelvora {
namespace {

using test::ViewerFixture;

// A viewer with twelve frames stored, ready to play.
struct Ready : ViewerFixture {
    Ready() { capture(); }

    void start() { click(form().playButton()); }
    // Runs the loop until `frames` more frames have been shown.
    void play(int frames)
    {
        for (int i = 0; i < frames; ++i)
            clock->fire();
    }
};

TEST(Playback, FramesFollowTheAbsoluteScheduleAndLoop)
{
    Ready v;
    const std::int64_t start = v.clock->now;
    v.start();
    EXPECT_EQ(v.shownFrame(), 0);
    for (int j = 1; j <= 12; ++j) {
        EXPECT_EQ(v.clock->due(), start + 200 * j);
        v.clock->fire();
        EXPECT_EQ(v.clock->now, start + 200 * j);
        EXPECT_EQ(v.shownFrame(), j % 12) << "frame " << j;
    }
    EXPECT_TRUE(v.form().isPlaying());
}

TEST(Playback, ALateFrameShortensTheNextWait)
{
    Ready v;
    const std::int64_t start = v.clock->now;
    v.start();
    v.clock->fire(150);  // frame 1 shown 150 ms late
    EXPECT_EQ(v.shownFrame(), 1);
    EXPECT_EQ(v.clock->due(), start + 400);  // 50 ms after it, not 200
    v.clock->fire(300);  // later than the next frame's own time: shown at once
    EXPECT_EQ(v.clock->due(), start + 600);
    EXPECT_LT(v.clock->due(), v.clock->now);
    v.clock->fire();
    EXPECT_EQ(v.shownFrame(), 3);
}

TEST(Playback, AResizeWhilePlayingRedrawsTheFramesOnceItSettles)
{
    Ready v;
    v.form().show();
    v.start();
    v.play(2);
    const QSize before = v.form().picture()->surface().image().size();
    v.form().resize(v.form().width() * 3 / 4, v.form().height() + 40);
    ASSERT_TRUE(v.form().picture()->surfaceOutOfDate());
    v.play(1);
    EXPECT_EQ(v.shownFrame(), 3) << "the old frames play on until the size settles";
    v.clock->fire();
    ASSERT_TRUE(v.settle());
    EXPECT_FALSE(v.form().picture()->surfaceOutOfDate());
    EXPECT_NE(v.form().frameStore().frameSize(0), before);
    EXPECT_EQ(v.form().frameStore().frameSize(0), v.form().picture()->surface().image().size());
    EXPECT_TRUE(v.form().isPlaying());
    EXPECT_EQ(v.shownFrame(), 3);
}

TEST(Playback, NewSpeedAppliesFromTheNextFrame)
{
    Ready v;
    const std::int64_t start = v.clock->now;
    v.start();
    v.play(3);  // frame 3 shown at 600, frame 4 due at 800
    v.form().speedBar()->setValue(100);
    EXPECT_EQ(v.clock->due(), start + 800);
    v.clock->fire();
    EXPECT_EQ(v.clock->due(), start + 900);
}

TEST(Playback, RunsAcrossTheWrapOfA32BitMillisecondCount)
{
    Ready v;
    v.clock->now = std::int64_t{2147483647} - 300;
    v.start();
    v.play(4);
    EXPECT_EQ(v.clock->due(), std::int64_t{2147483647} + 700);
    EXPECT_EQ(v.shownFrame(), 4);
}

TEST(Playback, PauseStepAndStartAgain)
{
    Ready v;
    v.start();
    v.play(5);
    EXPECT_EQ(v.shownFrame(), 5);
    v.click(v.form().pauseButton());
    EXPECT_FALSE(v.clock->pending());
    EXPECT_FALSE(v.form().isPlaying());
    EXPECT_EQ(v.shownFrame(), 5);
    v.click(v.form().stepButton());
    EXPECT_EQ(v.shownFrame(), 6);
    v.start();
    EXPECT_EQ(v.shownFrame(), 0);
}

TEST(Playback, SingleStepsWrapFromTheLastFrameToTheFirst)
{
    Ready v;
    // After a capture FrameNo is 12, so the first step shows frame 0.
    for (int k = 0; k < 14; ++k) {
        v.click(v.form().stepButton());
        EXPECT_EQ(v.shownFrame(), k % 12);
    }
}

TEST(Playback, StepWhilePlayingStopsAndShowsTheNextFrames)
{
    Ready v;
    v.start();
    v.play(2);  // frame 2 on the screen, waiting for frame 3
    v.click(v.form().stepButton());
    EXPECT_FALSE(v.form().isPlaying());
    EXPECT_FALSE(v.clock->pending());
    EXPECT_EQ(v.shownFrame(), 3);
    v.click(v.form().stepButton());
    EXPECT_EQ(v.shownFrame(), 4);
}

struct States {
    bool picture, anime, stop, step, param;
    bool operator==(const States&) const = default;
};

std::ostream& operator<<(std::ostream& out, const States& s)
{
    return out << "picture " << s.picture << " anime " << s.anime << " stop " << s.stop << " step " << s.step
               << " param " << s.param;
}

States statesOf(ViewerWindow& f)
{
    return {f.drawButton()->isEnabled(), f.playButton()->isEnabled(), f.pauseButton()->isEnabled(),
        f.stepButton()->isEnabled(), f.parameterBar()->isEnabled()};
}

TEST(Playback, ButtonStatesOfEachMoment)
{
    Ready v;
    EXPECT_EQ(statesOf(v.form()), (States{true, true, true, true, true}));  // ready
    v.start();
    v.play(2);
    EXPECT_EQ(statesOf(v.form()), (States{false, false, true, true, false}));  // playing
    v.click(v.form().pauseButton());
    EXPECT_EQ(statesOf(v.form()), (States{true, true, true, true, true}));  // paused
    v.start();
    v.click(v.form().stepButton());
    // Stepped out of playback: the parameter stays locked.
    EXPECT_EQ(statesOf(v.form()), (States{true, true, true, true, false}));
}

TEST(Playback, EndDuringPlaybackLeavesNothingDrawing)
{
    Ready v;
    int menus = 0;
    int heldWhenMenuShown = -1;
    QObject::connect(&v.form(), &ViewerWindow::menuRequested, [&] {
        ++menus;
        heldWhenMenuShown = v.form().frameStore().heldCount();
    });
    v.start();
    v.play(3);
    v.click(v.form().endButton());
    EXPECT_EQ(menus, 1);
    EXPECT_EQ(heldWhenMenuShown, 0);
    EXPECT_FALSE(v.clock->pending());
    ASSERT_TRUE(QTest::qWaitFor([&] { return v.viewer.isNull(); }));
    EXPECT_FALSE(v.clock->pending());
}

TEST(Playback, ClosingTheWindowDuringPlaybackStopsIt)
{
    Ready v;
    QSignalSpy menu(&v.form(), &ViewerWindow::menuRequested);
    v.start();
    v.play(1);
    v.form().close();
    EXPECT_EQ(v.form().frameStore().heldCount(), 0);
    EXPECT_FALSE(v.clock->pending());
    ASSERT_TRUE(QTest::qWaitFor([&] { return v.viewer.isNull(); }));
    EXPECT_EQ(menu.count(), 0);
}

TEST(Playback, RepaintShowsTheFrameShownLast)
{
    Ready v;
    v.form().show();
    for (int k = 0; k < 8; ++k)
        v.click(v.form().stepButton());
    const QImage onScreen = v.form().picture()->grab().toImage().copy(v.form().picture()->contentsRect());
    QImage stored;
    ASSERT_TRUE(v.form().frameStore().read(7, stored));
    EXPECT_EQ(onScreen.convertToFormat(QImage::Format_RGB32), stored);
}

TEST(SteadyPlaybackClock, WakesNotBeforeTheDueTime)
{
    SteadyPlaybackClock clock;
    const std::int64_t due = clock.nowMs() + 15;
    std::int64_t wokeAt = -1;
    clock.wakeAt(due, [&] { wokeAt = clock.nowMs(); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return wokeAt >= 0; }, 2000));
    EXPECT_GE(wokeAt, due);

    bool ran = false;
    clock.wakeAt(clock.nowMs() + 5, [&] { ran = true; });
    clock.cancel();
    QTest::qWait(30);
    EXPECT_FALSE(ran);
}

}  // namespace
}  // namespace kelvora
