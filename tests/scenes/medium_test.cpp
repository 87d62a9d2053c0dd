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

using test::MakeContext;
using test::TraceOp;

SceneContext contextWith(int frames, int param)
{
    SceneContext context = MakeContext(frames);
    context.sceneParam = static_cast<std::int16_t>(param);
    return context;
}

MediumSite siteAt(int scene, double x, double y = 0, int param = 1)
{
    const std::optional<Medium> medium = MediumOf(scene, contextWith(12, param));
    EXPECT_TRUE(medium) << "scene " << scene;
    const std::optional<MediumSite> site = medium ? SiteNear(*medium, x, y) : std::nullopt;
    EXPECT_TRUE(site) << "scene " << scene << " at " << x << ", " << y;
    return site.value_or(MediumSite{Motion::Transverse, {}, [](double) { return -1e9; }, {}});
}

// Times all over the period, most of them between the frames.
std::vector<double> timesInOnePeriod()
{
    std::vector<double> times;
    for (int k = 0; k < 97; ++k)
        times.push_back(k / 97.0);
    return times;
}

// Whether some operation of `kind` in the frame is drawn at (x, y).
bool drawnAt(const std::vector<TraceOp>& ops, const std::string& kind, UserPoint p)
{
    return std::any_of(ops.begin(), ops.end(),
        [&](const TraceOp& op) { return op.kind == kind && op.nums[0] == p.x && op.nums[1] == p.y; });
}

// At the frame times the model gives exactly what each frame of a capture
// draws: every particle of the row where the scene draws it.
TEST(Medium, EveryParticleIsWhereTheFrameDrawsIt)
{
    for (int scene = 1; scene <= 11; ++scene) {
        if (scene == 8 || scene == 9)
            continue;
        for (int param : scene >= 10 ? std::vector<int>{1, 2, 3, 4, 5} : std::vector<int>{1}) {
            for (int frames : {12, 24}) {
                SceneContext context = contextWith(frames, param);
                const ParticleRow row = std::get<ParticleRow>(*MediumOf(scene, context));
                TraceSurface trace;
                Canvas canvas(trace, 960, 600);
                for (std::int16_t k = 0; k < frames; ++k) {
                    trace.clearText();
                    std::int16_t frameNo = k;
                    DrawCaptureFrame(scene, canvas, frameNo, context);
                    const std::vector<TraceOp> ops = test::ParseTrace(trace.text());
                    for (double x : row.restX) {
                        const MediumSite site = *SiteNear(row, x, 0);
                        EXPECT_TRUE(drawnAt(ops, "circle", site.position(k / double(frames))))
                            << "scene " << scene << " n " << param << " frame " << k << "/" << frames << " x " << x;
                    }
                }
            }
        }
    }
}

