// Hooks for the page's browser tests, linked only into the test build of
// the module (kelvora-web-test), never into the page that ships.

#include "canvas/runtime_error.h"
#include "scenes/scene_catalogue.h"
#include "web/web_viewer.h"

#include <emscripten/bind.h>

namespace kelvora {

namespace {

// From now on every frame the viewer captures raises run-time error
// `number` after drawing: how the tests see an error reported.
void failCapturesWith(WebViewer& viewer, int number)
{
    viewer.setFrameRenderer(
        [number](int sceneIndex, Canvas& canvas, std::int16_t& frameNo, SceneContext& context) -> bool {
            DrawCaptureFrame(sceneIndex, canvas, frameNo, context);
            throw RuntimeError(static_cast<ErrorNumber>(number));
        });
}

}  // namespace

EMSCRIPTEN_BINDINGS(kelvora_test_hooks)
{
    emscripten::function("failCapturesWith", &failCapturesWith);
}

}  // namespace kelvora
