#include "probe/probe.h"

#include "canvas/canvas.h"
#include "canvas/trace_surface.h"

#include <cmath>
#include <cstddef>

namespace kelvora {

namespace {

// The ring's radius on the picture, as a fraction of the picture's width:
// clear of the largest particle (radius 7 of 640 and its 3-pixel outline).
constexpr double kRingRadius = 0.019;
constexpr std::int16_t kRingWidth = 3;

}  // namespace

Color ProbeColor(int number) { return QBColor(number == 0 ? qb::Magenta : qb::DarkCyan); }

KeyEntry ProbeKeyEntry(int number, Motion motion)
{
    static const char* const particles[] = {"y–t グラフの粒子 1", "y–t グラフの粒子 2"};
    static const char* const points[] = {"y–t グラフの点 1", "y–t グラフの点 2"};
    const auto n = static_cast<std::size_t>(number == 0 ? 0 : 1);
    return {ProbeColor(number), KeyMark::Ring, motion == Motion::Surface ? points[n] : particles[n]};
}

std::string ProbeTraceLine(int number, const MediumSite& site, double t)
{
    std::string place = TraceNumber(site.rest.x);
    if (site.motion == Motion::Surface)
        place += ',' + TraceNumber(site.rest.y);
    return "probe " + std::to_string(number) + ' ' + place + ' ' + TraceNumber(site.displacement(t));
}

void DrawProbeRings(Canvas& canvas, const std::vector<MediumSite>& sites, double t)
{
    const DrawState saved = canvas.state();
    const float radius = static_cast<float>(kRingRadius * std::fabs(saved.scaleWidth));
    canvas.SetDrawWidth(kRingWidth);
    canvas.SetDrawStyle(0);
    canvas.SetFillStyle(1);
    for (std::size_t n = 0; n < sites.size(); ++n) {
        const UserPoint at = sites[n].position(t);
        canvas.Circle(static_cast<float>(at.x), static_cast<float>(at.y), radius, ProbeColor(static_cast<int>(n)));
    }
    canvas.RestoreState(saved);
}

}  // namespace kelvora
