#pragma once

#include "render_options.h"

#include "scenes/scene_context.h"

namespace kelvora::render {

// What a scene reads besides the surface, as the viewer sets it up: the
// loop length, the screen, SceneParam, and for a scene with a parameter
// the controls with the scroll bar at the chosen value (in `control`,
// which must outlive the context).
SceneContext RenderSceneContext(const RenderOptions& options, ParameterControl& control);

}  // namespace kelvora::render
