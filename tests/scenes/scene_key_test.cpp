#include "scenes/scene_key.h"

#include "scenes/scene_catalogue.h"
#include "support/trace_reader.h"

#include <gtest/gtest.h>

#include <set>

namespace kelvora {
namespace {

// Every colour a scene's key explains is one the scene draws with, and has
// a name a black-and-white copy can print.
TEST(SceneKey, NamesColoursTheSceneDraws)
{
    for (int scene = 0; scene < kSceneCount; ++scene) {
        SCOPED_TRACE(scene);
        ParameterControl control;
        const SceneContext context = CaptureContext(scene, 12, ParameterSetupFor(scene) ? 3 : 1, 1280, 800, control);
        std::set<std::string> drawn;
        for (const test::TraceOp& op : test::TraceFrame(scene, 3, context)) {
            drawn.insert(op.color);
            drawn.insert(op.fill);
        }
        ASSERT_FALSE(SceneKey(scene).empty());
        for (const KeyEntry& entry : SceneKey(scene)) {
            EXPECT_TRUE(drawn.count(ColorHex(entry.color))) << KeyText(entry);
            EXPECT_NE(ColourName(entry.color).front(), '#') << KeyText(entry);
        }
    }
    EXPECT_TRUE(SceneKey(16).empty());
}

}  // namespace
}  // namespace kelvora
