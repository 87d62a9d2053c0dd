#include "viewer/viewer_fixture.h"

#include "canvas/canvas.h"

#include <QPushButton>
#include <QCoreApplication>
#include <QElapsedTimer>

namespace kelvora::test {

void FakeClock::wakeAt(std::int64_t dueMs, std::function<void()> callback)
{
    due_ = dueMs;
    callback_ = std::move(callback);
}

void FakeClock::fire(std::int64_t late)
{
    now = due_ + late;
    std::function<void()> callback = std::move(callback_);
    callback_ = nullptr;
    if (callback)
        callback();
}

std::uint32_t FrameColour(int frameNo) { return 0xFF000000u | (40u + 5u * static_cast<std::uint32_t>(frameNo)) << 16 | 0x2030u; }

int FrameOfColour(std::uint32_t argb)
{
    if ((argb & 0xFFFFu) != 0x2030u)
        return -1;
    return (static_cast<int>((argb >> 16) & 0xFFu) - 40) / 5;
}

ViewerFixture::ViewerFixture(int sceneIndex)
{
    viewer = new ViewerWindow(sceneIndex);
    viewer->setPlaybackClock(clock);
    viewer->setMessageSink([this](const QString& text) { messages.push_back(text); });
    viewer->setFrameRenderer([this](int, Canvas& canvas, std::int16_t& frameNo, SceneContext&) {
        canvas.Cls();
        canvas.Scale(0, 10, 10, 0);
        const std::uint32_t c = FrameColour(frameNo);
        canvas.LineBoxFilled(0, 0, 10, 10, RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF));
        renderedFrames.push_back(frameNo);
        if (onRender)
            onRender(frameNo);
        return true;
    });
}

ViewerFixture::~ViewerFixture()
{
    delete viewer.data();
}

void ViewerFixture::click(QWidget* button) { static_cast<QAbstractButton*>(button)->click(); }

bool ViewerFixture::settle()
{
    // Frame by frame without the pauses of QTest::qWaitFor.
    QElapsedTimer waited;
    waited.start();
    while (viewer && viewer->isCapturing() && waited.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    return !viewer || !viewer->isCapturing();
}

void ViewerFixture::capture()
{
    click(viewer->drawButton());
    settle();
}

int ViewerFixture::shownFrame()
{
    return FrameOfColour(viewer->picture()->surface().image().pixel(3, 3));
}

}  // namespace kelvora::test
