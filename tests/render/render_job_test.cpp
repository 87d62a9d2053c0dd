#include "picture_job.h"
#include "render_job.h"

#include "overflowing_scene.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

#include <sstream>

namespace kelvora::render {
namespace {

int drawnFrames = 0;

void countingScene(Canvas&, std::int16_t&, SceneContext&) { ++drawnFrames; }

// The names in a directory, hidden ones too, as one line.
std::string entriesOf(const QString& directory)
{
    const QDir::Filters all = QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot;
    return QDir(directory).entryList(all, QDir::Name).join(", ").toStdString();
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
        const JobResult result = RunRenderJob(options, out, &test::OverflowingScene);
        EXPECT_EQ(result.status, kExitFailed);
        EXPECT_EQ(result.message, "Run-time error '6': Overflow");
        EXPECT_EQ(out.str(), "");
    }
    EXPECT_EQ(entriesOf(dir.path()), "");
}

TEST(RenderJob, GifFramesTooLargeForMemoryAreRefusedBeforeDrawing)
{
    // Refused only where the frames take more than half of the memory.
    const auto physical = static_cast<std::uint64_t>(::sysconf(_SC_PHYS_PAGES))
        * static_cast<std::uint64_t>(::sysconf(_SC_PAGE_SIZE));
    if (25ull * 16384 * 16384 * 4 <= physical / 2)
        GTEST_SKIP() << "24 frames of 16384 x 16384 fit in this machine's memory";
    drawnFrames = 0;
    RenderOptions options;
    options.mode = OutputMode::Gif;
    options.frames = 24;
    options.size = {16384, 16384};
    QTemporaryDir dir;
    options.output = QFile::encodeName(dir.filePath("huge.gif")).toStdString();
    std::ostringstream out;
    const JobResult result = RunRenderJob(options, out, &countingScene);
    EXPECT_EQ(result.status, kExitBadInput);
    EXPECT_NE(result.message.find("24 frames need 25.0 GiB of memory"), std::string::npos) << result.message;
    EXPECT_EQ(drawnFrames, 0);
    EXPECT_EQ(entriesOf(dir.path()), "");
    EXPECT_EQ(FrameMemoryBytes(options), 25ull * 16384 * 16384 * 4);
}

}  // namespace
}  // namespace kelvora::render
