// The drawing state each scene leaves behind: the next frame, the next
// capture and playback all start from it.

#include "support/trace_reader.h"

#include "canvas/canvas.h"
#include "canvas/trace_surface.h"
#include "scenes/scene_catalogue.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace kelvora {
namespace {

constexpr int kWholeLoop = -1;

// Frames 0..lastDrawn of a loop drawn as a capture draws them, and what the
// state must be afterwards; fields left empty are not checked.
struct LeftState {
    int scene;
    std::vector<int> frameCounts;
    int lastDrawn;
    std::int16_t param = 1;
    std::optional<float> scaleLeft = {};
    std::optional<float> scaleTop = {};
    std::optional<float> scaleWidth = {};
    std::optional<float> scaleHeight = {};
    std::optional<std::int16_t> drawWidth = {};
    std::optional<std::int16_t> fillStyle = {};
    std::optional<Color> fillColor = {};
    std::optional<float> fontSize = {};
    std::optional<float> currentX = {};
    std::optional<float> currentY = {};
    // The next frame's first circle (the path of the circular motion) is
    // drawn unfilled.
    bool nextPathCircleUnfilled = false;
};

// A wave scene after a whole loop, on the scale (0, 240)-(scaleWidth, 0).
LeftState waveScene(int scene, float scaleWidth, std::int16_t drawWidth, int fillColor, float fontSize)
{
    return {.scene = scene, .frameCounts = {12, 24}, .lastDrawn = kWholeLoop, .scaleLeft = 0, .scaleTop = 240,
        .scaleWidth = scaleWidth, .scaleHeight = -240, .drawWidth = drawWidth, .fillStyle = 0,
        .fillColor = QBColor(fillColor), .fontSize = fontSize};
}

// A simple harmonic motion scene after its first frame.
LeftState pathCircleUnfilled(int scene)
{
    return {.scene = scene, .frameCounts = {12}, .lastDrawn = 0, .fillStyle = 1, .nextPathCircleUnfilled = true};
}

TEST(Scenes, LeaveTheirDrawingState)
{
    const LeftState table[] = {
        pathCircleUnfilled(0),
        pathCircleUnfilled(1),
        {.scene = 1, .frameCounts = {12}, .lastDrawn = 5, .scaleLeft = 0, .scaleTop = 240, .scaleWidth = 640,
            .scaleHeight = -240, .drawWidth = 2, .fillStyle = 1, .fillColor = QBColor(qb::Red)},
        waveScene(2, 640, 1, qb::Red, kDefaultFontSize),
        waveScene(3, 640, 3, qb::Red, kDefaultFontSize),
        waveScene(4, 640, 1, qb::Black, kDefaultFontSize),
        waveScene(5, 680, 1, qb::Green, 13),
        waveScene(6, 640, 1, qb::Black, kDefaultFontSize),
        waveScene(7, 640, 1, qb::Black, kDefaultFontSize),
        {.scene = 10, .frameCounts = {12}, .lastDrawn = 4, .param = 2, .scaleTop = 280, .drawWidth = 1,
            .fillStyle = 0, .fillColor = QBColor(qb::Red), .fontSize = 15},
        {.scene = 11, .frameCounts = {12}, .lastDrawn = 4, .param = 2, .scaleTop = 280, .drawWidth = 1,
            .fillStyle = 0, .fillColor = QBColor(qb::Red), .fontSize = 15},
        pathCircleUnfilled(12),
        {.scene = 12, .frameCounts = {12}, .lastDrawn = 4, .drawWidth = 1, .fillStyle = 1,
            .fillColor = QBColor(qb::Red), .fontSize = 14, .currentX = 605, .currentY = 178},
        pathCircleUnfilled(13),
        {.scene = 13, .frameCounts = {24}, .lastDrawn = 2, .drawWidth = 1, .fillStyle = 1,
            .fillColor = QBColor(qb::Red), .fontSize = 14, .currentX = 605, .currentY = 120},
    };
    for (const LeftState& row : table)
        for (const int frames : row.frameCounts) {
            SCOPED_TRACE("scene " + std::to_string(row.scene) + ", " + std::to_string(frames) + " frames");
            TraceSurface trace;
            Canvas canvas(trace, 960, 600);
            SceneContext context = test::MakeContext(frames);
            context.sceneParam = row.param;
            const int last = row.lastDrawn == kWholeLoop ? frames - 1 : row.lastDrawn;
            for (std::int16_t k = 0; k <= last; ++k) {
                std::int16_t frameNo = k;
                DrawCaptureFrame(row.scene, canvas, frameNo, context);
                EXPECT_EQ(frameNo, k) << "FrameNo changed";
            }
            const DrawState& state = canvas.state();
            const auto expect = [](const auto& expected, const auto& actual, const char* name) {
                if (expected) {
                    EXPECT_EQ(actual, *expected) << name;
                }
            };
            expect(row.scaleLeft, state.scaleLeft, "scaleLeft");
            expect(row.scaleTop, state.scaleTop, "scaleTop");
            expect(row.scaleWidth, state.scaleWidth, "scaleWidth");
            expect(row.scaleHeight, state.scaleHeight, "scaleHeight");
            expect(row.drawWidth, state.drawWidth, "drawWidth");
            expect(row.fillStyle, state.fillStyle, "fillStyle");
            expect(row.fillColor, state.fillColor, "fillColor");
            expect(row.fontSize, state.fontSize, "fontSize");
            expect(row.currentX, state.currentX, "currentX");
            expect(row.currentY, state.currentY, "currentY");
            if (row.nextPathCircleUnfilled) {
                const auto circles = test::OpsOfKind(test::TraceFrame(row.scene, last + 1, context), "circle");
                ASSERT_FALSE(circles.empty());
                EXPECT_EQ(circles[0].fill, "none");
            }
        }
}

}  // namespace
}  // namespace kelvora
