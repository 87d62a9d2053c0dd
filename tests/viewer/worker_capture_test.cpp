// Capture on worker threads stores exactly what the one-by-one capture
// stores, for every scene, both frame counts and a parameter, and leaves
// the same drawing state, surface and controls behind.

#include "canvas/canvas.h"
#include "scenes/scene_catalogue.h"
#include "viewer/capture_workers.h"
#include "viewer/viewer_window.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

namespace kelvora {
namespace {

struct Outcome {
    std::vector<QImage> frames;  // both captures, one after the other
    QImage surface;
    DrawState state;
    int frameNo = 0;
    int scrollValue = 0, scrollMax = 0, scrollPage = 0;
    QString text;
    int workerDraws = 0;
    std::vector<QString> messages;
};

void captureAndWait(ViewerWindow& viewer)
{
    viewer.drawButton()->click();
    QElapsedTimer timer;
    timer.start();
    while (viewer.isCapturing() && timer.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    ASSERT_FALSE(viewer.isCapturing());
}

// Opens the viewer on a scene and captures twice: the second capture
// starts from the state the first one leaves.
Outcome captureTwice(int sceneIndex, bool workers, bool twentyFour, std::optional<int> parameter,
    const std::function<void(ViewerWindow&)>& betweenCaptures = {})
{
    Outcome outcome;
    auto* viewer = new ViewerWindow(sceneIndex);
    viewer->setMessageSink([&](const QString& text) { outcome.messages.push_back(text); });
    viewer->setParallelCapture(workers);
    (twentyFour ? viewer->frames24() : viewer->frames12())->setChecked(true);
    if (parameter)
        viewer->parameterBar()->setValue(*parameter);
    for (int round = 0; round < 2; ++round) {
        if (round == 1 && betweenCaptures)
            betweenCaptures(*viewer);
        captureAndWait(*viewer);
        for (int k = 0; k <= viewer->model().lastFrame(); ++k) {
            QImage frame;
            EXPECT_TRUE(viewer->frameStore().read(k, frame));
            outcome.frames.push_back(frame);
        }
    }
    outcome.surface = viewer->picture()->surface().snapshot();
    outcome.state = viewer->picture()->canvas().state();
    outcome.frameNo = viewer->model().frameNo();
    outcome.scrollValue = viewer->parameterBar()->value();
    outcome.scrollMax = viewer->parameterBar()->maximum();
    outcome.scrollPage = viewer->parameterBar()->pageStep();
    outcome.text = viewer->parameterText()->text();
    outcome.workerDraws = viewer->framesDrawnByWorkers();
    delete viewer;
    return outcome;
}

bool sameState(const DrawState& a, const DrawState& b)
{
    const FrameStart x{a, 0, {}};
    const FrameStart y{b, 0, {}};
    return SameFrameStart(x, y) && a.currentX == b.currentX && a.currentY == b.currentY;
}

void expectSame(const Outcome& one, const Outcome& many, int frames, bool drawnOnce = true)
{
    EXPECT_TRUE(one.messages.empty());
    EXPECT_TRUE(many.messages.empty());
    ASSERT_EQ(one.frames.size(), many.frames.size());
    for (std::size_t k = 0; k < one.frames.size(); ++k)
        EXPECT_EQ(one.frames[k], many.frames[k]) << "capture " << k / frames + 1 << " frame " << k % frames;
    EXPECT_EQ(one.surface, many.surface);
    EXPECT_TRUE(sameState(one.state, many.state));
    EXPECT_EQ(one.frameNo, many.frameNo);
    EXPECT_EQ(one.scrollValue, many.scrollValue);
    EXPECT_EQ(one.scrollMax, many.scrollMax);
    EXPECT_EQ(one.scrollPage, many.scrollPage);
    EXPECT_EQ(one.text, many.text);
    // Every frame drawn once: none skipped, none drawn again.
    EXPECT_EQ(one.workerDraws, 0);
    if (drawnOnce) {
        EXPECT_EQ(many.workerDraws, 2 * frames);
    } else {
        EXPECT_GE(many.workerDraws, 2 * frames);
    }

}

class CapturedScene : public ::testing::TestWithParam<int> {};

TEST_P(CapturedScene, StoresWhatTheOneByOneCaptureStoresWithTwelveFrames)
{
    expectSame(captureTwice(GetParam(), false, false, std::nullopt), captureTwice(GetParam(), true, false, std::nullopt),
        12);
}

TEST_P(CapturedScene, StoresWhatTheOneByOneCaptureStoresWithTwentyFourFrames)
{
    expectSame(captureTwice(GetParam(), false, true, std::nullopt), captureTwice(GetParam(), true, true, std::nullopt),
        24);
}

INSTANTIATE_TEST_SUITE_P(WorkerCapture, CapturedScene, ::testing::Range(0, kSceneCount));

class ParameterScene : public ::testing::TestWithParam<int> {};

TEST_P(ParameterScene, StoresWhatTheOneByOneCaptureStoresForAnotherParameter)
{
    const int scene = GetParam();
    const int value = ParameterSetupFor(scene)->max;
    expectSame(captureTwice(scene, false, true, value), captureTwice(scene, true, true, value), 24);
}

INSTANTIATE_TEST_SUITE_P(WorkerCapture, ParameterScene, ::testing::Values(10, 11, 14, 15));

// Between the captures the drawing state is changed behind the scene's
// back, so frames drawn ahead from the state of the last capture start
// from the wrong one: they must be drawn again, and the result still be
// that of the one-by-one capture.
TEST_P(CapturedScene, AWrongGuessOfTheStartIsDrawnAgain)
{
    const auto poke = [](ViewerWindow& viewer) {
        Canvas& canvas = viewer.picture()->canvas();
        canvas.SetDrawStyle(2);
        canvas.SetFontSize(20);
        canvas.SetFillStyle(0);
    };
    const Outcome many = captureTwice(GetParam(), true, true, std::nullopt, poke);
    expectSame(captureTwice(GetParam(), false, true, std::nullopt, poke), many, 24, false);
    // Scene 0 sets its own DrawStyle each frame: its second frame must
    // have been drawn again.
    if (GetParam() == 0) {
        EXPECT_GT(many.workerDraws, 48);
    }
}

TEST(WorkerCapture, AParameterChangeOrClosingDuringACaptureEndsIt)
{
    QPointer<ViewerWindow> viewer = new ViewerWindow(8);
    viewer->frames24()->setChecked(true);
    viewer->drawButton()->click();
    QElapsedTimer timer;
    timer.start();
    while (viewer->model().frameNo() < 3 && timer.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    ASSERT_TRUE(viewer->isCapturing());
    viewer->parameterBar()->setValue(viewer->parameterBar()->value() == 1 ? 2 : 1);
    EXPECT_FALSE(viewer->isCapturing());
    EXPECT_EQ(viewer->frameStore().heldCount(), 0);
    // Frames the workers finish afterwards are not stored.
    QCoreApplication::processEvents(QEventLoop::AllEvents, 300);
    EXPECT_EQ(viewer->frameStore().heldCount(), 0);

    viewer->drawButton()->click();
    while (viewer->model().frameNo() < 2 && timer.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    viewer->close();  // deletes the window, the drawing threads with it
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    EXPECT_TRUE(viewer.isNull());
}

}  // namespace
}  // namespace kelvora
