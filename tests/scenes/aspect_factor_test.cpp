// Scenes 0, 1, 12 and 13 scale vertical offsets by the aspect factor
// k = 0.3625 x screen width / screen height, so their picture follows the
// screen they are shown on.

#include "scenes/shm_graph_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace kelvora {
namespace {

using namespace test;

using Reading = double (*)(const std::vector<TraceOp>& ops);

// The y of the second circle of a frame: the circling body or running point.
double secondCircleY(const std::vector<TraceOp>& ops) { return OpsOfKind(ops, "circle").at(1).nums[1]; }

// Scene 1: the particle at x = 220, a black circle of radius 5, above the axis.
double firstParticleHeight(const std::vector<TraceOp>& ops)
{
    for (const TraceOp& op : OpsOfKind(ops, "circle"))
        if (op.color == kBlackHex && op.nums[2] == 5 && op.nums[0] == 220)
            return op.nums[1] - 120;
    ADD_FAILURE() << "no particle at x = 220";
    return -1000;
}

// Scene 12: where the velocity arrow of the circling body ends.
double velocityTipY(const std::vector<TraceOp>& ops) { return LinesOf(ops, kLightGreenHex, 2).at(0).nums[3]; }

// Scene 13: where the shaft on the axis x = 320 ends.
double axisShaftEndY(const std::vector<TraceOp>& ops)
{
    for (const TraceOp& l : LinesOf(ops, kLightRedHex, 5))
        if (l.nums[0] == 320 && l.nums[2] == 320)
            return l.nums[3];
    ADD_FAILURE() << "no shaft on the axis";
    return -1000;
}

TEST(Scenes, AspectFactorComesFromTheScreen)
{
    // 1024 x 768: k = 0.3625 x 4/3 = 0.48333; 1366 x 768: k = 0.64476.
    struct Case {
        int scene;
        int screenWidth;
        int screenHeight;
        int frame;  // of 12
        Reading reading;
        double expected;
        double tolerance;
    };
    const Case cases[] = {
        {0, 1024, 768, 3, &secondCircleY, 120 + 58, 0},         // a quarter period: 120 k
        {1, 1024, 768, 3, &secondCircleY, 120 + 39, 0},         // the running point: 80 k
        {1, 1024, 768, 3, &firstParticleHeight, 39, 0},         // level with it
        {12, 1024, 768, 0, &velocityTipY, 120 + 48.3333, 1e-3},  // 100 k
        {13, 1366, 768, 3, &secondCircleY, 120 + 77, 0},        // 120 k
        {13, 1366, 768, 3, &axisShaftEndY, 197 - 58.0283, 1e-3},  // 90 k below the body
    };
    for (const Case& c : cases) {
        const auto ops = TraceFrame(c.scene, c.frame, MakeContext(12, c.screenWidth, c.screenHeight));
        EXPECT_NEAR(c.reading(ops), c.expected, c.tolerance) << "scene " << c.scene << " on " << c.screenWidth;
    }

    // The velocity and acceleration graphs: bars of 100 k and 90 k at most.
    ExpectBarsOnCurve(12, {48, 42, 24, 0, -24, -42, -48, -42, -24, 0, 24, 42}, 1024, 768);
    ExpectBarsOnCurve(13, {0, -29, -50, -58, -50, -29, 0, 29, 50, 58, 50, 29}, 1366, 768);
}

}  // namespace
}  // namespace kelvora
