// The viewer's keys and the frame readout that follows them.

#include "viewer/viewer_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace kelvora {
namespace {

using test::ViewerFixture;

QString readout(ViewerFixture& v) { return v.form().frameReadout()->text(); }

TEST(FrameReadout, FollowsCaptureAndPlaybackAndIsOffThePicture)
{
    ViewerFixture v;
    EXPECT_EQ(readout(v), QString());
    EXPECT_FALSE(v.form().picture()->geometry().intersects(v.form().frameReadout()->geometry()));

    // The first frame kept is named at once.
    v.captureFrames(1);
    EXPECT_EQ(readout(v), QStringLiteral("コマ 1 / 12"));
    v.settle();
    EXPECT_EQ(readout(v), QStringLiteral("コマ 12 / 12"));

    v.click(v.form().playButton());
    EXPECT_EQ(readout(v), QStringLiteral("コマ 1 / 12"));
    v.clock->fire();
    v.clock->fire();
    EXPECT_EQ(readout(v), QStringLiteral("コマ 3 / 12"));
    EXPECT_EQ(v.shownFrame(), 2);
}

TEST(FrameReadout, CountsTwentyFourFrames)
{
    ViewerFixture v;
    v.form().frames24()->setChecked(true);
    v.capture();
    EXPECT_EQ(readout(v), QStringLiteral("コマ 24 / 24"));
}

TEST(ViewerKeys, StepForwardAndBackWithWrapping)
{
    ViewerFixture v;
    v.capture();
    ViewerWindow& f = v.form();
    QTest::keyClick(&f, Qt::Key_Right);  // after the capture's last frame: frame 0
    EXPECT_EQ(v.shownFrame(), 0);
    QTest::keyClick(&f, Qt::Key_Left);  // before 0: LastFrame
    EXPECT_EQ(v.shownFrame(), 11);
    EXPECT_EQ(readout(v), QStringLiteral("コマ 12 / 12"));
    QTest::keyClick(&f, Qt::Key_PageUp);
    QTest::keyClick(&f, Qt::Key_Left);
    EXPECT_EQ(v.shownFrame(), 9);
    QTest::keyClick(&f, Qt::Key_PageDown);
    EXPECT_EQ(v.shownFrame(), 10);
    EXPECT_EQ(readout(v), QStringLiteral("コマ 11 / 12"));
    // The button steps on from where the keys left the picture.
    v.click(f.stepButton());
    EXPECT_EQ(v.shownFrame(), 11);
}

TEST(ViewerKeys, StepBackStopsPlaybackAndShowsTheFrameBeforeTheLastShown)
{
    ViewerFixture v;
    v.capture();
    ViewerWindow& f = v.form();
    QTest::keyClick(&f, Qt::Key_Space);
    EXPECT_TRUE(f.isPlaying());
    v.clock->fire();
    v.clock->fire();  // frame 2 on the picture
    QTest::keyClick(&f, Qt::Key_Left);
    EXPECT_FALSE(f.isPlaying());
    EXPECT_FALSE(v.clock->pending());
    EXPECT_EQ(v.shownFrame(), 1);
    EXPECT_TRUE(f.playButton()->isEnabled());
    EXPECT_TRUE(f.drawButton()->isEnabled());
}

TEST(ViewerKeys, AFocusedControlKeepsTheKeysItUses)
{
    ViewerFixture v;
    v.capture();
    ViewerWindow& f = v.form();
    QScrollBar* speed = f.speedBar();
    const int value = speed->value();
    // The arrows on a focused scroll bar change its value, not the frame.
    QTest::keyClick(speed, Qt::Key_Right);
    EXPECT_EQ(speed->value(), value + speed->singleStep());
    EXPECT_EQ(v.shownFrame(), 11);
    QTest::keyClick(f.picture(), Qt::Key_Right);
    EXPECT_EQ(v.shownFrame(), 0);

    // A scroll bar has no use for Space: it plays. A focused button keeps
    // Space: it presses that button.
    QTest::keyClick(speed, Qt::Key_Space);
    EXPECT_TRUE(f.isPlaying());
    QTest::keyClick(f.pauseButton(), Qt::Key_Space);
    EXPECT_FALSE(f.isPlaying());
    const int drawn = v.drawCount();
    QTest::keyClick(f.drawButton(), Qt::Key_Space);
    v.settle();
    EXPECT_EQ(v.drawCount(), drawn + 12) << "Space on 描画 draws again";
}

TEST(ViewerWheel, TurnsTheScrollBarsTheWayTheArrowsDo)
{
    ViewerFixture v(10);
    ViewerWindow& f = v.form();
    auto turn = [](QScrollBar* bar, int angle) {
        QWheelEvent wheel(QPointF(5, 5), bar->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, angle),
            Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(bar, &wheel);
    };
    const int speed = f.speedBar()->value();
    turn(f.speedBar(), -120);
    EXPECT_GT(f.speedBar()->value(), speed) << "wheel down is toward 遅, as the right arrow";
    turn(f.speedBar(), 120);
    EXPECT_EQ(f.speedBar()->value(), speed);
    turn(f.parameterBar(), -120);
    EXPECT_EQ(f.parameterText()->text(), QStringLiteral("2"));
}

TEST(ViewerKeys, ActOnlyWhenTheirButtonIsEnabled)
{
    ViewerFixture v;
    ViewerWindow& f = v.form();
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Right, Qt::Key_Left, Qt::Key_PageUp, Qt::Key_PageDown})
        QTest::keyClick(&f, key);
    EXPECT_FALSE(f.isPlaying());
    EXPECT_FALSE(f.isCapturing());
    EXPECT_EQ(v.shownFrame(), -1);
    EXPECT_EQ(readout(v), QString());

    // While stepping is off the arrows are the focused scroll bar's own.
    QScrollBar* speed = f.speedBar();
    const int value = speed->value();
    QTest::keyClick(speed, Qt::Key_Right);
    EXPECT_EQ(speed->value(), value + speed->singleStep());
    QTest::keyClick(speed, Qt::Key_Left);
    EXPECT_EQ(speed->value(), value);
    QTest::keyClick(speed, Qt::Key_PageDown);
    EXPECT_EQ(speed->value(), value + speed->pageStep()) << "Page Down towards 遅, as →";
    QTest::keyClick(speed, Qt::Key_PageUp);

    // Enter is 描画.
    QTest::keyClick(&f, Qt::Key_Return);
    EXPECT_TRUE(f.isCapturing());
    // While it draws, アニメ開始 and コマ送り are off, and so are their keys;
    // Enter again starts the capture over.
    QTest::keyClick(&f, Qt::Key_Space);
    QTest::keyClick(&f, Qt::Key_Right);
    EXPECT_FALSE(f.isPlaying());
    v.settle();
    EXPECT_EQ(v.drawCount(), 12);

    // With the keypad's Enter too.
    QTest::keyClick(&f, Qt::Key_Enter, Qt::KeypadModifier);
    v.settle();
    EXPECT_EQ(v.drawCount(), 24);

    // A key with a modifier is not one of the viewer's.
    QTest::keyClick(&f, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(v.shownFrame(), 11);
}

TEST(ViewerKeys, EscapeIsTheEndButton)
{
    ViewerFixture v;
    QSignalSpy menu(&v.form(), &ViewerWindow::menuRequested);
    QTest::keyClick(v.form().speedBar(), Qt::Key_Escape);
    EXPECT_EQ(menu.count(), 1);
}

}  // namespace
}  // namespace kelvora
