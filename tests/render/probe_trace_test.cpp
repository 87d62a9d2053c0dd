// --probe: what the parser refuses, and the probe lines of a trace checked
// against what the frames draw.

#include "render_options.h"
#include "trace_job.h"

#include "scenes/scene_catalogue.h"
#include "support/trace_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

namespace kelvora::render {
namespace {

using Args = std::vector<std::string>;

std::string traceOf(const Args& args)
{
    const ParsedCommandLine parsed = ParseRenderArguments(args);
    std::ostringstream out;
    const auto scene = static_cast<std::size_t>(parsed.options.scene);
    EXPECT_EQ(RunTraceJob(parsed.options, out, SceneCatalogue().at(scene).drawFrame).status, kExitDone);
    return out.str();
}

TEST(ProbeOptions, PlacesOutsideTheMediumAndBadPlacesAreRefusedWithOneLine)
{
    const std::pair<Args, std::string> refused[] = {
        {{"--scene", "0", "--probe", "100"}, "--probe: scene 0 has no medium to probe"},
        {{"--scene", "2", "--probe", "700"}, "--probe 700: outside the medium of scene 2"},
        {{"--scene", "2", "--probe", "245,100"}, "--probe 245,100: scene 2 takes X alone"},
        {{"--scene", "9", "--probe", "245"}, "--probe 245: scene 9 needs X,Y"},
        {{"--scene", "9", "--probe", "320,239"}, "--probe 320,239: outside the medium of scene 9"},
        {{"--scene", "2", "--probe", "240", "--probe", "250"}, "--probe 250: the other probe marks the same place"},
        {{"--scene", "2", "--probe", "35", "--probe", "65", "--probe", "95"}, "--probe is given more than twice"},
        {{"--scene", "8", "--probe", "1,"}, "--probe: '1,' is not X or X,Y"},
    };
    for (auto [args, message] : refused) {
        args.push_back("--trace");
        EXPECT_EQ(ParseRenderArguments(args).error.rfind(message, 0), 0u) << ParseRenderArguments(args).error;
    }
}

// In every frame the probe's displacement minus where the frame draws the
// particle is one and the same number: scene 2's green particle, the
// layer at 215 of scene 3 (the sixth of radius 7, drawn at its rest x plus
// its displacement) and scene 4's black sum at 160 (the eleventh).
TEST(ProbeTrace, DisplacementFollowsTheDrawnParticleInEveryFrame)
{
    struct Case {
        const char* scene;
        const char* place;
        double radius;
        const char* fill;
        std::size_t nth;
        bool alongTheRow;
    };
    for (const Case& c : {Case{"2", "245", 6, "#00ff00", 0, false}, Case{"3", "215", 7, "#ff0000", 5, true},
             Case{"4", "160", 5, "#000000", 10, false}}) {
        for (const char* frames : {"12", "24"}) {
            std::set<double> differences;
            int probeLines = 0;
            std::vector<double> drawn;
            const Args args = {"--scene", c.scene, "--frames", frames, "--all", "--trace", "--probe", c.place};
            for (const test::TraceOp& op : test::ParseTrace(traceOf(args))) {
                if (op.kind == "frame")
                    drawn.clear();
                if (op.kind == "circle" && op.nums[2] == c.radius && op.fill == c.fill)
                    drawn.push_back(c.alongTheRow ? op.nums[0] : op.nums[1]);
                if (op.kind == "probe") {
                    ++probeLines;
                    differences.insert(op.nums[2] - drawn.at(c.nth));
                }
            }
            EXPECT_EQ(probeLines, std::stoi(frames)) << c.scene;
            EXPECT_EQ(differences.size(), 1u) << "scene " << c.scene << ", " << frames << " frames";
        }
    }
}

TEST(ProbeTrace, ProbeLinesEndEachFrameAndAreAllThatChanges)
{
    const std::string plain = traceOf({"--scene", "8", "--frame", "5", "--trace"});
    const std::string probed =
        traceOf({"--scene", "8", "--frame", "5", "--trace", "--probe", "480,100", "--probe", "2.04e1,230"});
    ASSERT_EQ(probed.rfind(plain, 0), 0u);
    const std::string tail = probed.substr(plain.size());
    EXPECT_EQ(tail.rfind("probe 0 480,100 ", 0), 0u) << tail;
    EXPECT_NE(tail.find("\nprobe 1 20,230 "), std::string::npos) << tail;
    EXPECT_EQ(std::count(tail.begin(), tail.end(), '\n'), 2);
}

}  // namespace
}  // namespace kelvora::render
