// Opening and closing the viewer many times, with a capture each time,
// leaves no frame buffer and no window behind. In the sanitizer build the
// leak checker looks at the rest at exit.

#include "menu/menu_window.h"
#include "viewer/viewer_window.h"
#include "viewer/frame_store.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace kelvora {
namespace {

void runDeferredDeletes()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

MenuWindow* openMenu()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<MenuWindow*>(w); m && m->isVisible())
            return m;
    return nullptr;
}

TEST(ViewerLeakTest, HundredViewersWithACaptureEachLeaveNoBuffers)
{
    const int widgetsBefore = static_cast<int>(QApplication::allWidgets().size());
    ASSERT_EQ(FrameStore::liveBufferCount(), 0);
    ShowMenu();
    for (int round = 0; round < 100; ++round) {
        SCOPED_TRACE(round);
        MenuWindow* menu = openMenu();
        ASSERT_NE(menu, nullptr);
        ViewerWindow* opened = nullptr;
        QObject::connect(menu, &MenuWindow::viewerOpened, [&](ViewerWindow* viewer) { opened = viewer; });
        QTest::mouseClick(menu->sceneButton(round % 16), Qt::LeftButton);
        ASSERT_NE(opened, nullptr);
        QPointer<ViewerWindow> viewer(opened);
        if (round % 3 == 1)
            QTest::mouseClick(viewer->frames24(), Qt::LeftButton);
        QTest::mouseClick(viewer->drawButton(), Qt::LeftButton);
        QElapsedTimer waited;
        waited.start();
        while (viewer->isCapturing() && waited.elapsed() < 10000)
            QCoreApplication::processEvents();
        ASSERT_FALSE(viewer->isCapturing());
        EXPECT_EQ(FrameStore::liveBufferCount(), viewer->model().lastFrame() + 1);
        // Every third viewer closes by its frame, the rest by 終了, which
        // brings a new menu back; after a frame close the program would
        // end, so a new menu stands in for the next start.
        if (round % 3 == 2) {
            viewer->close();
            ShowMenu();
        } else {
            QTest::mouseClick(viewer->endButton(), Qt::LeftButton);
        }
        runDeferredDeletes();
        EXPECT_TRUE(viewer.isNull()) << "the closed viewer is deleted";
        EXPECT_EQ(FrameStore::liveBufferCount(), 0);
    }
    QApplication::closeAllWindows();
    runDeferredDeletes();
    EXPECT_EQ(FrameStore::liveBufferCount(), 0);
    EXPECT_EQ(static_cast<int>(QApplication::allWidgets().size()), widgetsBefore) << "windows left behind";
}

}  // namespace
}  // namespace kelvora

namespace kelvora {
namespace {

TEST(ViewerLeakTest, AStoreDestroyedWhileHoldingFramesGivesThemBack)
{
    const int before = FrameStore::liveBufferCount();
    {
        FrameStore store;
        store.allocate(0, QSize(4, 3), 4);
        store.allocate(1, QSize(4, 3), 4);
        store.allocate(1, QSize(4, 3), 4);  // replaces, does not add
        EXPECT_EQ(FrameStore::liveBufferCount(), before + 2);
    }
    EXPECT_EQ(FrameStore::liveBufferCount(), before);
}

}  // namespace
}  // namespace kelvora
