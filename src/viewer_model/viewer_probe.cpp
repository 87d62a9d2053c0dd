#include "viewer_model/viewer_probe.h"

#include "canvas/numeric.h"
#include "probe/probe.h"
#include "scenes/medium.h"

#include <algorithm>
#include <cmath>

namespace kelvora {

ProbeBoxLayout LayOutProbeBox(int boxWidth, int boxHeight, bool withGraph)
{
    if (!withGraph)
        return {{0, 0, boxWidth, boxHeight}, {}};
    // The whole probe layout of a box-sized picture, scaled down until it fits.
    const ProbeLayout whole = LayOutProbeGraph(boxWidth, boxHeight);
    const double scale = std::min(1.0, std::min(double(boxWidth) / whole.width, double(boxHeight) / whole.height));
    const int width = std::max(1, ToInt32(whole.width * scale));
    const int frameHeight = std::max(1, ToInt32(whole.picture.height * scale));
    const int graphHeight = std::max(1, ToInt32(whole.graph.height * scale));
    const int left = (boxWidth - width) / 2;
    const int top = std::max(0, (boxHeight - frameHeight - graphHeight) / 2);
    return {{left, top, width, frameHeight}, {left, top + frameHeight, width, graphHeight}};
}

UserPoint ShownToPicture(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight, double x, double y)
{
    const double scale = std::min(double(areaWidth) / pictureWidth, double(areaHeight) / pictureHeight);
    const double left = (areaWidth - pictureWidth * scale) / 2;
    const double top = (areaHeight - pictureHeight * scale) / 2;
    return {(x - left) / scale, (y - top) / scale};
}

bool SceneTakesProbe(int sceneIndex) { return sceneIndex >= 1 && sceneIndex <= 11; }

std::string ProbeHowTo(int sceneIndex)
{
    if (!SceneTakesProbe(sceneIndex))
        return {};
    const bool water = sceneIndex == 8 || sceneIndex == 9;
    const std::string place = water ? "水面の点" : "粒子";
    std::string text = "クリックした" + place + "に印を付け、その変位の y–t グラフを下に描く。"
        "もう一度クリックすると 2 つ目、印をクリックするとその印が消える。"
        "Shift+→ / Shift+← キーで印を隣の" + place + "へ移す";
    if (water)
        text += "（Shift+↑ / Shift+↓ キーで奥・手前へ）";
    return text + "。Esc キーで印をすべて消す";
}

ViewerProbe::ViewerProbe(int sceneIndex)
    : takesProbe_(SceneTakesProbe(sceneIndex))
    , sceneIndex_(sceneIndex)
{
}

bool ViewerProbe::click(const SceneContext& context, const DrawState& state, int width, int height, double px,
    double py, int frames)
{
    const std::optional<Medium> medium = takesProbe_ ? MediumOf(sceneIndex_, context) : std::nullopt;
    if (!medium || width <= 0 || height <= 0)
        return false;
    if (!ToggleProbeAt(marks_, *medium, PictureToUser(state, width, height, px, py)))
        return false;
    remake(*medium, frames);
    return true;
}

bool ViewerProbe::step(const SceneContext& context, int direction, bool across, int frames)
{
    const std::optional<Medium> medium = takesProbe_ ? MediumOf(sceneIndex_, context) : std::nullopt;
    if (!medium || !StepProbe(marks_, *medium, direction, across))
        return false;
    remake(*medium, frames);
    return true;
}

bool ViewerProbe::clear()
{
    if (empty())
        return false;
    marks_.sites.clear();
    graph_ = {};
    return true;
}

void ViewerProbe::remake(const Medium& medium, int frames)
{
    graph_ = MakeProbeGraph(marks_.sites, MediumAmplitude(medium), frames);
}

void ViewerProbe::drawRings(Canvas& picture, int frame) const
{
    DrawProbeRings(picture, marks_.sites, frame / static_cast<double>(graph_.frames));
}

void ViewerProbe::drawGraph(Canvas& graph, int frame) const
{
    DrawProbeGraph(graph, graph_, GraphContent::Shown, frame);
}

std::string ViewerProbe::description() const
{
    std::string text;
    for (std::size_t n = 0; n < marks_.sites.size(); ++n)
        text += (n > 0 ? "\n" : "") + ProbeDescription(static_cast<int>(n), marks_.sites[n], graph_.frames);
    return text;
}

}  // namespace kelvora
