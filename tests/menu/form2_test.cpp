#include "app/shared_state.h"
#include "menu/form2.h"
#include "scenes/scene_catalogue.h"
#include "viewer/form1.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>

namespace kelvora {
namespace {

// Runs the event loop until the condition holds or five seconds pass.
template <typename Condition>
bool waitFor(Condition condition)
{
    for (int i = 0; i < 500 && !condition(); ++i)
        QTest::qWait(10);
    return condition();
}

Form1* openScene(Form2* menu, int index)
{
    Form1* opened = nullptr;
    QObject::connect(menu, &Form2::viewerOpened, [&](Form1* viewer) { opened = viewer; });
    QTest::mouseClick(menu->Command1(index), Qt::LeftButton);
    return opened;
}

class MenuTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        QApplication::closeAllWindows();
        QTest::qWait(20);  // let deleteLater run
    }
};

TEST_F(MenuTest, WidgetsHoldTheLayoutTable)
{
    auto* menu = new Form2();
    menu->show();
    EXPECT_EQ(menu->windowTitle(), QStringLiteral("メニュー"));
    const double unitX = menu->width() / kMenuScaleWidth;
    const double unitY = menu->height() / kMenuScaleHeight;
    // Converted back to user units, each widget is within half a pixel of
    // the table's value.
    for (int i = 0; i < 16; ++i) {
        const QRect g = menu->Command1(i)->geometry();
        const UserRect& expected = menu->layout().sceneButtons[static_cast<std::size_t>(i)];
        EXPECT_NEAR(g.x() / unitX, expected.left, 0.5 / unitX) << i;
        EXPECT_NEAR(g.y() / unitY, expected.top, 0.5 / unitY) << i;
        EXPECT_NEAR(g.height() / unitY, expected.height, 0.5 / unitY) << i;
        EXPECT_EQ(g.width(), 177) << "2652 and 2655 twips both round to 177 pixels";
        EXPECT_EQ(menu->Command1(i)->text(), QString::fromUtf8(FindScene(i)->menuCaption));
    }
    EXPECT_EQ(menu->Cmd_End()->text(), QStringLiteral("終了"));
    EXPECT_NEAR(menu->Cmd_End()->geometry().x() / unitX, 2900.87, 0.5 / unitX);
    EXPECT_NEAR(menu->Cmd_End()->geometry().y() / unitY, 6459.84, 0.5 / unitY);
    EXPECT_EQ(menu->Label1()->text(), QStringLiteral("波動メニュー"));
    EXPECT_EQ(menu->Label1()->font().pointSize(), 24);
    EXPECT_EQ(menu->Label1()->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    // Two columns; scene 15 on the left of the last row, 14 on the right.
    EXPECT_LT(menu->Command1(15)->x(), menu->Command1(14)->x());
    EXPECT_EQ(menu->Command1(15)->y(), menu->Command1(14)->y());
    EXPECT_GT(menu->Cmd_End()->y(), menu->Command1(14)->y());
}

TEST_F(MenuTest, OpensAtItsSizeCentredOnTheScreen)
{
    auto* menu = new Form2();
    menu->show();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(menu->frameGeometry().size(), Form2::outerSizePixels());
    EXPECT_EQ(Form2::outerSizePixels(), QSize(576, 426));
    EXPECT_NEAR(menu->frameGeometry().center().x(), screen.center().x(), 1);
    EXPECT_NEAR(menu->frameGeometry().center().y(), screen.center().y(), 1);
}

TEST_F(MenuTest, TabOrderFollowsTheDesign)
{
    auto* menu = new Form2();
    menu->show();
    QWidget* expected[] = {menu->Command1(0), menu->Command1(1), menu->Command1(2), menu->Command1(3),
        menu->Command1(4), menu->Command1(5), menu->Command1(6), menu->Command1(7), menu->Command1(10),
        menu->Command1(11), menu->Command1(8), menu->Command1(9), menu->Cmd_End(), menu->Command1(12),
        menu->Command1(13), menu->Command1(14), menu->Command1(15)};
    for (std::size_t i = 0; i + 1 < std::size(expected); ++i)
        EXPECT_EQ(expected[i]->nextInFocusChain(), expected[i + 1]) << i;
}

TEST_F(MenuTest, ParameterSceneOpensWithTitleAndControls)
{
    auto* menu = new Form2();
    menu->show();
    QPointer<Form2> menuAlive(menu);
    Form1* viewer = openScene(menu, 10);
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(Shared().SceneIndex, 10);
    EXPECT_EQ(viewer->Label5()->text(), QStringLiteral("　　　　　　　　閉管　"));
    EXPECT_TRUE(viewer->HScroll2()->isVisible());
    EXPECT_TRUE(viewer->Label4()->isVisible());
    EXPECT_TRUE(viewer->Text1()->isVisible());
    EXPECT_TRUE(viewer->isVisible());
    QTest::qWait(20);
    EXPECT_TRUE(menuAlive.isNull()) << "the menu is unloaded";
}

TEST_F(MenuTest, SceneWithoutParameterHidesTheControls)
{
    auto* menu = new Form2();
    menu->show();
    Form1* viewer = openScene(menu, 0);
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->Label5()->text(), QStringLiteral("　　　　　　単振動の変位"));
    EXPECT_FALSE(viewer->HScroll2()->isVisible());
    EXPECT_FALSE(viewer->Label4()->isVisible());
    EXPECT_FALSE(viewer->Text1()->isVisible());
}

