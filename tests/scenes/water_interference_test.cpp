#include "canvas/canvas.h"
#include "canvas/numeric.h"
#include "canvas/trace_surface.h"
#include "scenes/capture_cache.h"
#include "scenes/scene_catalogue.h"
#include "scenes/scenes.h"
#include "scenes/water_interference.h"
#include "support/trace_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace kelvora {
namespace {

using test::MakeContext;
using test::OpsOfKind;
using test::TraceFrameText;
using test::TraceOp;
using water::SourceB;

constexpr int kInPhase = 8;
constexpr int kAntiPhase = 9;
constexpr int kRows = 87;
constexpr int kColumns = 601;

const float kTilt = Sng(static_cast<double>(kPi) / 180 * 15);

// Index of surface point (x, y) in the order the points are drawn.
std::size_t pointIndex(int x, int y) { return static_cast<std::size_t>((500 - y) / 10 * kColumns + (x + 300)); }

// The trace of every frame of a capture, drawn one after another on one
// surface.
std::vector<std::string> captureTraces(int scene, SceneContext context)
{
    TraceSurface trace;
    Canvas canvas(trace, 960, 600);
    std::vector<std::string> result;
    for (std::int16_t k = 0; k <= context.lastFrame; k = static_cast<std::int16_t>(k + 1)) {
        trace.clearText();
        std::int16_t frameNo = k;
        DrawCaptureFrame(scene, canvas, frameNo, context);
        result.push_back(trace.text());
    }
    return result;
}

// The points set in every frame of a capture.
std::vector<std::vector<TraceOp>> captureFrames(int scene, int frames)
{
    std::vector<std::vector<TraceOp>> result;
    for (const std::string& text : captureTraces(scene, MakeContext(frames)))
        result.push_back(OpsOfKind(test::ParseTrace(text), "pset"));
    return result;
}

TEST(WaterInterference, OnTheBisectorInPhaseDoublesAndOppositePhaseCancels)
{
    for (std::int16_t frames : {12, 24}) {
        for (std::int16_t f = 0; f < frames; ++f) {
            for (int y = 500; y >= -360; y -= 10) {
                const water::Heights same = water::HeightsAt(SourceB::InPhase, 0, y, f, frames);
                EXPECT_EQ(same.zA, same.zB);
                EXPECT_EQ(same.z, 2 * same.zA) << "frame " << f << " of " << frames << ", y " << y;
                const water::Heights opposite = water::HeightsAt(SourceB::AntiPhase, 0, y, f, frames);
                EXPECT_EQ(opposite.zA, same.zA);
                EXPECT_LE(std::fabs(opposite.z), 0.00001f) << "frame " << f << " of " << frames << ", y " << y;
            }
        }
    }
    // Off the bisector the two scenes differ only in B's wave.
    const water::Heights same = water::HeightsAt(SourceB::InPhase, 100, 40, 3, 12);
    const water::Heights opposite = water::HeightsAt(SourceB::AntiPhase, 100, 40, 3, 12);
    EXPECT_EQ(same.zA, opposite.zA);
    EXPECT_NEAR(same.zB, -opposite.zB, 0.00001f);
}

TEST(WaterInterference, ProjectionFloorsAndLandsRowsWhereExpected)
{
    using WaterInterferenceInPhase::ProjectPoint;
    const float flat = 0;
    const float turn = 0;
    for (std::int32_t x : {-300, 0, 300}) {
        const std::int32_t far = 500;
        const std::int32_t sources = 0;
        const std::int32_t near = -360;
        EXPECT_EQ(ProjectPoint(kTilt, turn, far, x, flat).px, x + 320);
        EXPECT_EQ(ProjectPoint(kTilt, turn, far, x, flat).py, 230);
        EXPECT_EQ(ProjectPoint(kTilt, turn, sources, x, flat).py, 100);
        EXPECT_EQ(ProjectPoint(kTilt, turn, near, x, flat).py, 7);
    }
    // Int is the floor: a small rise stays on the row, a small dip drops
    // one unit below it (100 - Int(-0.48) = 101).
    const std::int32_t row = 0;
    const std::int32_t column = 10;
    const float rise = 0.5f;
    const float dip = -0.5f;
    EXPECT_EQ(ProjectPoint(kTilt, turn, row, column, rise).py, 100);
    EXPECT_EQ(ProjectPoint(kTilt, turn, row, column, dip).py, 101);
    // Both scenes project alike.
    EXPECT_EQ(WaterInterferenceAntiPhase::ProjectPoint(kTilt, turn, row, column, dip).py, 101);
}

TEST(WaterInterference, EveryFrameSetsTheWholeGridInsideTheSurface)
{
    for (int scene : {kInPhase, kAntiPhase}) {
        const SourceB phase = scene == kInPhase ? SourceB::InPhase : SourceB::AntiPhase;
        const auto frames = captureFrames(scene, 12);
        for (std::size_t f = 0; f < frames.size(); ++f) {
            const auto& points = frames[f];
            ASSERT_EQ(points.size(), static_cast<std::size_t>(kRows * kColumns));
            double lowest = 240;
            double highest = 0;
            for (std::size_t i = 0; i < points.size(); ++i) {
                const TraceOp& p = points[i];
                ASSERT_EQ(p.nums[0], static_cast<double>(i % kColumns) + 20) << "scene " << scene << ", point " << i;
                // Every point where its own heights put it, the way a
                // single point is worked out.
                const auto x = static_cast<std::int32_t>(i % kColumns) - 300;
                const auto y = 500 - 10 * static_cast<std::int32_t>(i / kColumns);
                const float z = water::HeightsAt(phase, x, y, static_cast<std::int16_t>(f), 12).z;
                ASSERT_EQ(p.nums[1], WaterInterferenceInPhase::ProjectPoint(kTilt, 0, y, x, z).py)
                    << "scene " << scene << ", frame " << f << ", point (" << x << ", " << y << ")";
                EXPECT_EQ(p.color, "#0000ff");
                EXPECT_EQ(p.width, 1);
                lowest = std::min(lowest, p.nums[1]);
                highest = std::max(highest, p.nums[1]);
            }
            EXPECT_GE(lowest, 1) << "scene " << scene << ", frame " << f;
            EXPECT_LE(highest, 237) << "scene " << scene << ", frame " << f;

            // The sources lie on the grid and land at PX 480 and 160, their
            // height moved by the projection of the surface there.
            for (std::int32_t sourceX : {160, -160}) {
                const TraceOp& source = points[pointIndex(sourceX, 0)];
                const float z = water::HeightsAt(phase, sourceX, 0, static_cast<std::int16_t>(f), 12).z;
                EXPECT_EQ(source.nums[0], sourceX == 160 ? 480 : 160);
                EXPECT_EQ(source.nums[1], 100 - std::floor(z * std::cos(static_cast<double>(kTilt))));
            }
        }
    }
}

TEST(WaterInterference, DependsOnTheFrameOnlyThroughItsFractionOfThePeriod)
{
    for (int scene : {kInPhase, kAntiPhase}) {
        const std::string halfOfTwelve = TraceFrameText(scene, 6, MakeContext(12));
        const std::string halfOfTwentyFour = TraceFrameText(scene, 12, MakeContext(24));
        EXPECT_EQ(halfOfTwelve, halfOfTwentyFour) << "scene " << scene;
        EXPECT_NE(halfOfTwelve, TraceFrameText(scene, 5, MakeContext(12)));
    }
}

TEST(WaterInterference, ACaptureCacheLeavesEveryFrameExactlyAsDrawnWithout)
{
    for (int scene : {kInPhase, kAntiPhase}) {
        SceneContext cached = MakeContext(12);
        cached.captureCache = std::make_shared<CaptureCache>();
        const std::vector<std::string> withCache = captureTraces(scene, cached);
        const std::vector<std::string> without = captureTraces(scene, MakeContext(12));
        ASSERT_EQ(withCache.size(), without.size());
        for (std::size_t f = 0; f < without.size(); ++f)
            EXPECT_TRUE(withCache[f] == without[f]) << "scene " << scene << ", frame " << f;
    }
}

TEST(WaterInterference, SetsItsScaleAndTheOppositePhaseChangesThePicture)
{
    const auto same = test::ParseTrace(TraceFrameText(kInPhase, 0, MakeContext(12)));
    const auto opposite = test::ParseTrace(TraceFrameText(kAntiPhase, 0, MakeContext(12)));
    ASSERT_EQ(same.size(), opposite.size());
    EXPECT_EQ(same[0].nums, (std::vector<double>{0, 240, 640, 0}));
    EXPECT_EQ(same[1].kind, "cls");
    int differing = 0;
    for (std::size_t i = 0; i < same.size(); ++i)
        differing += same[i].nums != opposite[i].nums;
    EXPECT_GT(differing, 1000);
}

}  // namespace
}  // namespace kelvora
