#include "scenes/scene_catalogue.h"
#include "menu/menu_window.h"
#include "viewer/control_widgets.h"
#include "viewer/viewer_window.h"

#include <QAccessible>
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

ViewerWindow* openScene(MenuWindow* menu, int index)
{
    ViewerWindow* opened = nullptr;
    QObject::connect(menu, &MenuWindow::viewerOpened, [&](ViewerWindow* viewer) { opened = viewer; });
    QTest::mouseClick(menu->sceneButton(index), Qt::LeftButton);
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

TEST_F(MenuTest, WidgetsAreTheirDescription)
{
    auto* menu = new MenuWindow();
    menu->show();
    const MenuDescription& d = menu->description();
    EXPECT_EQ(menu->windowTitle().toStdString(), d.windowCaption);
    const std::vector<PixelRect> places = LayOutMenu(d, menu->width(), menu->height());
    for (std::size_t i = 0; i < d.controls.size(); ++i) {
        const QWidget* w = menu->controlWidgets()[i];
        EXPECT_EQ(w->geometry(), ToQRect(places[i])) << d.controls[i].name;
        EXPECT_EQ(w->objectName().toStdString(), d.controls[i].designName);
        EXPECT_EQ(w->accessibleDescription().toStdString(), d.controls[i].accessibleDescription);
    }
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(menu->sceneButton(i)->text(), QString::fromUtf8(FindScene(i)->menuCaption));
    EXPECT_EQ(menu->heading()->font().pointSize(), 24);
    EXPECT_EQ(menu->heading()->palette().color(QPalette::WindowText), QColor(0, 0, 255));
}

TEST_F(MenuTest, OpensAtItsSizeCentredOnTheScreen)
{
    auto* menu = new MenuWindow();
    menu->show();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(menu->frameGeometry().size(), MenuWindow::outerSizePixels());
    EXPECT_EQ(MenuWindow::outerSizePixels(), QSize(576, 426));
    EXPECT_NEAR(menu->frameGeometry().center().x(), screen.center().x(), 1);
    EXPECT_NEAR(menu->frameGeometry().center().y(), screen.center().y(), 1);
}

TEST_F(MenuTest, TabFollowsTheDescribedOrder)
{
    auto* menu = new MenuWindow();
    menu->show();
    const std::vector<QWidget*>& widgets = menu->controlWidgets();
    // The heading first takes no focus; the buttons follow one another.
    for (std::size_t i = 1; i + 1 < widgets.size(); ++i)
        EXPECT_EQ(widgets[i]->nextInFocusChain(), widgets[i + 1]) << i;
}

// The widgets of a window, shown or not, that a screen reader finds
// without a name through Qt's accessibility interface.
std::string unnamedControls(QWidget* window)
{
    QAccessible::setActive(true);
    QStringList unnamed;
    for (QWidget* w : window->findChildren<QWidget*>())
        if (QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).isEmpty())
            unnamed << w->objectName();
    return unnamed.join(' ').toStdString();
}

TEST_F(MenuTest, AccessibleNamesOnEveryControlAndTheFrameShown)
{
    EXPECT_EQ(unnamedControls(ShowMenu()), "");
    for (int scene = 0; scene < 16; ++scene)
        EXPECT_EQ(unnamedControls(std::make_unique<ViewerWindow>(scene).get()), "") << scene;
    ViewerWindow pipe(10);
    EXPECT_EQ(pipe.speedBar()->accessibleDescription(), "1コマの表示時間。左ほど速い");
    EXPECT_EQ(pipe.parameterBar()->accessibleName() + "|" + pipe.picture()->accessibleName(), "節の数|閉管");
    QTest::mouseClick(pipe.drawButton(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return !pipe.isCapturing(); }));
    for (int i = 0; i < 4; ++i)
        QTest::mouseClick(pipe.stepButton(), Qt::LeftButton);
    EXPECT_EQ(pipe.picture()->accessibleName(), "閉管、コマ 4 / 12");
}

TEST_F(MenuTest, ParameterSceneOpensWithTitleAndControls)
{
    auto* menu = new MenuWindow();
    menu->show();
    QPointer<MenuWindow> menuAlive(menu);
    ViewerWindow* viewer = openScene(menu, 10);
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->model().sceneIndex(), 10);
    EXPECT_EQ(viewer->titleLabel()->text(), QStringLiteral("　　　　　　　　閉管　"));
    EXPECT_TRUE(viewer->parameterBar()->isVisible());
    EXPECT_TRUE(viewer->parameterLabel()->isVisible());
    EXPECT_TRUE(viewer->parameterText()->isVisible());
    EXPECT_TRUE(viewer->isVisible());
    QTest::qWait(20);
    EXPECT_TRUE(menuAlive.isNull()) << "the menu is unloaded";
}

