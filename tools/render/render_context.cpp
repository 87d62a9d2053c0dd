#include "render_context.h"

#include "scenes/scene_catalogue.h"

namespace kelvora::render {

SceneContext RenderSceneContext(const RenderOptions& options, ParameterControl& control)
{
    return CaptureContext(
        options.scene, options.frames, options.param, options.screen.width, options.screen.height, control);
}

std::vector<MediumSite> ProbeSites(const RenderOptions& options, const SceneContext& context)
{
    std::vector<MediumSite> sites;
    if (options.probes.empty())
        return sites;
    const std::optional<Medium> medium = MediumOf(options.scene, context);
    if (!medium)
        return sites;
    for (const ProbePlace& place : options.probes)
        if (const std::optional<MediumSite> site = SiteNear(*medium, place.x, place.y.value_or(0)))
            sites.push_back(*site);
    return sites;
}

}  // namespace kelvora::render
