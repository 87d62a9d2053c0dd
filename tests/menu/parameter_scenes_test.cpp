// The parameter scenes through the real windows: the viewer's scroll bar
// drives what the scene draws, and a new value followed by 描画 shows the
// new picture.

#include "menu/menu_window.h"
#include "viewer/viewer_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace kelvora {
namespace {

class ParameterScene {
public:
    explicit ParameterScene(int scene)
    {
        auto* menu = new MenuWindow();
        menu->show();
        QObject::connect(menu, &MenuWindow::viewerOpened, [this](ViewerWindow* opened) { viewer = opened; });
        QTest::mouseClick(menu->sceneButton(scene), Qt::LeftButton);
    }
    ~ParameterScene()
    {
        QApplication::closeAllWindows();
        QTest::qWait(20);
    }

    // Presses 描画, waits for the capture, returns the first stored frame.
    QImage capture()
    {
        QTest::mouseClick(viewer->drawButton(), Qt::LeftButton);
        for (int i = 0; i < 500 && viewer->isCapturing(); ++i)
            QTest::qWait(10);
        QImage frame;
        EXPECT_TRUE(viewer->frameStore().read(0, frame));
        return frame;
    }

    QPointer<ViewerWindow> viewer;
};

TEST(ParameterScenes, ThinFilmSetsItsControlsAndRedrawsForANewThickness)
{
    ParameterScene s(14);
    ASSERT_TRUE(s.viewer);
    EXPECT_EQ(s.viewer->parameterBar()->value(), 20);
    EXPECT_EQ(s.viewer->parameterText()->text(), QStringLiteral("2"));
    EXPECT_EQ(s.viewer->model().sceneParam(), 20);
    EXPECT_EQ(s.viewer->parameterBar()->pageStep(), 1) << "LargeChange 1 while the viewer is fresh";
    const QImage cancelling = s.capture();
    EXPECT_EQ(s.viewer->parameterBar()->pageStep(), 5) << "the scene sets LargeChange 5";
    EXPECT_EQ(s.viewer->parameterBar()->maximum(), 40);

    s.viewer->parameterBar()->setValue(25);
    EXPECT_EQ(s.viewer->parameterText()->text(), QStringLiteral("2.5"));
    EXPECT_EQ(s.viewer->model().sceneParam(), 25);
    EXPECT_FALSE(s.viewer->playButton()->isEnabled());
    EXPECT_EQ(s.viewer->frameStore().heldCount(), 0);
    const QImage reinforcing = s.capture();
    EXPECT_NE(cancelling, reinforcing);
    EXPECT_EQ(s.viewer->parameterText()->text(), QStringLiteral("2.5"));
}

TEST(ParameterScenes, ConditionMovesPWithTheScrollBar)
{
    ParameterScene s(15);
    ASSERT_TRUE(s.viewer);
    EXPECT_EQ(s.viewer->parameterBar()->minimum(), 0);
    EXPECT_EQ(s.viewer->parameterBar()->maximum(), 16);
    EXPECT_EQ(s.viewer->parameterText()->text(), QStringLiteral("8"));
    const QImage middle = s.capture();
    s.viewer->parameterBar()->setValue(0);
    EXPECT_EQ(s.viewer->parameterText()->text(), QStringLiteral("0"));
    EXPECT_NE(s.capture(), middle);
}

TEST(ParameterScenes, PipesDrawTheChosenNumberOfNodes)
{
    for (int scene : {10, 11}) {
        ParameterScene s(scene);
        ASSERT_TRUE(s.viewer);
        EXPECT_EQ(s.viewer->model().sceneParam(), 1);
        const QImage one = s.capture();
        s.viewer->parameterBar()->setValue(3);
        EXPECT_EQ(s.viewer->parameterText()->text(), QStringLiteral("3"));
        EXPECT_EQ(s.viewer->model().sceneParam(), 3);
        EXPECT_NE(s.capture(), one) << scene;
    }
}

}  // namespace
}  // namespace kelvora
