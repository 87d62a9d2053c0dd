#include "probe/probe_marks.h"

#include "probe/probe.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace kelvora {

namespace {

bool samePlace(const MediumSite& a, const MediumSite& b) { return a.rest.x == b.rest.x && a.rest.y == b.rest.y; }

// How far one step of the key goes: a particle of the row, or in the water
// ten units across or one row (rows land 2 to 3 units apart on the picture).
UserPoint stepFrom(const Medium& medium, const MediumSite& site, int direction, bool across)
{
    if (const auto* row = std::get_if<ParticleRow>(&medium)) {
        const double spacing = row->restX.size() > 1 ? row->restX[1] - row->restX[0] : 0;
        return {site.rest.x + direction * spacing, site.rest.y};
    }
    if (across)
        return {site.rest.x + direction * 10.0, site.rest.y};
    return {site.rest.x, site.rest.y + direction * 2.6};
}

// The left end of the medium: the first particle, or the middle row's
// first point of the water.
std::optional<MediumSite> firstPlace(const Medium& medium)
{
    if (const auto* row = std::get_if<ParticleRow>(&medium))
        return row->restX.empty() ? std::nullopt : SiteNear(medium, row->restX.front(), row->axisY);
    return SiteNear(medium, 20, 100);
}

// A displacement for reading aloud: whole numbers as they are, others to
// two decimals.
std::string spoken(double value)
{
    char text[32];
    if (std::fabs(value) < 0.005)
        return "0";
    if (value == std::round(value))
        std::snprintf(text, sizeof text, "%.0f", value);
    else
        std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

}  // namespace

bool ToggleProbeAt(ProbeMarks& marks, const Medium& medium, UserPoint at)
{
    const std::optional<MediumSite> site = SiteNear(medium, at.x, at.y);
    if (!site)
        return false;
    const auto marked = std::find_if(
        marks.sites.begin(), marks.sites.end(), [&](const MediumSite& m) { return samePlace(m, *site); });
    if (marked != marks.sites.end())
        marks.sites.erase(marked);
    else if (static_cast<int>(marks.sites.size()) < kMaxProbes)
        marks.sites.push_back(*site);
    else
        marks.sites.back() = *site;
    return true;
}

bool StepProbe(ProbeMarks& marks, const Medium& medium, int direction, bool across)
{
    if (marks.sites.empty()) {
        const std::optional<MediumSite> first = firstPlace(medium);
        if (first)
            marks.sites.push_back(*first);
        return first.has_value();
    }
    MediumSite& moving = marks.sites.back();
    const UserPoint to = stepFrom(medium, moving, direction, across);
    const std::optional<MediumSite> next = SiteNear(medium, to.x, to.y);
    if (!next || samePlace(*next, moving))
        return false;
    moving = *next;
    return true;
}

UserPoint PictureToUser(const DrawState& state, int width, int height, double px, double py)
{
    return {state.scaleLeft + px * state.scaleWidth / width, state.scaleTop + py * state.scaleHeight / height};
}

std::string ProbeDescription(int number, const MediumSite& site, int frames)
{
    std::string text = "プローブ " + std::to_string(number + 1) + "：";
    text += site.motion == Motion::Surface
        ? "x = " + spoken(site.rest.x) + "、y = " + spoken(site.rest.y) + " の水面の点"
        : "x = " + spoken(site.rest.x) + " の粒子";
    text += "の変位 y　";
    for (int k = 0; k < frames; ++k) {
        text += (k > 0 ? "、コマ " : "コマ ") + std::to_string(k + 1);
        text += ' ' + spoken(site.displacement(k / double(frames)));
    }
    return text;
}

}  // namespace kelvora
