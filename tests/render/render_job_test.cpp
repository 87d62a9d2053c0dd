#include "render_job.h"

#include "canvas/canvas.h"
#include "canvas/runtime_error.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

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

// Draws, then overflows on frame 2.
void overflowingScene(Canvas& canvas, std::int16_t& frameNo, SceneContext&)
{
    canvas.Scale(0, 240, 640, 0);
    canvas.Line(0, 0, 1, 1);
    if (frameNo == 2)
        throw RuntimeError(ErrorNumber::Overflow);
}

RenderOptions traceOf(int scene, int frame)
{
    RenderOptions options;
    options.scene = scene;
    options.frame = frame;
    options.mode = OutputMode::Trace;
    return options;
}

// The names in a directory, hidden ones too, as one line.
std::string entriesOf(const QString& directory)
{
    const QDir::Filters all = QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot;
    return QDir(directory).entryList(all, QDir::Name).join(", ").toStdString();
}

TEST(RenderJob, SceneSeesTheViewersContextAndFramesZeroToK)
{
    seenCalls.clear();
    RenderOptions options = traceOf(14, 3);
    options.frames = 24;
    options.param = 7;
    options.screen = {1920, 1080};
    std::ostringstream out;
    ASSERT_EQ(RunRenderJob(options, out, &recordingScene).status, kExitDone);

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
        EXPECT_EQ(call.parameter.text.toStdString(), "0.7");
    }
    // The controls live through the run: what frame 0 wrote, frame 1 reads.
    EXPECT_EQ(seenCalls[0].parameter.largeChange, 1);
    EXPECT_EQ(seenCalls[1].parameter.largeChange, 5);

    seenCalls.clear();
    RenderOptions plain = traceOf(0, 0);
    ASSERT_EQ(RunRenderJob(plain, out, &recordingScene).status, kExitDone);
    ASSERT_EQ(seenCalls.size(), 1u);
    EXPECT_FALSE(seenCalls[0].hasParameter);
    EXPECT_EQ(seenCalls[0].context.sceneParam, 1);
    EXPECT_EQ(seenCalls[0].context.lastFrame, 11);

    seenCalls.clear();
    RenderOptions pipe = traceOf(10, 0);
    pipe.param = 4;
    ASSERT_EQ(RunRenderJob(pipe, out, &recordingScene).status, kExitDone);
    EXPECT_EQ(seenCalls.at(0).context.sceneParam, 4);
    EXPECT_EQ(seenCalls.at(0).parameter.text.toStdString(), "4");
}

TEST(RenderJob, TraceShowsTheScenesOwnOperationsWithTheStateCarriedOver)
{
    std::ostringstream one;
    ASSERT_EQ(RunRenderJob(traceOf(0, 2), one, &stateScene).status, kExitDone);
    EXPECT_EQ(one.str(), "frame 2\nscale 0 240 640 0\nline 2 0 2 100 #000000 5 solid\n");

    RenderOptions all = traceOf(0, 0);
    all.allFrames = true;
    std::ostringstream every;
    ASSERT_EQ(RunRenderJob(all, every, &stateScene).status, kExitDone);
    std::string expected;
    for (int k = 0; k < 12; ++k)
        expected += "frame " + std::to_string(k) + "\nscale 0 240 640 0\nline " + std::to_string(k) + " 0 "
            + std::to_string(k) + " 100 #000000 5 solid\n";
    EXPECT_EQ(every.str(), expected);
}

TEST(RenderJob, RuntimeErrorIsStatusOneAndLeavesNoFile)
{
    QTemporaryDir dir;
    for (const OutputMode mode : {OutputMode::Png, OutputMode::Gif}) {
        RenderOptions options;
        options.mode = mode;
        options.frame = mode == OutputMode::Png ? 5 : 0;
        options.output = QFile::encodeName(dir.filePath("out")).toStdString();
        std::ostringstream out;
        const JobResult result = RunRenderJob(options, out, &overflowingScene);
        EXPECT_EQ(result.status, kExitFailed);
        EXPECT_EQ(result.message, "Run-time error '6': Overflow");
        EXPECT_EQ(out.str(), "");
    }
    EXPECT_EQ(entriesOf(dir.path()), "");

    // The trace keeps what was drawn up to the error.
    RenderOptions all = traceOf(0, 0);
    all.allFrames = true;
    std::ostringstream out;
    EXPECT_EQ(RunRenderJob(all, out, &overflowingScene).status, kExitFailed);
    const std::string frame = "scale 0 240 640 0\nline 0 0 1 1 #000000 1 solid\n";
    EXPECT_EQ(out.str(), "frame 0\n" + frame + "frame 1\n" + frame + "frame 2\n" + frame);
}

TEST(RenderJob, GifFramesTooLargeForMemoryAreRefusedBeforeDrawing)
{
    // Refused only where the frames take more than half of the memory.
    const auto physical = static_cast<std::uint64_t>(::sysconf(_SC_PHYS_PAGES))
        * static_cast<std::uint64_t>(::sysconf(_SC_PAGE_SIZE));
    if (25ull * 16384 * 16384 * 4 <= physical / 2)
        GTEST_SKIP() << "24 frames of 16384 x 16384 fit in this machine's memory";
    seenCalls.clear();
    RenderOptions options;
    options.mode = OutputMode::Gif;
    options.frames = 24;
    options.size = {16384, 16384};
    QTemporaryDir dir;
    options.output = QFile::encodeName(dir.filePath("huge.gif")).toStdString();
    std::ostringstream out;
    const JobResult result = RunRenderJob(options, out, &recordingScene);
    EXPECT_EQ(result.status, kExitBadInput);
    EXPECT_NE(result.message.find("24 frames need 25.0 GiB of memory"), std::string::npos) << result.message;
    EXPECT_TRUE(seenCalls.empty());
    EXPECT_EQ(entriesOf(dir.path()), "");
    EXPECT_EQ(FrameMemoryBytes(options), 25ull * 16384 * 16384 * 4);
}

}  // namespace
}  // namespace kelvora::render
