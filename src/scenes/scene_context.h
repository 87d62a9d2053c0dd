#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace kelvora {

class Canvas;
class CaptureCache;

// The viewer's parameter controls as scenes 14 and 15 see them: they read
// the scroll bar's value and write its LargeChange and Max and the text of
// the box beside it. The viewer copies its widgets in before a frame and
// the changes back out after it; the renderer keeps them as plain data.
struct ParameterControl {
    std::int16_t value = 1;
    std::int16_t min = 1;
    std::int16_t max = 5;
    std::int16_t largeChange = 1;
    std::string text = "1";  // UTF-8
};

// Everything a scene reads besides the surface.
struct SceneContext {
    std::int16_t lastFrame = 11;
    std::int16_t sceneParam = 1;
    int screenWidth = 1280;   // pixels
    int screenHeight = 800;   // pixels
    ParameterControl* parameter = nullptr;  // set where the scene has one
    // Shared by the frames of one capture; without it a frame works out
    // everything itself.
    std::shared_ptr<CaptureCache> captureCache;
};

// Twips per pixel of the screen, as the layout assumes.
inline constexpr int kTwipsPerPixel = 15;

// 0.3625 x screen width / screen height: the factor that makes a vertical
// offset about as long on the screen as the same horizontal offset.
// Scenes 0, 1 and 13 take the screen in pixels, scene 12 in twips.
double AspectFactorPixels(const SceneContext& context);
double AspectFactorTwips(const SceneContext& context);

// DrawFrame(FrameNo): the one operation of every scene renderer.
using DrawFrameFunction = void (*)(Canvas& canvas, std::int16_t& frameNo, SceneContext& context);

}  // namespace kelvora
