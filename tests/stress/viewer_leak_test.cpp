// Opening and closing the viewer many times, with a capture each time,
// leaves no frame buffer and no window behind. In the sanitizer build the
// leak checker looks at the rest at exit.

#include "app/shared_state.h"
#include "menu/form2.h"
#include "viewer/form1.h"
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

Form2* openMenu()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<Form2*>(w); m && m->isVisible())
            return m;
    return nullptr;
}

TEST(ViewerLeakTest, HundredViewersWithACaptureEachLeaveNoBuffers)
{
    Shared() = SharedState();
    const int widgetsBefore = static_cast<int>(QApplication::allWidgets().size());
    ASSERT_EQ(FrameStore::liveBufferCount(), 0);
    ShowMenu();
    for (int round = 0; round < 100; ++round) {
        SCOPED_TRACE(round);
        Form2* menu = openMenu();
        ASSERT_NE(menu, nullptr);
        Form1* opened = nullptr;
        QObject::connect(menu, &Form2::viewerOpened, [&](Form1* viewer) { opened = viewer; });
        QTest::mouseClick(menu->Command1(round % 16), Qt::LeftButton);
        ASSERT_NE(opened, nullptr);
        QPointer<Form1> viewer(opened);
        if (round % 3 == 1)
            QTest::mouseClick(viewer->Option2(), Qt::LeftButton);
        QTest::mouseClick(viewer->Cmd_Picture(), Qt::LeftButton);
        QElapsedTimer waited;
        waited.start();
        while (viewer->isCapturing() && waited.elapsed() < 10000)
            QCoreApplication::processEvents();
        ASSERT_FALSE(viewer->isCapturing());
        EXPECT_EQ(FrameStore::liveBufferCount(), Shared().LastFrame + 1);
        // Every third viewer closes by its frame, the rest by 終了, which
        // brings a new menu back; after a frame close the program would
        // end, so a new menu stands in for the next start.
        if (round % 3 == 2) {
            viewer->close();
            ShowMenu();
        } else {
            QTest::mouseClick(viewer->Cmd_End(), Qt::LeftButton);
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
