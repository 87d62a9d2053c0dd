#include "scenes/scene_catalogue.h"

#include "canvas/canvas.h"
#include "scenes/capture_cache.h"
#include "scenes/scenes.h"

#include <cstdio>
#include <string_view>

namespace kelvora {

const std::array<SceneInfo, kSceneCount>& SceneCatalogue()
{
    static const std::array<SceneInfo, kSceneCount> catalogue = {{
        {0, "単振動の変位", "　　　　　　単振動の変位", "ShmDisplacement", false, &ShmDisplacement::DrawFrame},
        {1, "単振動と横波", "　　　　　　単振動と横波", "ShmTransverseWave", false, &ShmTransverseWave::DrawFrame},
        {2, "横波と媒質の運動", "　　　　　　横波と媒質の運動　　", "TransverseWaveMedium", false, &TransverseWaveMedium::DrawFrame},
        {3, "縦波", "　　　　　　　　縦波　　", "LongitudinalWave", false, &LongitudinalWave::DrawFrame},
        {4, "横波定常波", "　　　　　　横波定常波", "TransverseStandingWave", false, &TransverseStandingWave::DrawFrame},
        {5, "縦波定常波", "　　　　　　縦波定常波", "LongitudinalStandingWave", false, &LongitudinalStandingWave::DrawFrame},
        {6, "固定端反射", "　　　　　　固定端反射", "FixedEndReflection", false, &FixedEndReflection::DrawFrame},
        {7, "自由端反射", "　　　　　　自由端反射", "FreeEndReflection", false, &FreeEndReflection::DrawFrame},
        {8, "水波の干渉（同位相）", "　　　　　水波の干渉（同位相）", "WaterInterferenceInPhase", false, &WaterInterferenceInPhase::DrawFrame},
        {9, "水波の干渉（逆位相）", "　　　　　水波の干渉（逆位相）", "WaterInterferenceAntiPhase", false, &WaterInterferenceAntiPhase::DrawFrame},
        {10, "閉管", "　　　　　　　　閉管　", "ClosedPipe", true, &ClosedPipe::DrawFrame},
        {11, "開管", "　　　　　　　　開管　", "OpenPipe", true, &OpenPipe::DrawFrame},
        {12, "単振動の速度", "　　　　　　単振動の速度", "ShmVelocity", false, &ShmVelocity::DrawFrame},
        {13, "単振動の加速度", "　　　　　　単振動の加速度", "ShmAcceleration", false, &ShmAcceleration::DrawFrame},
        {14, "薄膜の干渉", "　　　　　薄膜の干渉（反射波）", "ThinFilmInterference", true, &ThinFilmInterference::DrawFrame},
        {15, "干渉の条件", "　　　　　　干渉の条件", "InterferenceCondition", true, &InterferenceCondition::DrawFrame},
    }};
    return catalogue;
}

const SceneInfo* FindScene(int sceneIndex)
{
    if (sceneIndex < 0 || sceneIndex >= kSceneCount)
        return nullptr;
    return &SceneCatalogue()[static_cast<std::size_t>(sceneIndex)];
}

std::optional<ParameterSetup> ParameterSetupFor(int sceneIndex)
{
    switch (sceneIndex) {
    case 10:
    case 11:
        // Seven ASCII spaces, one U+3000, one ASCII space, then the text.
        return ParameterSetup{"       　 節の数", 1, 5, 1, 1, "1", false};
    case 14:
        return ParameterSetup{"膜の厚さの２倍/膜中の波長", 1, 40, 20, 1, "2", true};
    case 15:
        // Two U+3000, then a fullwidth Ａ (U+FF21) and Ｐ, so a search for ＡＰ finds it.
        return ParameterSetup{"　　ＡＰの距離/（λ/4）", 0, 16, 8, 1, "8", false};
    default:
        return std::nullopt;
    }
}

std::vector<int> ParameterValues(int sceneIndex)
{
    const std::optional<ParameterSetup> setup = ParameterSetupFor(sceneIndex);
    if (!setup)
        return {1};
    std::vector<int> values;
    for (int value = setup->min; value <= setup->max; ++value)
        values.push_back(value);
    return values;
}

std::string ParameterText(int sceneIndex, int value)
{
    if (sceneIndex != 14)
        return std::to_string(value);
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", value * 0.1);
    return text;
}

namespace {

// Without the padding of ASCII spaces and U+3000 (three bytes in UTF-8)
// at either end.
std::string_view trimPadding(std::string_view text)
{
    constexpr std::string_view kWideSpace = "\u3000";
    for (;;) {
        if (text.starts_with(' '))
            text.remove_prefix(1);
        else if (text.starts_with(kWideSpace))
            text.remove_prefix(kWideSpace.size());
        else if (text.ends_with(' '))
            text.remove_suffix(1);
        else if (text.ends_with(kWideSpace))
            text.remove_suffix(kWideSpace.size());
        else
            return text;
    }
}

}  // namespace

std::string SceneTitle(int sceneIndex)
{
    const SceneInfo* scene = FindScene(sceneIndex);
    return scene ? std::string(trimPadding(scene->viewerTitle)) : std::string();
}

std::string ParameterName(int sceneIndex)
{
    const std::optional<ParameterSetup> setup = ParameterSetupFor(sceneIndex);
    return setup ? std::string(trimPadding(setup->label)) : std::string();
}

std::string NameWithParameter(int sceneIndex, std::string_view name, std::string_view parameterText)
{
    std::string named(name);
    if (ParameterSetupFor(sceneIndex))
        named.append("\u3000").append(ParameterName(sceneIndex)).append(" ").append(parameterText);
    return named;
}

std::string WorksheetTitle(int sceneIndex, std::string_view parameterText)
{
    return NameWithParameter(sceneIndex, SceneTitle(sceneIndex), parameterText);
}

std::string SaveFileStem(int sceneIndex, std::string_view parameterText)
{
    const SceneInfo* scene = FindScene(sceneIndex);
    const std::string named = NameWithParameter(sceneIndex, scene ? scene->menuCaption : "kelvora", parameterText);
    std::string stem;
    for (char c : named)
        stem += c == '/' ? std::string("\uFF0F") : std::string(1, c);
    return stem;
}

SceneContext CaptureContext(
    int sceneIndex, int frameCount, int param, int screenWidth, int screenHeight, ParameterControl& control)
{
    SceneContext context;
    context.lastFrame = static_cast<std::int16_t>(frameCount - 1);
    context.screenWidth = screenWidth;
    context.screenHeight = screenHeight;
    context.captureCache = std::make_shared<CaptureCache>();
    // SceneParam follows the scroll bar.
    context.sceneParam = static_cast<std::int16_t>(param);
    if (const std::optional<ParameterSetup> setup = ParameterSetupFor(sceneIndex)) {
        control.value = static_cast<std::int16_t>(param);
        control.min = setup->min;
        control.max = setup->max;
        control.largeChange = setup->largeChange;
        control.text = ParameterText(sceneIndex, param);
        context.parameter = &control;
    }
    return context;
}

void DrawPeriod(int sceneIndex, Canvas& canvas, int frameCount, int param, int screenWidth, int screenHeight,
    const std::function<void(int)>& frameDrawn)
{
    ParameterControl control;
    SceneContext context = CaptureContext(sceneIndex, frameCount, param, screenWidth, screenHeight, control);
    // FrameNo itself is the loop variable handed to the scene, as in a capture.
    for (std::int16_t frameNo = 0; frameNo < frameCount; ++frameNo) {
        if (!DrawCaptureFrame(sceneIndex, canvas, frameNo, context))
            return;
        frameDrawn(frameNo);
    }
}

bool DispatchDrawFrame(int sceneIndex, Canvas& canvas, std::int16_t& frameNo, SceneContext& context)
{
    const SceneInfo* scene = FindScene(sceneIndex);
    if (!scene)
        return false;
    scene->drawFrame(canvas, frameNo, context);
    return true;
}

bool DrawCaptureFrame(int sceneIndex, Canvas& canvas, std::int16_t& frameNo, SceneContext& context)
{
    canvas.Cls();
    return DispatchDrawFrame(sceneIndex, canvas, frameNo, context);
}

}  // namespace kelvora