TEST(Medium, EveryWaterPointIsWhereTheFrameDrawsIt)
{
    for (int scene : {8, 9}) {
        SceneContext context = MakeContext(12);
        TraceSurface trace;
        Canvas canvas(trace, 960, 600);
        std::int16_t frameNo = 0;
        DrawCaptureFrame(scene, canvas, frameNo, context);
        const std::vector<TraceOp> ops = test::ParseTrace(trace.text());
        // The sources, the bisector, a far corner and a near one.
        for (const UserPoint p : {UserPoint{480, 100}, {160, 100}, {320, 150}, {20, 230}, {620, 7}}) {
            const MediumSite site = siteAt(scene, p.x, p.y);
            EXPECT_EQ(site.rest.x, p.x);
            EXPECT_NEAR(site.rest.y, p.y, 1.5);
            EXPECT_TRUE(drawnAt(ops, "pset", site.position(0))) << scene << " at " << p.x << ", " << p.y;
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
        {4, 1, 320, 0, Relation::Still, "node"},
        {4, 1, 560, 0, Relation::Still, "node"},
        {4, 1, 140, 380, Relation::Together, "antinodes a wavelength apart"},
        {5, 1, 20, 0, Relation::Still, "node"},
        {5, 1, 340, 0, Relation::Still, "node"},
        {5, 1, 660, 0, Relation::Still, "node"},
        {6, 1, 360, 0, Relation::Still, "fixed end"},
        {6, 1, 240, 0, Relation::Still, "node"},
        {6, 1, 60, 180, Relation::Opposite, "neighbouring loops"},
        {7, 1, 0, 240, Relation::Together, "antinodes a wavelength apart"},
        {7, 1, 360, 120, Relation::Together, "free end and an antinode a wavelength away"},
        {10, 1, 40, 0, Relation::Still, "closed end"},
        {10, 3, 40, 0, Relation::Still, "closed end"},
        {10, 2, 360, 0, Relation::Still, "node"},
        {11, 2, 200, 0, Relation::Still, "node"},
        {11, 2, 80, 560, Relation::Together, "open ends a wavelength apart"},
    };
    for (const Case& c : cases) {
        const MediumSite one = siteAt(c.scene, c.x1, 0, c.param);
        const MediumSite other = siteAt(c.scene, c.relation == Relation::Still ? c.x1 : c.x2, 0, c.param);
        double swing = 0;
        for (double t : timesInOnePeriod()) {
            const double d1 = one.displacement(t);
            const double d2 = other.displacement(t);
            swing = std::max(swing, std::fabs(d2));
            const double expected = c.relation == Relation::Together ? d2 : c.relation == Relation::Opposite ? -d2 : 0;
            EXPECT_EQ(d1, expected) << c.scene << ": " << c.what << " at " << c.x1 << ", t = " << t;
        }
        if (c.relation != Relation::Still) {
            EXPECT_GT(swing, 10) << c.scene << ": " << c.what << " do move";
        }
    }
}

TEST(Medium, TravellingWavesMoveRightAndStandingWavesSwingTwiceAsFar)
{
    // Scene 2: what particle x shows at t, the next particle (30 on) shows
    // 30/420 of a period later.
    const MediumSite first = siteAt(2, 35);
    const MediumSite next = siteAt(2, 65);
    for (double t : timesInOnePeriod())
        EXPECT_EQ(first.displacement(t), next.displacement(t + 30 / 420.0)) << t;

    // Antinodes of the standing waves reach twice the 40 of each wave.
    for (const auto& [scene, x] : {std::pair{4, 140.0}, {6, 300.0}, {7, 360.0}}) {
        const MediumSite antinode = siteAt(scene, x);
        double swing = 0;
        for (double t : timesInOnePeriod())
            swing = std::max(swing, std::fabs(antinode.displacement(t)));
        EXPECT_EQ(swing, 80) << "scene " << scene << " at " << x;
    }
}

TEST(Medium, WaterStaysStillWhereThePathsDifferByHalfAWavelength)
{
    // On the row of the sources at x = 20: 140 from A, 180 from B.
    const MediumSite inPhaseNode = siteAt(8, 340, 100);
    // On the bisector the opposite-phase waves cancel, the in-phase ones add.
    const MediumSite antiPhaseNode = siteAt(9, 320, 100);
    const MediumSite inPhaseAntinode = siteAt(8, 320, 100);
    double swing = 0;
    for (double t : timesInOnePeriod()) {
        EXPECT_NEAR(inPhaseNode.displacement(t), 0, 1e-4) << t;
        EXPECT_NEAR(antiPhaseNode.displacement(t), 0, 1e-4) << t;
        swing = std::max(swing, std::fabs(inPhaseAntinode.displacement(t)));
    }
    EXPECT_NEAR(swing, 7, 0.01);
}

TEST(Medium, ProbePlacesOutsideAMediumAndScenesWithoutOne)
{
    for (int scene : {0, 12, 13, 14, 15})
        EXPECT_FALSE(MediumOf(scene, MakeContext(12))) << scene;
    // Scene 2's particles stand 30 apart from 35 to 635.
    const Medium wave = *MediumOf(2, MakeContext(12));
    EXPECT_EQ(SiteNear(wave, 20, 0)->rest.x, 35);
    EXPECT_EQ(SiteNear(wave, 50, 0)->rest.x, 35);  // halfway: the left one
    EXPECT_EQ(SiteNear(wave, 650, 0)->rest.x, 635);
    EXPECT_FALSE(SiteNear(wave, 19.9, 0));
    EXPECT_FALSE(SiteNear(wave, 650.1, 0));
    // The water covers x = 20 to 620 on the picture, y about 7 to 230.
    const Medium water = *MediumOf(8, MakeContext(12));
    EXPECT_FALSE(SiteNear(water, 10, 100));
    EXPECT_FALSE(SiteNear(water, 320, 235));
    EXPECT_FALSE(SiteNear(water, 320, 2));
}

}  // namespace
}  // namespace kelvora
