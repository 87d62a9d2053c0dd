#include "probe/worksheet_probes.h"

#include "probe/probe.h"
#include "scenes/scene_catalogue.h"

namespace kelvora {

WorksheetProbes WorksheetProbesAt(int sceneIndex, int frameCount, int parameterValue, int screenWidth,
    int screenHeight, const std::vector<UserPoint>& places)
{
    WorksheetProbes probes;
    if (places.empty())
        return probes;
    ParameterControl control;
    const SceneContext context
        = CaptureContext(sceneIndex, frameCount, parameterValue, screenWidth, screenHeight, control);
    const std::optional<Medium> medium = MediumOf(sceneIndex, context);
    if (!medium)
        return probes;
    probes.amplitude = MediumAmplitude(*medium);
    for (const UserPoint& place : places)
        if (const std::optional<MediumSite> site = SiteNear(*medium, place.x, place.y))
            probes.sites.push_back(*site);
    return probes;
}

void DrawRingedPeriod(int sceneIndex, Canvas& canvas, int frameCount, int parameterValue, int screenWidth,
    int screenHeight, const std::vector<UserPoint>& places, const std::function<void(int)>& frameDrawn)
{
    const std::vector<MediumSite> sites
        = WorksheetProbesAt(sceneIndex, frameCount, parameterValue, screenWidth, screenHeight, places).sites;
    DrawPeriod(sceneIndex, canvas, frameCount, parameterValue, screenWidth, screenHeight, [&](int k) {
        if (!sites.empty())
            DrawProbeRings(canvas, sites, k / static_cast<double>(frameCount));
        frameDrawn(k);
    });
}

std::vector<KeyEntry> WorksheetKey(int sceneIndex, const std::vector<MediumSite>& sites)
{
    const std::span<const KeyEntry> sceneKey = SceneKey(sceneIndex);
    std::vector<KeyEntry> key(sceneKey.begin(), sceneKey.end());
    for (std::size_t n = 0; n < sites.size(); ++n)
        key.push_back(ProbeKeyEntry(static_cast<int>(n), sites[n].motion));
    return key;
}

}  // namespace kelvora
