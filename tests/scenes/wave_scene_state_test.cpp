#include "support/trace_reader.h"

#include "canvas/canvas.h"
#include "canvas/trace_surface.h"
#include "scenes/scene_catalogue.h"

#include <gtest/gtest.h>

namespace kelvora {
namespace {

// The drawing state after every frame of a loop has been drawn in order,
// as a capture does: what the next capture and playback start from.
DrawState stateAfterLoop(int sceneIndex, int frames)
{
    TraceSurface trace;
    Canvas canvas(trace, 960, 600);
    SceneContext context = test::MakeContext(frames);
    for (std::int16_t k = 0; k <= context.lastFrame; ++k) {
        std::int16_t frame = k;
        DrawCaptureFrame(sceneIndex, canvas, frame, context);
    }
    return canvas.state();
}

TEST(WaveScenes, LeaveTheirDrawingState)
{
    struct Expected {
        int scene;
        float width;  // of the user scale; the height is 240 for all
        std::int16_t drawWidth;
        Color fillColor;
        float fontSize;
    };
    const Expected table[] = {
        {2, 640, 1, QBColor(12), kDefaultFontSize},
        {3, 640, 3, QBColor(12), kDefaultFontSize},
        {4, 640, 1, QBColor(0), kDefaultFontSize},
        {5, 680, 1, QBColor(10), 13},
        {6, 640, 1, QBColor(0), kDefaultFontSize},
        {7, 640, 1, QBColor(0), kDefaultFontSize},
    };
    for (const Expected& e : table)
        for (int frames : {12, 24}) {
            const DrawState state = stateAfterLoop(e.scene, frames);
            EXPECT_EQ(state.scaleLeft, 0) << "scene " << e.scene;
            EXPECT_EQ(state.scaleTop, 240) << "scene " << e.scene;
            EXPECT_EQ(state.scaleWidth, e.width) << "scene " << e.scene;
            EXPECT_EQ(state.scaleHeight, -240) << "scene " << e.scene;
            EXPECT_EQ(state.drawWidth, e.drawWidth) << "scene " << e.scene;
            EXPECT_EQ(state.fillStyle, 0) << "scene " << e.scene;
            EXPECT_EQ(state.fillColor, e.fillColor) << "scene " << e.scene;
            EXPECT_EQ(state.fontSize, e.fontSize) << "scene " << e.scene;
        }
}

}  // namespace
}  // namespace kelvora
