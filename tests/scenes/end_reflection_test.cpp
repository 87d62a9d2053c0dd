#include "scenes/wave_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace kelvora {
namespace {

using test::Dots;
using test::DotYAt;
using test::MakeContext;
using test::OpsOfKind;
using test::TraceFrame;
using test::TraceOp;

constexpr int kFixedEnd = 6;
constexpr int kFreeEnd = 7;

// The rows of dots, as displacements from the axis. The reflected row is
// drawn 2 units higher; that lift is taken off here.
struct Rows {
    std::vector<TraceOp> incident;  // filled, up to the end
    std::vector<TraceOp> beyond;    // hollow, beyond the end
    std::vector<TraceOp> reflected;
    std::vector<TraceOp> sum;

    double incidentAt(double x) const { return DotYAt(incident, x) - 120; }
    double beyondAt(double x) const { return DotYAt(beyond, x) - 120; }
    double reflectedAt(double x) const { return DotYAt(reflected, x) - 122; }
    double sumAt(double x) const { return DotYAt(sum, x) - 120; }
};

Rows rowsOf(int scene, int frameNo, int frames)
{
    const auto ops = TraceFrame(scene, frameNo, MakeContext(frames));
    Rows rows{Dots(ops, 5, "#00ff00"), Dots(ops, 5, "none"), Dots(ops, 5, "#ffff00"), Dots(ops, 5, "#000000")};
    EXPECT_EQ(rows.incident.size(), 46u);
    EXPECT_EQ(rows.beyond.size(), 35u);
    EXPECT_EQ(rows.reflected.size(), 46u);
    EXPECT_EQ(rows.sum.size(), 46u);
    return rows;
}

TEST(FixedEndReflection, PictureAndDrawingOrder)
{
    const auto ops = TraceFrame(kFixedEnd, 0, MakeContext(12));
    ASSERT_GE(ops.size(), 5u);
    EXPECT_EQ(ops[0].kind, "scale");
    EXPECT_EQ(ops[0].nums, (std::vector<double>{0, 240, 640, 0}));
    EXPECT_EQ(ops[1].kind, "cls");
    // The region beyond the end first, then the axis and the end over it.
    EXPECT_EQ(ops[2].kind, "box");
    EXPECT_EQ(ops[2].nums, (std::vector<double>{360, 10, 640, 230}));
    EXPECT_EQ(ops[2].color, "#c0c0ff");
    EXPECT_EQ(ops[3].kind, "line");
    EXPECT_EQ(ops[3].nums, (std::vector<double>{0, 120, 640, 120}));
    EXPECT_EQ(ops[4].kind, "line");
    EXPECT_EQ(ops[4].nums, (std::vector<double>{360, 10, 360, 230}));
    // Filled incident dots up to the end, hollow black circles beyond it.
    const Rows rows = rowsOf(kFixedEnd, 0, 12);
    EXPECT_EQ(rows.incident.back().nums[0], 360);
    EXPECT_EQ(rows.beyond.front().nums[0], 368);
    EXPECT_EQ(rows.beyond.back().nums[0], 640);
    for (const TraceOp& circle : OpsOfKind(ops, "circle")) {
        EXPECT_EQ(circle.color, "#000000");
        EXPECT_EQ(circle.width, 1);
    }
}

TEST(FixedEndReflection, FrameZero)
{
    for (int frames : {12, 24}) {
        const Rows rows = rowsOf(kFixedEnd, 0, frames);
        for (double x : {0, 120, 240, 360}) {
            EXPECT_EQ(rows.incidentAt(x), 0) << x;
            EXPECT_EQ(rows.reflectedAt(x), 0) << x;
            EXPECT_EQ(rows.sumAt(x), 0) << x;
        }
        // Beside the crest at x = 300 (no dot stands there).
        for (double x : {296, 304}) {
            EXPECT_EQ(rows.incidentAt(x), 40) << x;
            EXPECT_EQ(rows.reflectedAt(x), 40) << x;
            EXPECT_EQ(rows.sumAt(x), 80) << x;
        }
        EXPECT_EQ(rows.beyondAt(640), -35);
    }
}

TEST(FixedEndReflection, QuarterPeriods)
{
    const Rows twelve = rowsOf(kFixedEnd, 3, 12);
    for (const TraceOp& dot : twelve.sum)
        EXPECT_EQ(dot.nums[1], 120) << "x " << dot.nums[0];
    EXPECT_EQ(twelve.incidentAt(0), -40);
    EXPECT_EQ(twelve.incidentAt(120), 40);
    EXPECT_EQ(twelve.reflectedAt(0), 40);
    EXPECT_EQ(twelve.reflectedAt(120), -40);

    // An eighth of a period: 80 cos 45 deg beside the crest.
    const Rows twentyFour = rowsOf(kFixedEnd, 3, 24);
    EXPECT_EQ(twentyFour.sumAt(296), 56);
    EXPECT_EQ(twentyFour.sumAt(304), 56);
    for (double x : {0, 120, 240, 360})
        EXPECT_EQ(twentyFour.sumAt(x), 0) << x;
}

TEST(FixedEndReflection, NodeAtTheEndInEveryFrame)
{
    for (int frames : {12, 24})
        for (int f = 0; f < frames; ++f) {
            const Rows rows = rowsOf(kFixedEnd, f, frames);
            EXPECT_EQ(rows.sumAt(360), 0) << frames << " frames, frame " << f;
            // Incident and reflected waves cancel at the end.
            EXPECT_NEAR(rows.incidentAt(360), -rows.reflectedAt(360), 1) << frames << " frames, frame " << f;
        }
}

TEST(FreeEndReflection, SamePictureAsTheFixedEnd)
{
    // Only the dots differ: the box, the axis and the end line are shared.
    const auto fixed = TraceFrame(kFixedEnd, 5, MakeContext(12));
    const auto free = TraceFrame(kFreeEnd, 5, MakeContext(12));
    for (const char* kind : {"scale", "box", "line"}) {
        const auto a = OpsOfKind(fixed, kind);
        const auto b = OpsOfKind(free, kind);
        ASSERT_EQ(a.size(), b.size()) << kind;
        for (std::size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i].nums, b[i].nums) << kind;
            EXPECT_EQ(a[i].color, b[i].color) << kind;
        }
    }
    // The same rows of dots: 46 filled and 35 hollow incident, 46 reflected, 46 summed.
    rowsOf(kFreeEnd, 5, 12);
}

