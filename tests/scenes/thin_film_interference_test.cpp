#include "scenes/scene_context.h"
#include "support/trace_reader.h"

#include <gtest/gtest.h>

#include <vector>

namespace kelvora {
namespace {

using test::MakeContext;
using test::OpsOfKind;
using test::TraceFrame;
using test::TraceOp;

constexpr int kScene = 14;
constexpr std::size_t kAirPoints = 91;  // x = 0, 4, ..., 360

// The scroll bar as the viewer leaves it for scene 14 before any frame.
ParameterControl freshScrollBar(int value)
{
    ParameterControl control;
    control.value = static_cast<std::int16_t>(value);
    control.min = 1;
    control.max = 40;
    control.largeChange = 1;
    control.text = "?";
    return control;
}

// The six waves of a frame, in drawing order.
struct FilmFrame {
    std::vector<TraceOp> incident, inFilm, backInFilm, frontReflection, backReflection, sum;
    std::vector<TraceOp> ops;
};

FilmFrame split(std::vector<TraceOp> ops)
{
    FilmFrame f;
    const auto circles = OpsOfKind(ops, "circle");
    const std::size_t filmPoints = (circles.size() - 4 * kAirPoints) / 2;
    auto next = circles.begin();
    const auto take = [&](std::vector<TraceOp>& wave, std::size_t count) {
        wave.assign(next, next + static_cast<std::ptrdiff_t>(count));
        next += static_cast<std::ptrdiff_t>(count);
    };
    take(f.incident, kAirPoints);
    take(f.inFilm, filmPoints);
    take(f.backInFilm, filmPoints);
    take(f.frontReflection, kAirPoints);
    take(f.backReflection, kAirPoints);
    take(f.sum, kAirPoints);
    EXPECT_EQ(next, circles.end());
    f.ops = std::move(ops);
    return f;
}

FilmFrame drawFilm(ParameterControl& control, int frameNo = 0, int frames = 12)
{
    SceneContext context = MakeContext(frames);
    context.parameter = &control;
    return split(TraceFrame(kScene, frameNo, context));
}

// Heights at x = 0, 60, 120, ... of a wave on the air side.
std::vector<double> heightsEvery60(const std::vector<TraceOp>& wave, std::size_t count)
{
    std::vector<double> heights;
    for (std::size_t i = 0; i < count; ++i)
        heights.push_back(wave[i * 15].nums[1]);
    return heights;
}

TEST(ThinFilmInterference, WholeNumberRatioCancelsTheReflections)
{
    ParameterControl control = freshScrollBar(20);
    const FilmFrame f = drawFilm(control);
    EXPECT_EQ(control.largeChange, 5);
    EXPECT_EQ(control.max, 40);
    EXPECT_EQ(control.value, 20);
    EXPECT_EQ(control.text, "2");

    const auto boxes = OpsOfKind(f.ops, "box");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].nums, (std::vector<double>{360, 10, 480, 230}));
    EXPECT_EQ(boxes[0].color, "#c0c0ff");
    ASSERT_EQ(f.inFilm.size(), 31u);
    EXPECT_EQ(f.inFilm.front().nums[0], 360);
    EXPECT_EQ(f.inFilm.back().nums[0], 480);

    EXPECT_EQ(heightsEvery60(f.incident, 5), (std::vector<double>{160, 180, 160, 140, 160}));
    EXPECT_EQ(heightsEvery60(f.frontReflection, 4), (std::vector<double>{80, 104, 80, 56}));
    EXPECT_EQ(heightsEvery60(f.backReflection, 4), (std::vector<double>{80, 60, 80, 100}));
    for (const TraceOp& p : f.sum)
        EXPECT_EQ(p.nums[1], 80) << "x " << p.nums[0];
}

TEST(ThinFilmInterference, CancelsInEveryFrameForEveryWholeNumber)
{
    for (int value : {10, 20, 30, 40}) {
        for (int frames : {12, 24}) {
            for (int frameNo = 0; frameNo < frames; ++frameNo) {
                ParameterControl control = freshScrollBar(value);
                const FilmFrame f = drawFilm(control, frameNo, frames);
                for (const TraceOp& p : f.sum)
                    ASSERT_EQ(p.nums[1], 80) << "v " << value << ", frame " << frameNo << " of " << frames
                                             << ", x " << p.nums[0];
            }
        }
    }
}

