#include "viewer/viewer_fixture.h"

#include "scenes/medium.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

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

ViewerFixture::ViewerFixture(int sceneIndex)
{
    viewer = new ViewerWindow(sceneIndex);
    viewer->setPlaybackClock(clock);
    viewer->setMessageSink([this](const QString& text) { messages.push_back(text); });
}

ViewerFixture::~ViewerFixture()
{
    delete viewer.data();
}

void ViewerFixture::click(QWidget* button) { static_cast<QAbstractButton*>(button)->click(); }

bool ViewerFixture::settle()
{
    QElapsedTimer waited;
    waited.start();
    while (viewer && viewer->isCapturing() && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return !viewer || !viewer->isCapturing();
}

void ViewerFixture::capture()
{
    click(viewer->drawButton());
    settle();
}

void ViewerFixture::captureFrames(int frames)
{
    click(viewer->drawButton());
    QElapsedTimer waited;
    waited.start();
    // One pass of the event loop at a time: a pass hands in at most one
    // frame, where a pass with a time limit would go on to later frames
    // already drawn and could end the capture first.
    while (viewer && viewer->isCapturing() && viewer->model().frameNo() < frames && waited.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QThread::yieldCurrentThread();
    }
}

int ViewerFixture::shownFrame()
{
    const QImage& picture = viewer->picture()->surface().image();
    QImage stored;
    for (int k = 0; k <= viewer->model().lastFrame(); ++k)
        if (viewer->frameStore().read(k, stored) && stored == picture)
            return k;
    return -1;
}

QPoint particleOnScreen(ViewerWindow& form, std::size_t index)
{
    const Medium medium = *MediumOf(2, form.model().sceneContext(nullptr));
    const MediumSite site = *SiteNear(medium, std::get<ParticleRow>(medium).restX[index], 0);
    const UserPoint at = site.position(form.shownFrameIndex() / double(form.model().lastFrame() + 1));
    const DrawState s = form.picture()->canvas().state();
    const QRect area = form.picture()->frameArea();
    const QPointF pixel((at.x - s.scaleLeft) / s.scaleWidth * area.width(),
        (at.y - s.scaleTop) / s.scaleHeight * area.height());
    return form.picture()->mapTo(&form, area.topLeft() + pixel.toPoint());
}

void clickAt(ViewerWindow& form, QPoint point)
{
    QWidget* hit = form.childAt(point);
    ASSERT_EQ(hit, form.picture());
    QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(&form, point));
}

}  // namespace kelvora::test