TEST_F(MenuTest, SceneWithoutParameterHidesTheControls)
{
    auto* menu = new MenuWindow();
    menu->show();
    ViewerWindow* viewer = openScene(menu, 0);
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->titleLabel()->text(), QStringLiteral("　　　　　　単振動の変位"));
    EXPECT_FALSE(viewer->parameterBar()->isVisible());
    EXPECT_FALSE(viewer->parameterLabel()->isVisible());
    EXPECT_FALSE(viewer->parameterText()->isVisible());
}

TEST_F(MenuTest, ViewerEndBringsTheMenuBackAtTheSamePlace)
{
    auto* menu = new MenuWindow();
    menu->show();
    const QRect before = menu->frameGeometry();
    ViewerWindow* viewer = openScene(menu, 3);
    ASSERT_NE(viewer, nullptr);
    QPointer<ViewerWindow> viewerAlive(viewer);
    QTest::mouseClick(viewer->endButton(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return viewerAlive.isNull(); }));
    MenuWindow* again = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<MenuWindow*>(w); m && m->isVisible())
            again = m;
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->frameGeometry(), before);
}

TEST_F(MenuTest, ArrowKeysWalkTheLayoutAndEnterOpens)
{
    auto* menu = new MenuWindow();
    menu->show();
    QApplication::setActiveWindow(menu);
    menu->sceneButton(0)->setFocus();
    QTest::keyClick(menu->sceneButton(0), Qt::Key_Down);
    const int below = MenuSceneAfterArrow(0, MenuArrow::Down);
    EXPECT_EQ(menu->focusWidget(), menu->sceneButton(below));
    QTest::keyClick(menu->sceneButton(below), Qt::Key_Left);
    EXPECT_EQ(menu->focusWidget(), menu->sceneButton(MenuSceneAfterArrow(below, MenuArrow::Left)));
    QTest::keyClick(menu->focusWidget(), Qt::Key_Right);
    EXPECT_EQ(menu->focusWidget(), menu->sceneButton(below));
    ViewerWindow* opened = nullptr;
    QObject::connect(menu, &MenuWindow::viewerOpened, [&](ViewerWindow* viewer) { opened = viewer; });
    QTest::keyClick(menu->sceneButton(below), Qt::Key_Return);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->model().sceneIndex(), below);
}

TEST_F(MenuTest, ClosingTheViewerWhilePlayingEndsTheProgram)
{
    auto* menu = new MenuWindow();
    menu->show();
    ViewerWindow* viewer = openScene(menu, 1);
    ASSERT_NE(viewer, nullptr);
    QTest::qWait(20);  // the menu is gone: the viewer is the last window
    QPointer<ViewerWindow> alive(viewer);
    QTest::mouseClick(viewer->drawButton(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return !viewer->isCapturing(); }));
    QTest::mouseClick(viewer->playButton(), Qt::LeftButton);
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
    MenuWindow* menu = ShowMenu();
    for (int scene = 0; scene < 16; ++scene) {
        SCOPED_TRACE(scene);
        ViewerWindow* viewer = openScene(menu, scene);
        ASSERT_NE(viewer, nullptr);
        QPointer<ViewerWindow> alive(viewer);
        viewer->speedBar()->setValue(1);
        QTest::mouseClick(viewer->drawButton(), Qt::LeftButton);
        ASSERT_TRUE(waitFor([&] { return !viewer->isCapturing(); }));
        EXPECT_EQ(viewer->frameStore().heldCount(), 12);
        EXPECT_TRUE(viewer->playButton()->isEnabled());
        QTest::mouseClick(viewer->playButton(), Qt::LeftButton);
        QTest::qWait(30);
        EXPECT_TRUE(viewer->isPlaying());
        EXPECT_FALSE(viewer->drawButton()->isEnabled());
        QTest::mouseClick(viewer->pauseButton(), Qt::LeftButton);
        EXPECT_TRUE(waitFor([&] { return !viewer->isPlaying(); }));
        QTest::mouseClick(viewer->stepButton(), Qt::LeftButton);
        QTest::mouseClick(viewer->endButton(), Qt::LeftButton);
        ASSERT_TRUE(waitFor([&] { return alive.isNull(); }));
        menu = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* m = qobject_cast<MenuWindow*>(w); m && m->isVisible())
                menu = m;
        ASSERT_NE(menu, nullptr);
    }
    QPointer<MenuWindow> last(menu);
    QTest::mouseClick(menu->endButton(), Qt::LeftButton);
    EXPECT_TRUE(waitFor([&] { return last.isNull(); }));
}

}  // namespace
}  // namespace kelvora
