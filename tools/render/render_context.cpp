#include "render_context.h"

#include "scenes/scene_catalogue.h"

namespace kelvora::render {

SceneContext RenderSceneContext(const RenderOptions& options, ParameterControl& control)
{
    return CaptureContext(
        options.scene, options.frames, options.param, options.screen.width, options.screen.height, control);
}

}  // namespace kelvora::render
