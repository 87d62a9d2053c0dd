#include "scenes/scene_catalogue.h"

#include "canvas/canvas.h"
#include "canvas/trace_surface.h"
#include "scenes/scenes.h"

#include <gtest/gtest.h>

#include <string>

namespace kelvora {
namespace {

const std::string kIdeographicSpace = "\u3000";

std::string pad(int leading, const std::string& text, int trailing)
{
    std::string out;
    for (int i = 0; i < leading; ++i)
        out += kIdeographicSpace;
    out += text;
    for (int i = 0; i < trailing; ++i)
        out += kIdeographicSpace;
    return out;
}

TEST(SceneCatalogue, CaptionsTitlesAndRenderersByteForByte)
{
    struct Row {
        const char* caption;
        int leading;  // U+3000 before and after the title
        const char* title;
        int trailing;
        bool parameter;
        DrawFrameFunction drawFrame;
    };
    const Row expected[kSceneCount] = {
        {"単振動の変位", 6, "単振動の変位", 0, false, &ShmDisplacement::DrawFrame},
        {"単振動と横波", 6, "単振動と横波", 0, false, &ShmTransverseWave::DrawFrame},
        {"横波と媒質の運動", 6, "横波と媒質の運動", 2, false, &TransverseWaveMedium::DrawFrame},
        {"縦波", 8, "縦波", 2, false, &LongitudinalWave::DrawFrame},
        {"横波定常波", 6, "横波定常波", 0, false, &TransverseStandingWave::DrawFrame},
        {"縦波定常波", 6, "縦波定常波", 0, false, &LongitudinalStandingWave::DrawFrame},
        {"固定端反射", 6, "固定端反射", 0, false, &FixedEndReflection::DrawFrame},
        {"自由端反射", 6, "自由端反射", 0, false, &FreeEndReflection::DrawFrame},
        {"水波の干渉（同位相）", 5, "水波の干渉（同位相）", 0, false, &WaterInterferenceInPhase::DrawFrame},
        {"水波の干渉（逆位相）", 5, "水波の干渉（逆位相）", 0, false, &WaterInterferenceAntiPhase::DrawFrame},
        {"閉管", 8, "閉管", 1, true, &ClosedPipe::DrawFrame},
        {"開管", 8, "開管", 1, true, &OpenPipe::DrawFrame},
        {"単振動の速度", 6, "単振動の速度", 0, false, &ShmVelocity::DrawFrame},
        {"単振動の加速度", 6, "単振動の加速度", 0, false, &ShmAcceleration::DrawFrame},
        {"薄膜の干渉", 5, "薄膜の干渉（反射波）", 0, true, &ThinFilmInterference::DrawFrame},
        {"干渉の条件", 6, "干渉の条件", 0, true, &InterferenceCondition::DrawFrame},
    };
    for (int i = 0; i < kSceneCount; ++i) {
        const SceneInfo& scene = SceneCatalogue()[static_cast<std::size_t>(i)];
        const Row& row = expected[i];
        EXPECT_EQ(scene.index, i);
        EXPECT_EQ(std::string(scene.menuCaption), row.caption) << i;
        EXPECT_EQ(std::string(scene.viewerTitle), pad(row.leading, row.title, row.trailing)) << i;
        EXPECT_EQ(SceneTitle(i), row.title) << i;
        EXPECT_EQ(scene.drawFrame, row.drawFrame) << i;
        EXPECT_EQ(scene.hasParameter, row.parameter) << i;
        EXPECT_EQ(ParameterSetupFor(i).has_value(), row.parameter) << i;
    }
    // The fullwidth parentheses are U+FF08 and U+FF09.
    EXPECT_EQ(std::string(SceneCatalogue()[8].menuCaption).substr(15), "\uFF08同位相\uFF09");
    EXPECT_EQ(std::string(SceneCatalogue()[0].rendererName), "ShmDisplacement");
    EXPECT_EQ(std::string(SceneCatalogue()[15].rendererName), "InterferenceCondition");
}

TEST(SceneCatalogue, ParameterSetups)
{
    const auto pipe = ParameterSetupFor(10);
    ASSERT_TRUE(pipe);
    EXPECT_EQ(std::string(pipe->label), "       \u3000 節の数");
    EXPECT_EQ(pipe->min, 1);
    EXPECT_EQ(pipe->max, 5);
    EXPECT_EQ(pipe->initial, 1);
    EXPECT_EQ(std::string(pipe->initialText), "1");
    EXPECT_EQ(std::string(ParameterSetupFor(11)->label), std::string(pipe->label));

    const auto film = ParameterSetupFor(14);
    ASSERT_TRUE(film);
    EXPECT_EQ(std::string(film->label), "膜の厚さの２倍/膜中の波長");
    EXPECT_EQ(film->max, 40);
    EXPECT_EQ(film->initial, 20);
    EXPECT_EQ(std::string(film->initialText), "2");
    EXPECT_TRUE(film->inTenths);

    const auto condition = ParameterSetupFor(15);
    ASSERT_TRUE(condition);
    // Fullwidth Ａ (U+FF21), not the Cyrillic А that looks the same, so a
    // search for ＡＰ finds the label, the worksheet's title and file names.
    EXPECT_EQ(std::string(condition->label), "\u3000\u3000\uFF21\uFF30の距離/\uFF08λ/4\uFF09");
    EXPECT_EQ(condition->min, 0);
    EXPECT_EQ(condition->max, 16);
    EXPECT_EQ(condition->initial, 8);
}

TEST(SceneCatalogue, ParameterTextOfSceneFourteenIsInTenths)
{
    EXPECT_EQ(ParameterText(14, 1), "0.1");
    EXPECT_EQ(ParameterText(14, 3), "0.3");
    EXPECT_EQ(ParameterText(14, 7), "0.7");
    EXPECT_EQ(ParameterText(14, 10), "1");
    EXPECT_EQ(ParameterText(14, 25), "2.5");
    EXPECT_EQ(ParameterText(14, 40), "4");
    EXPECT_EQ(ParameterText(10, 3), "3");
    EXPECT_EQ(ParameterText(15, 0), "0");
}

TEST(SceneCatalogue, DispatchDrawsOnlyInsideTheRange)
{
    TraceSurface trace;
    Canvas canvas(trace, 960, 600);
    SceneContext context;
    std::int16_t frameNo = 0;
    EXPECT_FALSE(DispatchDrawFrame(-1, canvas, frameNo, context));
    EXPECT_FALSE(DispatchDrawFrame(16, canvas, frameNo, context));
    EXPECT_TRUE(trace.text().empty());
    EXPECT_TRUE(DispatchDrawFrame(0, canvas, frameNo, context));
    EXPECT_FALSE(trace.text().empty());
    EXPECT_EQ(SceneTitle(-1), "");
    EXPECT_EQ(SceneTitle(16), "");
}

}  // namespace
}  // namespace kelvora
