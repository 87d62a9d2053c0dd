#include "render_context.h"

#include "scenes/capture_cache.h"
#include "scenes/scene_catalogue.h"

#include <optional>

namespace kelvora::render {

SceneContext RenderSceneContext(const RenderOptions& options, ParameterControl& control)
{
    SceneContext context;
    context.lastFrame = static_cast<std::int16_t>(options.frames - 1);
    context.screenWidth = options.screen.width;
    context.screenHeight = options.screen.height;
    // A job draws its frames as one capture.
    context.captureCache = std::make_shared<CaptureCache>();
    // SceneParam follows the scroll bar.
    context.sceneParam = static_cast<std::int16_t>(options.param);
    if (const std::optional<ParameterSetup> setup = ParameterSetupFor(options.scene)) {
        control.value = static_cast<std::int16_t>(options.param);
        control.min = setup->min;
        control.max = setup->max;
        control.largeChange = setup->largeChange;
        control.text = ParameterText(options.scene, options.param);
        context.parameter = &control;
    }
    return context;
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
