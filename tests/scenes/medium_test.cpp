#include "canvas/canvas.h"
#include "canvas/trace_surface.h"
#include "scenes/medium.h"
#include "scenes/scene_catalogue.h"
#include "support/trace_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace kelvora {
namespace {

MediumSite siteAt(int scene, double x, double y = 0, int param = 1)
{
    SceneContext context = test::MakeContext(12);
    context.sceneParam = static_cast<std::int16_t>(param);
    const std::optional<MediumSite> site = SiteNear(*MediumOf(scene, context), x, y);
    EXPECT_TRUE(site) << "scene " << scene << " at " << x << ", " << y;
    return site.value_or(MediumSite{Motion::Transverse, {}, [](double) { return -1e9; }, {}});
}

// The largest swing over times all over the period, most between frames;
// check(t) runs at each.
template <typename Check>
double swingOver(const MediumSite& site, Check check)
{
    double swing = 0;
    for (int k = 0; k < 97; ++k) {
        swing = std::max(swing, std::fabs(site.displacement(k / 97.0)));
        check(k / 97.0);
    }
    return swing;
}

// At the frame times the models give exactly what every frame of a
// capture draws: each particle where the scene draws it (a circle or a
// point there), for every frame count and parameter.
TEST(Medium, EveryParticleIsWhereTheFrameDrawsIt)
{
    for (int scene = 1; scene <= 11; ++scene) {
        for (int param = 1; param <= (scene >= 10 ? 5 : 1); ++param) {
            // The water's 52,287 points a frame are traced for one frame count.
            for (int frames : scene == 8 || scene == 9 ? std::vector<int>{12} : std::vector<int>{12, 24}) {
                ParameterControl control;
                const Medium medium = *MediumOf(scene, CaptureContext(scene, frames, param, 1280, 800, control));
                // The water: its sources, the bisector and the far and near corners.
                std::vector<UserPoint> places = {{480, 100}, {160, 100}, {320, 150}, {20, 230}, {620, 7}};
                if (const auto* row = std::get_if<ParticleRow>(&medium)) {
                    places.clear();
                    for (double x : row->restX)
                        places.push_back({x, 0});
                }
                TraceSurface trace;
                Canvas canvas(trace, 960, 600);
                DrawPeriod(scene, canvas, frames, param, 1280, 800, [&](int k) {
                    for (const UserPoint place : places) {
                        const UserPoint at = SiteNear(medium, place.x, place.y)->position(k / double(frames));
                        const std::string centre = ' ' + TraceNumber(at.x) + ' ' + TraceNumber(at.y) + ' ';
                        EXPECT_TRUE(trace.text().find("\ncircle" + centre) != std::string::npos
                            || trace.text().find("\npset" + centre) != std::string::npos)
                            << "scene " << scene << " n " << param << " frame " << k << "/" << frames << " at "
                            << place.x;
                    }
                    trace.clearText();
                });
            }
        }
    }
}

// What the physics says of the particles, at times between the frames too.
TEST(Medium, ParticlesMoveAsThePhysicsSays)
{
    enum class Relation { Together, Opposite, Still };
    struct Case {
        int scene;
        int param;
        double x1;
        double x2;  // unused for Still
        Relation relation;
        const char* what;
    };
    const Case cases[] = {
        {1, 1, 220, 460, Relation::Together, "a wavelength apart"},
        {1, 1, 220, 340, Relation::Opposite, "half a wavelength apart"},
        {2, 1, 35, 455, Relation::Together, "a wavelength apart"},
        {2, 1, 35, 245, Relation::Opposite, "half a wavelength apart"},
        {3, 1, 35, 395, Relation::Together, "a wavelength apart"},
        {3, 1, 35, 215, Relation::Opposite, "half a wavelength apart"},
        {4, 1, 80, 0, Relation::Still, "node"},
        {4, 1, 140, 380, Relation::Together, "antinodes a wavelength apart"},
        {5, 1, 20, 0, Relation::Still, "node"},
        {5, 1, 660, 0, Relation::Still, "node"},
        {6, 1, 360, 0, Relation::Still, "fixed end"},
        {6, 1, 240, 0, Relation::Still, "node"},
        {6, 1, 60, 180, Relation::Opposite, "neighbouring loops"},
        {7, 1, 0, 240, Relation::Together, "antinodes a wavelength apart"},
        {7, 1, 360, 120, Relation::Together, "free end and an antinode a wavelength away"},
        {10, 1, 40, 0, Relation::Still, "closed end"},
        {10, 2, 360, 0, Relation::Still, "node"},
        {11, 2, 200, 0, Relation::Still, "node"},
        {11, 2, 80, 560, Relation::Together, "open ends a wavelength apart"},
    };
    for (const Case& c : cases) {
        const MediumSite one = siteAt(c.scene, c.x1, 0, c.param);
        const MediumSite other = siteAt(c.scene, c.relation == Relation::Still ? c.x1 : c.x2, 0, c.param);
        const double swing = swingOver(other, [&](double t) {
            const double d2 = other.displacement(t);
            const double expected = c.relation == Relation::Together ? d2 : c.relation == Relation::Opposite ? -d2 : 0;
            EXPECT_EQ(one.displacement(t), expected) << c.scene << ": " << c.what << " at " << c.x1 << ", t = " << t;
        });
        EXPECT_TRUE(c.relation == Relation::Still || swing > 10) << c.scene << ": " << c.what << " do move";
    }
}

TEST(Medium, WavesTravelStandingWavesSwingTwiceAsFarTheWaterRestsOnNodalLines)
{
    // Scene 2: what particle x shows at t, the next particle (30 on) shows
    // 30/420 of a period later.
    const MediumSite next = siteAt(2, 65);
    const MediumSite first = siteAt(2, 35);
    swingOver(first, [&](double t) { EXPECT_EQ(first.displacement(t), next.displacement(t + 30 / 420.0)); });
    // Antinodes of the standing waves reach twice the 40 of each wave.
    for (const auto& [scene, x] : {std::pair{4, 140.0}, {6, 300.0}, {7, 360.0}})
        EXPECT_EQ(swingOver(siteAt(scene, x), [](double) {}), 80) << "scene " << scene << " at " << x;
    // Water in phase: still at x = 20 on the row of the sources (140 from
    // A, 180 from B), twice one wave's 3.5 on the bisector; in opposite
    // phase still on the bisector.
    EXPECT_LT(swingOver(siteAt(8, 340, 100), [](double) {}), 1e-4);
    EXPECT_NEAR(swingOver(siteAt(8, 320, 100), [](double) {}), 7, 0.01);
    EXPECT_LT(swingOver(siteAt(9, 320, 100), [](double) {}), 1e-4);
    // The nearest particle, the left one of two as near.
    EXPECT_EQ(siteAt(2, 50).rest.x, 35);
}

}  // namespace
}  // namespace kelvora
