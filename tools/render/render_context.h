#pragma once

#include "render_options.h"

#include "scenes/medium.h"
#include "scenes/scene_context.h"

#include <vector>

namespace kelvora::render {

// What a scene reads besides the surface, as the viewer sets it up: the
// loop length, the screen, SceneParam, and for a scene with a parameter
// the controls with the scroll bar at the chosen value (in `control`,
// which must outlive the context).
SceneContext RenderSceneContext(const RenderOptions& options, ParameterControl& control);

// The places the probes of the options mark, in order; the parser has
// checked that each lies in the scene's medium.
std::vector<MediumSite> ProbeSites(const RenderOptions& options, const SceneContext& context);

}  // namespace kelvora::render
