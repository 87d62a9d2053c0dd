#include "scenes/medium.h"

#include "scenes/wave_models.h"

#include <cmath>
#include <cstdint>
#include <utility>

namespace kelvora {

namespace {

// A row of `count` particles; restOf(index) gives each rest x.
template <typename RestOf>
ParticleRow particleRow(Motion motion, double axisY, int count, RestOf restOf, double amplitude,
    std::function<double(std::size_t, double)> displacement)
{
    ParticleRow row;
    row.motion = motion;
    row.axisY = axisY;
    for (int index = 0; index < count; ++index)
        row.restX.push_back(restOf(index));
    row.amplitude = amplitude;
    row.displacement = std::move(displacement);
    return row;
}

// The loop variable of a particle, as the scene's own loop counts it.
std::int32_t offset(std::size_t index, std::int32_t step) { return static_cast<std::int32_t>(index) * step; }
std::int16_t offset16(std::size_t index, std::int32_t step) { return static_cast<std::int16_t>(offset(index, step)); }

ParticleRow endReflectionRow(double phaseShift)
{
    // The string up to the end; the incident wave beyond it is only a hint.
    return particleRow(
        Motion::Transverse, 120, 46, [](int index) { return index * 8; }, 80,
        [phaseShift](std::size_t index, double t) {
            return EndReflection::Resultant(offset16(index, 8), t, phaseShift);
        });
}

std::optional<Medium> particleMedium(int sceneIndex, const SceneContext& context)
{
    switch (sceneIndex) {
    case 1: {
        const double k = AspectFactorPixels(context);
        return particleRow(
            Motion::Transverse, 120, 43, [](int index) { return index * 10 + 220; }, 80 * k,
            [k](std::size_t index, double t) { return ShmTransverseWave::Displacement(k, offset(index, 10), t); });
    }
    case 2:
        return particleRow(
            Motion::Transverse, 120, 21, [](int index) { return index * 30 + 35; }, 50,
            [](std::size_t index, double t) { return TransverseWaveMedium::Displacement(offset(index, 30), t); });
    case 3:
        return particleRow(
            Motion::Longitudinal, 120, 17, [](int index) { return index * 36 + 35; }, 30,
            [](std::size_t index, double t) { return LongitudinalWave::Displacement(offset(index, 36), t); });
    case 4:
        // The black row, the standing wave itself.
        return particleRow(
            Motion::Transverse, 120, 61, [](int index) { return index * 8 + 80; }, 80,
            [](std::size_t index, double t) {
                return TransverseStandingWave::Sum(static_cast<float>(offset(index, 8)), t);
            });
    case 5:
        // The bottom row, the standing wave itself.
        return particleRow(
            Motion::Longitudinal, 40, 33, [](int index) { return index * 20 + 20; }, 30,
            [](std::size_t index, double t) { return LongitudinalStandingWave::Sum(offset16(index, 20), t); });
    case 6: return endReflectionRow(0.0);
    case 7: return endReflectionRow(EndReflection::FreeEndShift());
    case 10: {
        const ClosedPipe::Column column = ClosedPipe::ColumnFor(context.sceneParam);
        return particleRow(
            Motion::Longitudinal, 200, 25, [](int index) { return index * 20 + 40; }, 2.0 * column.amplitude,
            [column](std::size_t index, double t) { return ClosedPipe::Displacement(column, offset16(index, 20), t); });
    }
    case 11: {
        const OpenPipe::Column column = OpenPipe::ColumnFor(context.sceneParam);
        return particleRow(
            Motion::Longitudinal, 200, 25, [](int index) { return index * 20 + 80; }, 2.0 * column.amplitude,
            [column](std::size_t index, double t) { return OpenPipe::Displacement(column, offset(index, 20), t); });
    }
    default: return std::nullopt;
    }
}

std::optional<MediumSite> siteOnRow(const ParticleRow& row, double x)
{
    if (row.restX.size() < 2)
        return std::nullopt;
    const double halfSpacing = (row.restX[1] - row.restX[0]) / 2;
    if (x < row.restX.front() - halfSpacing || x > row.restX.back() + halfSpacing)
        return std::nullopt;
    // The first of two equally near particles: the one to the left.
    std::size_t nearest = 0;
    for (std::size_t index = 1; index < row.restX.size(); ++index)
        if (std::fabs(row.restX[index] - x) < std::fabs(row.restX[nearest] - x))
            nearest = index;
    MediumSite site;
    site.motion = row.motion;
    site.rest = {row.restX[nearest], row.axisY};
    site.displacement = [displacement = row.displacement, nearest](double t) { return displacement(nearest, t); };
    site.position = [displacement = row.displacement, nearest, rest = site.rest, motion = row.motion](double t) {
        const double d = displacement(nearest, t);
        return motion == Motion::Transverse ? UserPoint{rest.x, rest.y + d} : UserPoint{rest.x + d, rest.y};
    };
    return site;
}

std::optional<MediumSite> siteOnSurface(const WaterSurface& surface, double x, double y)
{
    const std::optional<water::GridPoint> point = water::GridPointNear(x, y);
    if (!point)
        return std::nullopt;
    const water::SourceB sourceB = surface.sourceB;
    const water::ScreenPoint rest = water::PictureAt(*point, 0);
    MediumSite site;
    site.motion = Motion::Surface;
    site.rest = {static_cast<double>(rest.px), static_cast<double>(rest.py)};
    site.displacement = [sourceB, point = *point](double t) {
        return static_cast<double>(water::HeightsAt(sourceB, point.x, point.y, t).z);
    };
    site.position = [sourceB, point = *point](double t) {
        const water::ScreenPoint drawn = water::PictureAt(point, water::HeightsAt(sourceB, point.x, point.y, t).z);
        return UserPoint{static_cast<double>(drawn.px), static_cast<double>(drawn.py)};
    };
    return site;
}

}  // namespace

std::optional<Medium> MediumOf(int sceneIndex, const SceneContext& context)
{
    if (sceneIndex == 8)
        return WaterSurface{water::SourceB::InPhase};
    if (sceneIndex == 9)
        return WaterSurface{water::SourceB::AntiPhase};
    return particleMedium(sceneIndex, context);
}

double MediumAmplitude(const Medium& medium)
{
    if (const auto* row = std::get_if<ParticleRow>(&medium))
        return row->amplitude;
    // Two sources of amplitude 3.5 each.
    return 7;
}

std::optional<MediumSite> SiteNear(const Medium& medium, double x, double y)
{
    if (const auto* row = std::get_if<ParticleRow>(&medium))
        return siteOnRow(*row, x);
    return siteOnSurface(std::get<WaterSurface>(medium), x, y);
}

}  // namespace kelvora
