#pragma once

// The medium of a wave scene as something that can be asked: where its
// particles rest and how far each is displaced at any time of the period.
// The scenes draw from these models, so a frame shows exactly what the
// model gives at the frame's time; the probe and the tests ask the same
// models.
//
// Time t is the fraction of the period, 0 <= t < 1; frame k of n is at
// t = k / n.

#include "scenes/scene_context.h"
#include "scenes/water_interference.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

namespace kelvora {

// How a particle moves: up and down across the row (positive up), to and
// fro along it (positive to the right), or a point of the water surface
// whose height changes.
enum class Motion { Transverse, Longitudinal, Surface };

// A point in a scene's user coordinates.
struct UserPoint {
    double x = 0;
    double y = 0;
};

// A row of particles evenly spaced along a horizontal rest line.
struct ParticleRow {
    Motion motion = Motion::Transverse;
    double axisY = 0;          // the rest line
    std::vector<double> restX; // left to right
    double amplitude = 0;      // the largest displacement any particle reaches
    // The displacement of particle `index` at time t, as the scene draws it.
    std::function<double(std::size_t index, double t)> displacement;
};

// The water surface between the two sources of scenes 8 and 9.
struct WaterSurface {
    water::SourceB sourceB = water::SourceB::InPhase;
};

using Medium = std::variant<ParticleRow, WaterSurface>;

// The medium of a scene with one (1 to 11); nothing for the scenes that
// draw graphs of a single body or of light (0, 12 to 15).
std::optional<Medium> MediumOf(int sceneIndex, const SceneContext& context);

// The largest displacement anywhere in the medium.
double MediumAmplitude(const Medium& medium);

// One marked place of a medium: a particle, or a point of the surface.
struct MediumSite {
    Motion motion = Motion::Transverse;
    UserPoint rest;  // where it rests on the picture
    // Its displacement at time t, in user units, as the scene draws it.
    std::function<double(double t)> displacement;
    // Where the scene draws it at time t.
    std::function<UserPoint(double t)> position;
};

// The particle nearest x (a row ignores y), or the point of the surface
// nearest (x, y); nothing when the place is more than half a spacing
// beyond the medium's ends.
std::optional<MediumSite> SiteNear(const Medium& medium, double x, double y);

}  // namespace kelvora