TEST(ThinFilmInterference, HalfWayRatioReinforces)
{
    ParameterControl control = freshScrollBar(25);
    const FilmFrame f = drawFilm(control);
    EXPECT_EQ(control.text, "2.5");
    EXPECT_EQ(OpsOfKind(f.ops, "box")[0].nums[2], 510);
    EXPECT_EQ(f.inFilm.back().nums[0], 508);
    EXPECT_EQ(f.backInFilm.back().nums[0], 508);
    EXPECT_EQ(heightsEvery60(f.backReflection, 4), (std::vector<double>{80, 100, 80, 60}));
    EXPECT_EQ(heightsEvery60(f.sum, 4), (std::vector<double>{80, 120, 80, 40}));
}

TEST(ThinFilmInterference, ThinnestAndThickestFilms)
{
    ParameterControl thinnest = freshScrollBar(1);
    const FilmFrame thin = drawFilm(thinnest);
    EXPECT_EQ(thinnest.text, "0.1");
    ASSERT_EQ(thin.inFilm.size(), 2u);
    EXPECT_EQ(thin.inFilm[0].nums[0], 360);
    EXPECT_EQ(thin.inFilm[1].nums[0], 364);
    EXPECT_EQ(thin.backInFilm[1].nums[0], 364);

    ParameterControl thickest = freshScrollBar(40);
    const FilmFrame thick = drawFilm(thickest);
    EXPECT_EQ(thickest.text, "4");
    EXPECT_EQ(OpsOfKind(thick.ops, "box")[0].nums[2], 600);
    EXPECT_EQ(thick.inFilm.size(), 61u);
    EXPECT_EQ(thick.inFilm.back().nums[0], 600);
}

TEST(ThinFilmInterference, TheWavesJoinUp)
{
    for (int frameNo : {0, 2, 5}) {
        ParameterControl control = freshScrollBar(20);
        const FilmFrame f = drawFilm(control, frameNo);
        // Into the film at the front surface; back from the back surface
        // (x = 480 is a point of both); out again at the front surface.
        EXPECT_EQ(f.incident.back().nums[1], f.inFilm.front().nums[1]) << frameNo;
        EXPECT_EQ(f.inFilm.back().nums[1] - 160, f.backInFilm.back().nums[1] - 80) << frameNo;
        EXPECT_EQ(f.backInFilm.front().nums[1], f.backReflection.back().nums[1]) << frameNo;
    }
}

TEST(ThinFilmInterference, FillsEachWaveInItsColour)
{
    ParameterControl control = freshScrollBar(20);
    const FilmFrame f = drawFilm(control, 1);
    const auto expectFill = [](const std::vector<TraceOp>& wave, const char* fill, const char* name) {
        for (const TraceOp& p : wave) {
            EXPECT_EQ(p.fill, fill) << name;
            EXPECT_EQ(p.color, "#000000") << name;
            EXPECT_EQ(p.nums[2], 4) << name;
        }
    };
    expectFill(f.incident, "#00ff00", "incident");
    expectFill(f.inFilm, "#ffff00", "in film");
    expectFill(f.backInFilm, "#ffff00", "back in film");
    expectFill(f.frontReflection, "#00ff00", "front reflection");
    expectFill(f.backReflection, "#ffff00", "back reflection");
    expectFill(f.sum, "#000000", "sum");
    EXPECT_EQ(f.incident[1].nums[0], 4);
}

TEST(ThinFilmInterference, WithoutAScrollBarDrawsTheInitialFilm)
{
    SceneContext context = MakeContext(12);
    const std::string withoutControl = test::TraceFrameText(kScene, 3, context);
    ParameterControl control = freshScrollBar(20);
    context.parameter = &control;
    EXPECT_EQ(withoutControl, test::TraceFrameText(kScene, 3, context));
}

}  // namespace
}  // namespace kelvora
