#include "scenes/medium.h"
#include "scenes/scene_catalogue.h"
#include "viewer_model/viewer_keys.h"
#include "viewer_model/viewer_probe.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kelvora {
namespace {

// On every shape of box the frames keep the box's proportions and the
// graph lies under them, as wide, inside the box, covering none of them.
TEST(ProbeBox, TheGraphGoesUnderTheFramesInsideTheBox)
{
    for (const auto& [w, h] : {std::pair{956, 636}, {1433, 856}, {600, 900}, {2876, 1724}}) {
        const ProbeBoxLayout whole = LayOutProbeBox(w, h, false);
        EXPECT_EQ(whole.frame, (PixelRect{0, 0, w, h}));
        const ProbeBoxLayout split = LayOutProbeBox(w, h, true);
        const PixelRect& f = split.frame;
        const PixelRect& g = split.graph;
        EXPECT_NEAR(double(f.width) / f.height, double(w) / h, 0.01) << w << "x" << h;
        EXPECT_EQ(g.top, f.top + f.height);
        EXPECT_EQ(g.left, f.left);
        EXPECT_EQ(g.width, f.width);
        EXPECT_GT(g.height, f.height / 3);
        EXPECT_GE(f.left, 0);
        EXPECT_GE(f.top, 0);
        EXPECT_LE(f.left + f.width, w);
        EXPECT_LE(g.top + g.height, h);
    }
}

TEST(ProbeBox, APointShownScaledToFitIsFoundInThePicture)
{
    // 200 x 200 shown in 100 x 50: 50 x 50 from x = 25.
    const UserPoint topLeft = ShownToPicture(100, 50, 200, 200, 25, 0);
    const UserPoint bottomRight = ShownToPicture(100, 50, 200, 200, 75, 50);
    EXPECT_DOUBLE_EQ(topLeft.x, 0);
    EXPECT_DOUBLE_EQ(topLeft.y, 0);
    EXPECT_DOUBLE_EQ(bottomRight.x, 200);
    EXPECT_DOUBLE_EQ(bottomRight.y, 200);
}

// Esc removes the marks before it ends the viewer; Shift with an arrow
// moves the probe only where it can, and selects text in a text box.
TEST(ProbeKeys, EscClearsTheMarksFirstShiftArrowsMoveTheProbe)
{
    ViewerControls paused;
    paused.step = paused.play = paused.draw = true;
    const ProbeKeys marked{true, true};
    EXPECT_EQ(CommandForKey(ViewerKey::Escape, FocusKind::Button, paused, false, marked), KeyCommand::ClearProbes);
    EXPECT_EQ(CommandForKey(ViewerKey::Escape, FocusKind::Button, paused, false, {true, false}), KeyCommand::End);
    EXPECT_EQ(CommandForKey(ViewerKey::ShiftRight, FocusKind::ScrollBar, paused, true, marked), KeyCommand::ProbeRight);
    EXPECT_EQ(CommandForKey(ViewerKey::ShiftUp, FocusKind::Picture, paused, false, marked), KeyCommand::ProbeUp);
    EXPECT_EQ(CommandForKey(ViewerKey::ShiftLeft, FocusKind::TextBox, paused, false, marked), KeyCommand::None);
    EXPECT_EQ(CommandForKey(ViewerKey::ShiftLeft, FocusKind::Picture, paused, false, {}), KeyCommand::None);
    EXPECT_TRUE(RepeatsWhenHeld(ViewerKey::ShiftRight));
}

// The picture takes a probe, and says how, exactly where the scene has a
// medium to ask.
TEST(ProbeHowTo, OnlyScenesWithAMediumTakeAProbe)
{
    for (int scene = 0; scene < kSceneCount; ++scene) {
        const bool medium = MediumOf(scene, SceneContext{}).has_value();
        EXPECT_EQ(ViewerProbe(scene).takesProbe(), medium) << scene;
        EXPECT_EQ(ProbeHowTo(scene).empty(), !medium) << scene;
    }
}

}  // namespace
}  // namespace kelvora