TEST(FreeEndReflection, FrameZero)
{
    for (int frames : {12, 24}) {
        const Rows rows = rowsOf(kFreeEnd, 0, frames);
        const std::vector<std::pair<double, double>> incident = {{0, 40}, {120, -40}, {240, 40}, {360, -40}};
        for (const auto& [x, d] : incident) {
            EXPECT_EQ(rows.incidentAt(x), d) << x;
            EXPECT_EQ(rows.reflectedAt(x), d) << x;
            EXPECT_EQ(rows.sumAt(x), 2 * d) << x;
        }
        // Either side of the node at x = 300, where no dot stands.
        EXPECT_EQ(rows.incidentAt(296), 4);
        EXPECT_EQ(rows.sumAt(296), 8);
        EXPECT_EQ(rows.incidentAt(304), -4);
        EXPECT_EQ(rows.sumAt(304), -8);
        EXPECT_EQ(rows.beyondAt(640), -20);
    }
}

TEST(FreeEndReflection, QuarterPeriods)
{
    const Rows twelve = rowsOf(kFreeEnd, 3, 12);
    for (const TraceOp& dot : twelve.sum)
        EXPECT_EQ(dot.nums[1], 120) << "x " << dot.nums[0];
    for (double x : {296, 304}) {
        EXPECT_EQ(twelve.incidentAt(x), 40) << x;
        EXPECT_EQ(twelve.reflectedAt(x), -40) << x;
    }

    const Rows twentyFour = rowsOf(kFreeEnd, 3, 24);
    EXPECT_EQ(twentyFour.sumAt(0), 57);
    EXPECT_EQ(twentyFour.sumAt(360), -57);
}

TEST(FreeEndReflection, AntinodeAtTheEndNodesBetweenInEveryFrame)
{
    for (int frames : {12, 24})
        for (int f = 0; f < frames; ++f) {
            const Rows rows = rowsOf(kFreeEnd, f, frames);
            double widest = 0;
            for (const TraceOp& dot : rows.sum)
                widest = std::max(widest, std::abs(dot.nums[1] - 120));
            EXPECT_EQ(std::abs(rows.sumAt(360)), widest) << frames << " frames, frame " << f;
            // The dots either side of the nodes at 60, 180 and 300 swing in
            // opposite directions and only slightly.
            for (double node : {60, 180, 300}) {
                const double left = rows.sumAt(node - 4);
                const double right = rows.sumAt(node + 4);
                EXPECT_LE(std::abs(left + right), 1) << frames << " frames, frame " << f << ", node " << node;
                EXPECT_LE(std::abs(left), 8) << frames << " frames, frame " << f << ", node " << node;
            }
        }
}

}  // namespace
}  // namespace kelvora