TEST_F(MenuTest, ViewerEndBringsTheMenuBackAtTheSamePlace)
{
    auto* menu = new Form2();
    menu->show();
    const QRect before = menu->frameGeometry();
    Form1* viewer = openScene(menu, 3);
    ASSERT_NE(viewer, nullptr);
    QPointer<Form1> viewerAlive(viewer);
    QTest::mouseClick(viewer->Cmd_End(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return viewerAlive.isNull(); }));
    Form2* again = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<Form2*>(w); m && m->isVisible())
            again = m;
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->frameGeometry(), before);
}

TEST_F(MenuTest, ArrowKeysWalkTheLayoutAndEnterOpens)
{
    auto* menu = new Form2();
    menu->show();
    QApplication::setActiveWindow(menu);
    menu->Command1(0)->setFocus();
    QTest::keyClick(menu->Command1(0), Qt::Key_Right);
    EXPECT_EQ(menu->focusWidget(), menu->Command1(12));
    QTest::keyClick(menu->Command1(12), Qt::Key_Down);
    EXPECT_EQ(menu->focusWidget(), menu->Command1(1));
    QTest::keyClick(menu->Command1(1), Qt::Key_Left);
    EXPECT_EQ(menu->focusWidget(), menu->Command1(13));
    Form1* opened = nullptr;
    QObject::connect(menu, &Form2::viewerOpened, [&](Form1* viewer) { opened = viewer; });
    QTest::keyClick(menu->Command1(13), Qt::Key_Return);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(Shared().SceneIndex, 13);
}

TEST_F(MenuTest, ClosingTheViewerWhilePlayingEndsTheProgram)
{
    auto* menu = new Form2();
    menu->show();
    Form1* viewer = openScene(menu, 1);
    ASSERT_NE(viewer, nullptr);
    QTest::qWait(20);  // the menu is gone: the viewer is the last window
    QPointer<Form1> alive(viewer);
    QTest::mouseClick(viewer->Cmd_Picture(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return !viewer->isCapturing(); }));
    QTest::mouseClick(viewer->Cmd_Anime(), Qt::LeftButton);
    ASSERT_TRUE(viewer->isPlaying());
    // Inside the program's event loop, close the viewer through its frame;
    // the loop must end by itself (the safety timer would end it with 99).
    QTimer::singleShot(0, viewer, [viewer] { viewer->close(); });
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    safety.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(waitFor([&] { return alive.isNull(); }));
}

// The whole cycle through the real windows for every scene: menu, scene
// button, 描画, アニメ開始, 一時停止, コマ送り, 終了, back to the menu.
TEST_F(MenuTest, WholeCycleForEveryScene)
{
    Form2* menu = ShowMenu();
    for (int scene = 0; scene < 16; ++scene) {
        SCOPED_TRACE(scene);
        Form1* viewer = openScene(menu, scene);
        ASSERT_NE(viewer, nullptr);
        QPointer<Form1> alive(viewer);
        viewer->HScroll1()->setValue(1);
        QTest::mouseClick(viewer->Cmd_Picture(), Qt::LeftButton);
        ASSERT_TRUE(waitFor([&] { return !viewer->isCapturing(); }));
        EXPECT_EQ(viewer->frameStore().heldCount(), 12);
        EXPECT_TRUE(viewer->Cmd_Anime()->isEnabled());
        QTest::mouseClick(viewer->Cmd_Anime(), Qt::LeftButton);
        QTest::qWait(30);
        EXPECT_TRUE(viewer->isPlaying());
        EXPECT_FALSE(viewer->Cmd_Picture()->isEnabled());
        QTest::mouseClick(viewer->Cmd_stop(), Qt::LeftButton);
        EXPECT_TRUE(waitFor([&] { return !viewer->isPlaying(); }));
        QTest::mouseClick(viewer->Cmd_step(), Qt::LeftButton);
        QTest::mouseClick(viewer->Cmd_End(), Qt::LeftButton);
        ASSERT_TRUE(waitFor([&] { return alive.isNull(); }));
        menu = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* m = qobject_cast<Form2*>(w); m && m->isVisible())
                menu = m;
        ASSERT_NE(menu, nullptr);
    }
    QPointer<Form2> last(menu);
    QTest::mouseClick(menu->Cmd_End(), Qt::LeftButton);
    EXPECT_TRUE(waitFor([&] { return last.isNull(); }));
}

}  // namespace
}  // namespace kelvora
