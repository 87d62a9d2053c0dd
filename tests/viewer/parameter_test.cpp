#include "viewer/viewer_fixture.h"

#include "app/shared_state.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace kelvora {
namespace {

using test::ViewerFixture;

TEST(Parameter, SceneFourteenStartsAtTwoAndShowsTenths)
{
    ViewerFixture v(14);
    QScrollBar* bar = v.form().HScroll2();
    EXPECT_EQ(v.form().Label4()->text(), "膜の厚さの２倍/膜中の波長");
    EXPECT_EQ(bar->minimum(), 1);
    EXPECT_EQ(bar->maximum(), 40);
    EXPECT_EQ(bar->value(), 20);
    EXPECT_EQ(bar->pageStep(), 1);
    EXPECT_EQ(Shared().SceneParam, 20);
    EXPECT_EQ(v.form().Text1()->text(), "2");

    v.capture();
    bar->setValue(25);
    EXPECT_EQ(v.form().Text1()->text(), "2.5");
    EXPECT_EQ(Shared().SceneParam, 25);
    EXPECT_FALSE(v.form().Cmd_Anime()->isEnabled());
    EXPECT_FALSE(v.form().Cmd_stop()->isEnabled());
    EXPECT_FALSE(v.form().Cmd_step()->isEnabled());
    EXPECT_TRUE(v.form().Cmd_Picture()->isEnabled());
    EXPECT_EQ(v.form().frameStore().heldCount(), 0);
}

TEST(Parameter, SceneFifteenStartsAtEight)
{
    ViewerFixture v(15);
    EXPECT_EQ(v.form().Label4()->text(), QString::fromUtf8("　　АＰの距離/（λ/4）"));
    EXPECT_EQ(v.form().HScroll2()->minimum(), 0);
    EXPECT_EQ(v.form().HScroll2()->maximum(), 16);
    EXPECT_EQ(v.form().HScroll2()->value(), 8);
    EXPECT_EQ(Shared().SceneParam, 8);
    EXPECT_EQ(v.form().Text1()->text(), "8");
}

TEST(Parameter, PipesKeepTheDesignValuesAndShowIntegers)
{
    ViewerFixture v(10);
    EXPECT_EQ(v.form().HScroll2()->value(), 1);
    EXPECT_EQ(v.form().HScroll2()->maximum(), 5);
    EXPECT_EQ(Shared().SceneParam, 1);
    // Typing into the box means nothing; the right arrow raises the value.
    QTest::keyClicks(v.form().Text1(), "4");
    EXPECT_EQ(v.form().Text1()->text(), "1");
    QTest::keyClick(v.form().HScroll2(), Qt::Key_Right);
    EXPECT_EQ(Shared().SceneParam, 2);
    v.form().HScroll2()->setValue(3);
    EXPECT_EQ(v.form().Text1()->text(), "3");
    EXPECT_EQ(Shared().SceneParam, 3);
}

TEST(Parameter, ScenesReadAndWriteTheControlsThroughTheirContext)
{
    ViewerFixture v(14);
    std::vector<ParameterControl> seen;
    SceneContext lastContext;
    // What scene 14 does to the controls on every frame.
    v.form().setFrameRenderer([&](int, Canvas&, std::int16_t&, SceneContext& context) {
        seen.push_back(*context.parameter);
        lastContext = context;
        context.parameter->largeChange = 5;
        context.parameter->max = 40;
        context.parameter->text = "x" + std::to_string(context.parameter->value);
        return true;
    });
    v.capture();
    ASSERT_EQ(seen.size(), 12u);
    EXPECT_EQ(seen[0].value, 20);
    EXPECT_EQ(seen[0].largeChange, 1);
    EXPECT_EQ(seen[1].largeChange, 5);  // the writes of one frame reach the next
    EXPECT_EQ(seen[1].text, "x20");
    EXPECT_EQ(v.form().HScroll2()->pageStep(), 5);
    EXPECT_EQ(v.form().Text1()->text(), "x20");
    // Max stays above the value: no change handler ran, the frames stay.
    EXPECT_EQ(v.form().frameStore().heldCount(), 12);
    EXPECT_TRUE(v.form().Cmd_Anime()->isEnabled());
    EXPECT_EQ(lastContext.lastFrame, 11);
    EXPECT_EQ(lastContext.sceneParam, 20);
    EXPECT_EQ(lastContext.screenWidth, v.form().width());
}

}  // namespace
}  // namespace kelvora
