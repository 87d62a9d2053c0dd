#include "trace_job.h"

#include "overflowing_scene.h"

#include "canvas/canvas.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace kelvora::render {
namespace {

// What the recording scene saw on each call.
struct SeenCall {
    int frameNo;
    SceneContext context;
    ParameterControl parameter;
    bool hasParameter;
};
std::vector<SeenCall> seenCalls;

// Records its inputs; like scene 14, it writes LargeChange and Max back.
void recordingScene(Canvas& canvas, std::int16_t& frameNo, SceneContext& context)
{
    seenCalls.push_back({frameNo, context, context.parameter ? *context.parameter : ParameterControl(),
        context.parameter != nullptr});
    if (context.parameter) {
        context.parameter->largeChange = 5;
        context.parameter->max = 40;
    }
    canvas.Scale(0, 240, 640, 0);
    canvas.Line(10, 10, 20, 20);
}

// Sets a wide pen on its first frame only, then draws on every frame: the
// pen of frame 0 stays in force.
void stateScene(Canvas& canvas, std::int16_t& frameNo, SceneContext&)
{
    if (frameNo == 0)
        canvas.SetDrawWidth(5);
    canvas.Scale(0, 240, 640, 0);
    canvas.Line(frameNo, 0, frameNo, 100);
}

RenderOptions traceOf(int scene, int frame)
{
    RenderOptions options;
    options.scene = scene;
    options.frame = frame;
    options.mode = OutputMode::Trace;
    return options;
}

TEST(TraceJob, SceneSeesTheViewersContextAndFramesZeroToK)
{
    seenCalls.clear();
    RenderOptions options = traceOf(14, 3);
    options.frames = 24;
    options.param = 7;
    options.screen = {1920, 1080};
    std::ostringstream out;
    ASSERT_EQ(RunTraceJob(options, out, &recordingScene).status, kExitDone);

    ASSERT_EQ(seenCalls.size(), 4u);
    for (std::size_t i = 0; i < seenCalls.size(); ++i) {
        const SeenCall& call = seenCalls[i];
        EXPECT_EQ(call.frameNo, static_cast<int>(i));
        EXPECT_EQ(call.context.lastFrame, 23);
        EXPECT_EQ(call.context.sceneParam, 7);
        EXPECT_EQ(call.context.screenWidth, 1920);
        EXPECT_EQ(call.context.screenHeight, 1080);
        ASSERT_TRUE(call.hasParameter);
        EXPECT_EQ(call.parameter.value, 7);
        EXPECT_EQ(call.parameter.min, 1);
        EXPECT_EQ(call.parameter.text, "0.7");
    }
    // The controls live through the run: what frame 0 wrote, frame 1 reads.
    EXPECT_EQ(seenCalls[0].parameter.largeChange, 1);
    EXPECT_EQ(seenCalls[1].parameter.largeChange, 5);

    seenCalls.clear();
    RenderOptions plain = traceOf(0, 0);
    ASSERT_EQ(RunTraceJob(plain, out, &recordingScene).status, kExitDone);
    ASSERT_EQ(seenCalls.size(), 1u);
    EXPECT_FALSE(seenCalls[0].hasParameter);
    EXPECT_EQ(seenCalls[0].context.sceneParam, 1);
    EXPECT_EQ(seenCalls[0].context.lastFrame, 11);

    seenCalls.clear();
    RenderOptions pipe = traceOf(10, 0);
    pipe.param = 4;
    ASSERT_EQ(RunTraceJob(pipe, out, &recordingScene).status, kExitDone);
    EXPECT_EQ(seenCalls.at(0).context.sceneParam, 4);
    EXPECT_EQ(seenCalls.at(0).parameter.text, "4");
}

TEST(TraceJob, ShowsTheScenesOwnOperationsWithTheStateCarriedOver)
{
    std::ostringstream one;
    ASSERT_EQ(RunTraceJob(traceOf(0, 2), one, &stateScene).status, kExitDone);
    EXPECT_EQ(one.str(), "frame 2\nscale 0 240 640 0\nline 2 0 2 100 #000000 5 solid\n");

    RenderOptions all = traceOf(0, 0);
    all.allFrames = true;
    std::ostringstream every;
    ASSERT_EQ(RunTraceJob(all, every, &stateScene).status, kExitDone);
    std::string expected;
    for (int k = 0; k < 12; ++k)
        expected += "frame " + std::to_string(k) + "\nscale 0 240 640 0\nline " + std::to_string(k) + " 0 "
            + std::to_string(k) + " 100 #000000 5 solid\n";
    EXPECT_EQ(every.str(), expected);
}

TEST(TraceJob, RuntimeErrorIsStatusOneAndKeepsWhatWasDrawn)
{
    RenderOptions all = traceOf(0, 0);
    all.allFrames = true;
    std::ostringstream out;
    const JobResult result = RunTraceJob(all, out, &test::OverflowingScene);
    EXPECT_EQ(result.status, kExitFailed);
    EXPECT_EQ(result.message, "Run-time error '6': Overflow");
    const std::string frame = "scale 0 240 640 0\nline 0 0 1 1 #000000 1 solid\n";
    EXPECT_EQ(out.str(), "frame 0\n" + frame + "frame 1\n" + frame + "frame 2\n" + frame);
}

}  // namespace
}  // namespace kelvora::render
