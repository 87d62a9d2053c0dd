// The parameter scenes through the real windows: the viewer's scroll bar
// drives what the scene draws, and a new value followed by 描画 shows the
// new picture.

#include "app/shared_state.h"
#include "menu/form2.h"
#include "viewer/form1.h"

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
        auto* menu = new Form2();
        menu->show();
        QObject::connect(menu, &Form2::viewerOpened, [this](Form1* opened) { viewer = opened; });
        QTest::mouseClick(menu->Command1(scene), Qt::LeftButton);
    }
    ~ParameterScene()
    {
        QApplication::closeAllWindows();
        QTest::qWait(20);
    }

    // Presses 描画, waits for the capture, returns the first stored frame.
    QImage capture()
    {
        QTest::mouseClick(viewer->Cmd_Picture(), Qt::LeftButton);
        for (int i = 0; i < 500 && viewer->isCapturing(); ++i)
            QTest::qWait(10);
        QImage frame;
        EXPECT_TRUE(viewer->frameStore().read(0, frame));
        return frame;
    }

    QPointer<Form1> viewer;
};

TEST(ParameterScenes, ThinFilmSetsItsControlsAndRedrawsForANewThickness)
{
    ParameterScene s(14);
    ASSERT_TRUE(s.viewer);
    EXPECT_EQ(s.viewer->HScroll2()->value(), 20);
    EXPECT_EQ(s.viewer->Text1()->text(), QStringLiteral("2"));
    EXPECT_EQ(Shared().SceneParam, 20);
    EXPECT_EQ(s.viewer->HScroll2()->pageStep(), 1) << "LargeChange 1 while the viewer is fresh";
    const QImage cancelling = s.capture();
    EXPECT_EQ(s.viewer->HScroll2()->pageStep(), 5) << "the scene sets LargeChange 5";
    EXPECT_EQ(s.viewer->HScroll2()->maximum(), 40);

    s.viewer->HScroll2()->setValue(25);
    EXPECT_EQ(s.viewer->Text1()->text(), QStringLiteral("2.5"));
    EXPECT_EQ(Shared().SceneParam, 25);
    EXPECT_FALSE(s.viewer->Cmd_Anime()->isEnabled());
    EXPECT_EQ(s.viewer->frameStore().heldCount(), 0);
    const QImage reinforcing = s.capture();
    EXPECT_NE(cancelling, reinforcing);
    EXPECT_EQ(s.viewer->Text1()->text(), QStringLiteral("2.5"));
}

TEST(ParameterScenes, ConditionMovesPWithTheScrollBar)
{
    ParameterScene s(15);
    ASSERT_TRUE(s.viewer);
    EXPECT_EQ(s.viewer->HScroll2()->minimum(), 0);
    EXPECT_EQ(s.viewer->HScroll2()->maximum(), 16);
    EXPECT_EQ(s.viewer->Text1()->text(), QStringLiteral("8"));
    const QImage middle = s.capture();
    s.viewer->HScroll2()->setValue(0);
    EXPECT_EQ(s.viewer->Text1()->text(), QStringLiteral("0"));
    EXPECT_NE(s.capture(), middle);
}

TEST(ParameterScenes, PipesDrawTheChosenNumberOfNodes)
{
    for (int scene : {10, 11}) {
        ParameterScene s(scene);
        ASSERT_TRUE(s.viewer);
        EXPECT_EQ(Shared().SceneParam, 1);
        const QImage one = s.capture();
        s.viewer->HScroll2()->setValue(3);
        EXPECT_EQ(s.viewer->Text1()->text(), QStringLiteral("3"));
        EXPECT_EQ(Shared().SceneParam, 3);
        EXPECT_NE(s.capture(), one) << scene;
    }
}

}  // namespace
}  // namespace kelvora
