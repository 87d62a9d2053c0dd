#pragma once

#include "scenes/scene_context.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvora {

// How the viewer sets up its parameter controls for a scene with one.
struct ParameterSetup {
    const char* label;        // caption of the parameter label
    std::int16_t min;
    std::int16_t max;
    std::int16_t initial;     // initial value of the parameter scroll bar
    std::int16_t largeChange;
    const char* initialText;  // initial text of the parameter text box
    bool inTenths;            // the text box shows value x 0.1 (scene 14)
};

// One row of the catalogue. Strings are UTF-8, exactly as the user sees them.
struct SceneInfo {
    std::int16_t index;
    const char* menuCaption;
    const char* viewerTitle;  // padded with U+3000
    const char* rendererName;
    bool hasParameter;
    DrawFrameFunction drawFrame;
};

inline constexpr int kSceneCount = 16;

// The sixteen scenes, in SceneIndex order.
const std::array<SceneInfo, kSceneCount>& SceneCatalogue();
// The row of a scene, or null outside 0..15.
const SceneInfo* FindScene(int sceneIndex);
// The parameter set-up of scenes 10, 11, 14 and 15; empty for the others.
std::optional<ParameterSetup> ParameterSetupFor(int sceneIndex);
// Every value the scroll bar of a scene's parameter takes, in order; {1}
// for a scene without one.
std::vector<int> ParameterValues(int sceneIndex);
// The parameter text box for a value: the integer, or for scene 14
// the value x 0.1 as the shortest decimal of at most 15 significant digits.
std::string ParameterText(int sceneIndex, int value);
// The title of a scene as the viewer shows it, without its padding of
// spaces and U+3000; empty outside 0..15.
std::string SceneTitle(int sceneIndex);
// The caption of a scene's parameter without its padding ("節の数"); empty
// for a scene without one.
std::string ParameterName(int sceneIndex);

// What is saved of a scene names the parameter value it was drawn with, so
// two sheets of 閉管 with different node counts can be told apart:
// the name, U+3000, the parameter's name, a space and the text its box
// showed ("閉管　節の数 3"). A scene without a parameter keeps the name as
// it is.
std::string NameWithParameter(int sceneIndex, std::string_view name, std::string_view parameterText);
// The title of a worksheet: the scene's title with the parameter.
std::string WorksheetTitle(int sceneIndex, std::string_view parameterText);
// The file name proposed for saving, without its suffix: the menu caption
// with the parameter, every '/' (the parameter names of scenes 14 and 15
// have some) made a fullwidth solidus, U+FF0F, so it stays one file name.
std::string SaveFileStem(int sceneIndex, std::string_view parameterText);

// What a scene reads for a fresh capture of frameCount frames on a screen
// of the given size, with the parameter scroll bar at param: SceneParam,
// and for a scene with a parameter the controls as the viewer sets them up
// (kept in control, which must outlive the context). The frames share a
// new capture cache.
SceneContext CaptureContext(
    int sceneIndex, int frameCount, int param, int screenWidth, int screenHeight, ParameterControl& control);

// Draws the frames of one period afresh, as a capture draws them, at the
// parameter value param on a screen of the given size: Cls and DrawFrame
// for each frame in turn on the one canvas, calling frameDrawn(k) after
// frame k. A scene's run-time error is thrown as it is.
void DrawPeriod(int sceneIndex, Canvas& canvas, int frameCount, int param, int screenWidth, int screenHeight,
    const std::function<void(int)>& frameDrawn);

// Calls the DrawFrame of scene sceneIndex with a reference to frameNo.
// Outside 0..15 nothing is drawn; returns whether a renderer ran.
bool DispatchDrawFrame(int sceneIndex, Canvas& canvas, std::int16_t& frameNo, SceneContext& context);

// Draws a frame the way a capture does: Cls, then the scene's DrawFrame.
// The drawing state the frame leaves stays on the canvas for the next one.
bool DrawCaptureFrame(int sceneIndex, Canvas& canvas, std::int16_t& frameNo, SceneContext& context);

}  // namespace kelvora
