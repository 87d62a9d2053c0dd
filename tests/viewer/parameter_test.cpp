#include "viewer/viewer_fixture.h"


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
    QScrollBar* bar = v.form().parameterBar();
    EXPECT_EQ(v.form().parameterLabel()->text(), "膜の厚さの２倍/膜中の波長");
    EXPECT_EQ(bar->minimum(), 1);
    EXPECT_EQ(bar->maximum(), 40);
    EXPECT_EQ(bar->value(), 20);
    EXPECT_EQ(bar->pageStep(), 1);
    EXPECT_EQ(v.form().model().sceneParam(), 20);
    EXPECT_EQ(v.form().parameterText()->text(), "2");

    v.capture();
    bar->setValue(25);
    EXPECT_EQ(v.form().parameterText()->text(), "2.5");
    EXPECT_EQ(v.form().model().sceneParam(), 25);
    EXPECT_FALSE(v.form().playButton()->isEnabled());
    EXPECT_FALSE(v.form().pauseButton()->isEnabled());
    EXPECT_FALSE(v.form().stepButton()->isEnabled());
    EXPECT_TRUE(v.form().drawButton()->isEnabled());
    EXPECT_EQ(v.form().frameStore().heldCount(), 0);
}

TEST(Parameter, SceneFifteenStartsAtEight)
{
    ViewerFixture v(15);
    EXPECT_EQ(v.form().parameterLabel()->text(), QString::fromUtf8("　　ＡＰの距離/（λ/4）"));
    EXPECT_EQ(v.form().parameterBar()->minimum(), 0);
    EXPECT_EQ(v.form().parameterBar()->maximum(), 16);
    EXPECT_EQ(v.form().parameterBar()->value(), 8);
    EXPECT_EQ(v.form().model().sceneParam(), 8);
    EXPECT_EQ(v.form().parameterText()->text(), "8");
}

TEST(Parameter, PipesKeepTheDesignValuesAndShowIntegers)
{
    ViewerFixture v(10);
    EXPECT_EQ(v.form().parameterBar()->value(), 1);
    EXPECT_EQ(v.form().parameterBar()->maximum(), 5);
    EXPECT_EQ(v.form().model().sceneParam(), 1);
    // Typing into the box means nothing; the right arrow raises the value.
    QTest::keyClicks(v.form().parameterText(), "4");
    EXPECT_EQ(v.form().parameterText()->text(), "1");
    QTest::keyClick(v.form().parameterBar(), Qt::Key_Right);
    EXPECT_EQ(v.form().model().sceneParam(), 2);
    v.form().parameterBar()->setValue(3);
    EXPECT_EQ(v.form().parameterText()->text(), "3");
    EXPECT_EQ(v.form().model().sceneParam(), 3);
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
    EXPECT_EQ(v.form().parameterBar()->pageStep(), 5);
    EXPECT_EQ(v.form().parameterText()->text(), "x20");
    // Max stays above the value: no change handler ran, the frames stay.
    EXPECT_EQ(v.form().frameStore().heldCount(), 12);
    EXPECT_TRUE(v.form().playButton()->isEnabled());
    EXPECT_EQ(lastContext.lastFrame, 11);
    EXPECT_EQ(lastContext.sceneParam, 20);
    EXPECT_EQ(lastContext.screenWidth, v.form().width());
}

}  // namespace
}  // namespace kelvora
